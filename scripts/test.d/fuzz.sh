#!/usr/bin/env bash
# Builds the shortcut fuzzer with clang and runs it for a minute over a copy of the corpus, then
# the fuzzer of the prefix tools' file readers for a third of that.
# FUZZ_SECONDS changes the time. Fails when the fuzzer finds a crash, a leak or undefined behaviour.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dir="$root/build/fuzz"
seconds=${FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZENDRIFT_FUZZ=ON -DZENDRIFT_TESTS=OFF -DZENDRIFT_GUI=OFF >/dev/null
cmake --build "$dir" --target lnk_fuzzer prefix_config_fuzzer -j "$(nproc)"

# Inputs that crash are kept in build/fuzz/artifacts for a look afterwards.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$dir/artifacts"
cp "$root"/tests/shortcut/corpus/*.lnk "$work/corpus/"

if ! "$dir/fuzz/lnk_fuzzer" "$work/corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$dir/artifacts/" -print_final_stats=1 2>"$work/log"; then
  tail -n 60 "$work/log" >&2
  echo "lnk_fuzzer: finding, see above" >&2
  exit 1
fi
grep -E '^stat::number_of_executed_units|^Done' "$work/log" || true
echo "lnk_fuzzer: clean after ${seconds}s"

# Steam's and Lutris's files, from a few seeds of the shapes they take.
mkdir -p "$work/config"
printf '"libraryfolders"\n{\n\t"0"\n\t{\n\t\t"path"\t\t"/home/a/S\\\\x"\n\t}\n}\n' >"$work/config/vdf"
printf '"AppState" { "name" "Game" // c\n "x" "y" [$WIN32] }' >"$work/config/acf"
printf 'game:\n  prefix: "~/Games/x" # c\nName: \x27a\x27\x27b\x27\n' >"$work/config/yml"
config_seconds=$(( (seconds + 2) / 3 ))
if ! "$dir/fuzz/prefix_config_fuzzer" "$work/config" -max_total_time="$config_seconds" -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$dir/artifacts/" -print_final_stats=1 2>"$work/log"; then
  tail -n 60 "$work/log" >&2
  echo "prefix_config_fuzzer: finding, see above" >&2
  exit 1
fi
grep -E '^stat::number_of_executed_units|^Done' "$work/log" || true
echo "prefix_config_fuzzer: clean after ${config_seconds}s"
