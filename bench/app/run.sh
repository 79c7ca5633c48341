#!/usr/bin/env bash
# Times a scan from the window against `zendrift /list` over the scan benchmark's large prefix
# (made by bench/scan's make_scan_prefix, or reused), on the offscreen platform.
# usage: bench/app/run.sh [ROUNDS]   (env: ZD_SCAN_BENCH_DIR as for bench/scan/run.sh)
set -euo pipefail

rounds=${1:-7}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$source_dir/build/bench-app
work=${ZD_SCAN_BENCH_DIR:-${TMPDIR:-/tmp}/zendrift-scan-bench}
files=200000 folders=20000 shortcuts=5000

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENDRIFT_BENCH=ON \
  -DZENDRIFT_WERROR=OFF -DZENDRIFT_GUI=ON >/dev/null
cmake --build "$build_dir" -j2 --target zendrift window_bench >/dev/null

stamp="files=$files folders=$folders shortcuts=$shortcuts registry=1"
prefix=$work/prefix
if [ ! -f "$work/made" ] || [ "$(cat "$work/made")" != "$stamp" ]; then
  rm -rf "$prefix" "$work/made"
  mkdir -p "$work"
  echo "making the prefix in $prefix ..." >&2
  cmake --build "$build_dir" -j2 --target make_scan_prefix >/dev/null
  "$build_dir/bench/scan/make_scan_prefix" "$prefix" --files "$files" --folders "$folders" \
    --shortcuts "$shortcuts" >"$work/roots"
  echo "$stamp" >"$work/made"
fi
mapfile -t roots <"$work/roots"

home=$(mktemp -d "$work/home.XXXXXX")
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config"
# Warm the folders once.
find "${roots[@]}" -iname '*.lnk' -print0 | xargs -0 cat >/dev/null
env -i HOME="$home" USER=bench WINEPREFIX="$prefix" XDG_CONFIG_HOME="$home/config" PATH=/usr/bin:/bin \
  QT_QPA_PLATFORM=offscreen "$build_dir/bench/app/window_bench" "$build_dir/src/app/zendrift" "${roots[2]}" "$rounds"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
