#!/bin/sh
# Runs `find TREE -iname '*.lnk'` and the walk's search_bench alternately over the same warm
# tree and prints each time and the ratio of the medians (engine / find).
# usage: compare_find.sh TREE [ROUNDS] [SEARCH_BENCH]
set -eu
tree=$1
rounds=${2:-11}
bench=${3:-}
if [ -z "$bench" ]; then
  for candidate in "$(dirname "$0")"/../../build/*/bench/search/search_bench; do
    [ -x "$candidate" ] && bench=$candidate && break
  done
fi
[ -n "$bench" ] && [ -x "$bench" ] || { echo "no search_bench (build with -DZENDRIFT_BENCH=ON -DCMAKE_BUILD_TYPE=Release, or pass its path)" >&2; exit 2; }

now() { date +%s%N; }
# Warm the cache once with each.
find "$tree" -iname '*.lnk' >/dev/null
"$bench" "$tree" >/dev/null

finds=""
engines=""
i=0
while [ "$i" -lt "$rounds" ]; do
  t0=$(now); find "$tree" -iname '*.lnk' >/dev/null; t1=$(now)
  "$bench" "$tree" >/dev/null; t2=$(now)
  finds="$finds $(( (t1 - t0) / 1000 ))"
  engines="$engines $(( (t2 - t1) / 1000 ))"
  i=$((i + 1))
done

median() { printf '%s\n' $1 | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
f=$(median "$finds")
e=$(median "$engines")
echo "find   (us):$finds"
echo "engine (us):$engines"
echo "median find ${f} us, engine ${e} us, ratio engine/find $(awk -v e="$e" -v f="$f" 'BEGIN { printf "%.3f", e / f }')"
echo "found by find: $(find "$tree" -iname '*.lnk' | wc -l), by engine: $("$bench" "$tree" | sed -n 's/^found \([0-9]*\).*/\1/p')"
