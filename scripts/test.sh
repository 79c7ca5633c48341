#!/usr/bin/env bash
# Builds Zendrift and runs every test: once in a normal build that treats warnings as errors,
# then once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

run_suite() {
  local name=$1; shift
  local dir="$root/build/$name"
  echo "== $name build"
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== $name tests"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
}

run_suite ci -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENDRIFT_WERROR=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp" \
  run_suite asan -DCMAKE_BUILD_TYPE=Debug -DZENDRIFT_WERROR=ON -DZENDRIFT_SANITIZE=ON

for extra in "$root"/scripts/test.d/*.sh; do
  [ -e "$extra" ] || continue
  echo "== $(basename "$extra")"
  bash "$extra"
done
