#!/usr/bin/env bash
# The Linux build against the Windows build under Wine, on one prefix that Wine makes: every
# shortcut must get the same verdict from both (tests/e2e/wine_differential_test.cpp). Runs after
# windows.sh, with the CI build's test program and the Windows build it left. Skipped, with a
# note, when there is no Windows build (its packages could not be installed).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
linux="${ZENDRIFT_LINUX_BUILD:-$root/build/ci}"
windows="${ZENDRIFT_WIN64_BUILD:-$root/build/win64}"
if [ ! -f "$windows/src/app/zendrift.exe" ] || ! command -v wine >/dev/null; then
  echo "SKIPPED: differential test under Wine (no Windows build in $windows)" >&2
  exit 0
fi
cmake --build "$linux" --target wine_differential_test zendrift >/dev/null || exit 1
cmake --build "$windows" --target zd_shell_link_batch zendrift >/dev/null || exit 1
started=$(date +%s)
ZENDRIFT_WINDOWS_BUILD="$windows" timeout 300 "$linux/tests/e2e/wine_differential_test" --gtest_brief=1
status=$?
echo "differential test under Wine: $(( $(date +%s) - started )) s"
exit "$status"
