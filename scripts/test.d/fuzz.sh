#!/usr/bin/env bash
# Builds the shortcut fuzzer with clang and runs it for a minute over a copy of the corpus.
# FUZZ_SECONDS changes the time. Fails when the fuzzer finds a crash, a leak or undefined behaviour.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dir="$root/build/fuzz"
seconds=${FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZENDRIFT_FUZZ=ON -DZENDRIFT_TESTS=OFF -DZENDRIFT_GUI=OFF >/dev/null
cmake --build "$dir" --target lnk_fuzzer -j "$(nproc)"

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
