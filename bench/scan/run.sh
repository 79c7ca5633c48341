#!/usr/bin/env bash
# Times `zendrift /list` over a large Wine-style prefix against a pipeline that only reads the
# shortcuts (find | xargs cat), the two run alternately over the same folders; prints the
# medians, their ratio, the peak memory of /list and whether it found every orphan.
# usage: bench/scan/run.sh [ROUNDS] [warm|cold]
#        warm (the default): every run finds the folders in the page cache;
#        cold: the page cache is dropped before every run (needs root; says so and stops without).
#        env: ZD_SCAN_BENCH_DIR, where the prefix is made or reused (its disk is the one measured
#        cold); ZENDRIFT_GUI=ON|OFF, whether the measured binary is built with the Qt window (its
#        module, loaded when the window opens), default ON (the program as shipped), built in
#        build/bench-gui; OFF builds it in build/bench
set -euo pipefail

rounds=${1:-7}
cache=${2:-warm}
case "$cache" in
  warm) ;;
  cold)
    if [ "$(id -u)" -ne 0 ] || [ ! -w /proc/sys/vm/drop_caches ]; then
      echo "cold mode needs root to drop the page cache (/proc/sys/vm/drop_caches); nothing measured" >&2
      exit 2
    fi ;;
  *) echo "usage: $0 [ROUNDS] [warm|cold]" >&2; exit 2 ;;
esac
# Before each timed run in cold mode: written-back, then dropped, so that both read from the disk.
settle_cache() {
  [ "$cache" = cold ] || return 0
  sync
  echo 3 >/proc/sys/vm/drop_caches
}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
gui=${ZENDRIFT_GUI:-ON}
build_dir=$source_dir/build/bench
[ "$gui" = OFF ] || build_dir=$source_dir/build/bench-gui
work=${ZD_SCAN_BENCH_DIR:-${TMPDIR:-/tmp}/zendrift-scan-bench}
files=200000 folders=20000 shortcuts=5000
expected_orphans=$((shortcuts / 2))
memory_limit_kb=$((30 * 1024))

# g++ 12 at -O3 warns falsely about some string copies, so the timed build leaves -Werror off.
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENDRIFT_BENCH=ON \
  -DZENDRIFT_WERROR=OFF -DZENDRIFT_GUI="$gui" >/dev/null
cmake --build "$build_dir" -j2 --target zendrift make_scan_prefix >/dev/null
zendrift=$build_dir/src/app/zendrift

# The prefix is made once; a later run reuses it when it was made with the same sizes.
stamp="files=$files folders=$folders shortcuts=$shortcuts registry=1"
prefix=$work/prefix
if [ ! -f "$work/made" ] || [ "$(cat "$work/made")" != "$stamp" ]; then
  rm -rf "$prefix" "$work/made"
  mkdir -p "$work"
  echo "making the prefix in $prefix ..." >&2
  "$build_dir/bench/scan/make_scan_prefix" "$prefix" --files "$files" --folders "$folders" \
    --shortcuts "$shortcuts" >"$work/roots"
  echo "$stamp" >"$work/made"
fi
mapfile -t roots <"$work/roots"
user_dir=${roots[2]}

# A fresh home and settings file for every run, as on a first start.
home=$(mktemp -d "$work/home.XXXXXX")
trap 'rm -rf "$home"' EXIT
list() {
  rm -rf "$home/config"
  mkdir -p "$home/config"
  env -i HOME="$home" USER=bench WINEPREFIX="$prefix" XDG_CONFIG_HOME="$home/config" PATH=/usr/bin:/bin \
    "$@" "$zendrift" /list /userdir "$user_dir"
}
read_links() { find "${roots[@]}" -iname '*.lnk' -print0 | xargs -0 cat >/dev/null; }
now() { date +%s%N; }

# Warm the cache with both, and check what /list finds.
read_links
list >"$work/list.out" 2>"$work/list.err"
marked=$(grep -c $'^x\t' "$work/list.out" || true)
lines=$(wc -l <"$work/list.out")
status=$(tail -n 1 "$work/list.err")

list_times=() read_times=()
for ((i = 0; i < rounds; ++i)); do
  settle_cache
  t0=$(now); list >/dev/null 2>&1; t1=$(now)
  settle_cache
  t2=$(now); read_links; t3=$(now)
  list_times+=($(((t1 - t0) / 1000000)))
  read_times+=($(((t3 - t2) / 1000000)))
done

# Peak memory: the largest of three runs.
peak_kb=0
for ((i = 0; i < 3; ++i)); do
  kb=$(list /usr/bin/time -v 2>&1 >/dev/null | sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p')
  [ "$kb" -gt "$peak_kb" ] && peak_kb=$kb
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
list_median=$(median "${list_times[@]}")
read_median=$(median "${read_times[@]}")
ratio=$(awk -v l="$list_median" -v r="$read_median" 'BEGIN { printf "%.2f", (r > 0 ? l / r : 0) }')

echo "tree: $stamp under ${roots[*]}; window built in: $gui; page cache: $cache"
echo "zendrift /list   (ms): ${list_times[*]}"
echo "find | xargs cat (ms): ${read_times[*]}"
echo "median /list ${list_median} ms, find | xargs cat ${read_median} ms, ratio /list / pipeline $ratio"
echo "peak RSS of /list: ${peak_kb} kB"
echo "orphans: $marked marked lines of $lines, status \"$status\""
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

failed=0
if [ "$marked" -ne "$expected_orphans" ] || [ "$lines" -ne "$expected_orphans" ] ||
   [ "$status" != "Ready. $expected_orphans orphan(s) found." ]; then
  echo "FAIL: expected $expected_orphans orphans"; failed=1
fi
# The goal: /list within 60% of the pipeline's time, from a warm cache and from a cold one.
goal=0.60
if awk -v r="$ratio" -v g="$goal" 'BEGIN { exit !(r > g) }'; then
  echo "MISSED: ratio $ratio is above the goal of $goal"; failed=1
fi
if [ "$peak_kb" -ge "$memory_limit_kb" ]; then echo "MISSED: peak memory is 30 MB or more"; failed=1; fi
exit "$failed"
