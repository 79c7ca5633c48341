#!/usr/bin/env bash
# Times prefix discovery in a home with 200 Proton prefixes and 50 others, then
# `zendrift /list /desktop /allprefixes` against the sum of one `/list /desktop /prefix P` run per
# prefix, over the same warm folders; prints the medians. The 51 prefixes of the other tools
# share the home's Desktop, as wineboot links it.
# usage: bench/profile/run_prefixes.sh [ROUNDS]   (env: ZD_PREFIX_BENCH_DIR, where the home is made)
set -euo pipefail

rounds=${1:-5}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$source_dir/build/bench
work=${ZD_PREFIX_BENCH_DIR:-${TMPDIR:-/tmp}/zendrift-prefix-bench}
home=$work/home

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENDRIFT_BENCH=ON \
  -DZENDRIFT_WERROR=OFF -DZENDRIFT_GUI=OFF >/dev/null
cmake --build "$build_dir" -j2 --target zendrift prefix_discovery_bench >/dev/null
zendrift=$build_dir/src/app/zendrift

mkdir -p "$work"
"$build_dir/bench/profile/prefix_discovery_bench" "$home" 51

run() {
  rm -rf "$work/config"
  mkdir -p "$work/config"
  env -i HOME="$home" USER=bench XDG_CONFIG_HOME="$work/config" PATH=/usr/bin:/bin "$zendrift" "$@"
}
now() { date +%s%N; }
median() { printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

mapfile -t prefixes < <(run /prefixes | cut -f2)
echo "/prefixes lists ${#prefixes[@]} prefixes"
run /list /desktop /allprefixes >"$work/all.out" 2>/dev/null
echo "/allprefixes /list finds $(grep -c $'^x\t' "$work/all.out") orphans"

all_times=() sum_times=()
for ((i = 0; i < rounds; ++i)); do
  start=$(now)
  run /list /desktop /allprefixes >/dev/null 2>&1
  all_times+=($(( ($(now) - start) / 1000000 )))
  start=$(now)
  for prefix in "${prefixes[@]}"; do run /list /desktop /prefix "$prefix" >/dev/null 2>&1; done
  sum_times+=($(( ($(now) - start) / 1000000 )))
done
echo "/list /desktop /allprefixes: median $(median "${all_times[@]}") ms"
echo "sum of ${#prefixes[@]} runs of /list /desktop /prefix P: median $(median "${sum_times[@]}") ms"
