#!/usr/bin/env bash
# Times the removal of 2,500 orphans into the trash against deleting them for good; prints each
# round, the medians and their ratio (the budget is 1.5).
# usage: bench/removal/run.sh [ROUNDS]   (env: ZD_REMOVAL_BENCH_DIR, the scratch folder)
set -euo pipefail

rounds=${1:-9}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$source_dir/build/bench
work=$(mktemp -d "${ZD_REMOVAL_BENCH_DIR:-${TMPDIR:-/tmp}}/zendrift-removal-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# g++ 12 at -O3 warns falsely about some string copies, so the timed build leaves -Werror off.
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENDRIFT_BENCH=ON \
  -DZENDRIFT_WERROR=OFF -DZENDRIFT_GUI=OFF >/dev/null
cmake --build "$build_dir" -j2 --target removal_bench >/dev/null

# The trash beside the tree, on its file system; no Wine prefix, so no profile folders to protect.
mkdir -p "$work/data" "$work/config"
env -i HOME="$work" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" WINEPREFIX="$work/no-prefix" \
  PATH=/usr/bin:/bin "$build_dir/bench/removal/removal_bench" "$work" "$rounds"
