#!/usr/bin/env bash
# The Windows build and its tests under Wine, after the Linux ones; then its packages, with the
# installer installed and removed under Wine. Skipped, with a note, only when the cross compiler
# and Wine cannot be installed on this machine.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bash "$root/scripts/windows-tests.sh"
status=$?
if [ "$status" -eq 2 ]; then
  echo "SKIPPED: Windows tests (g++-mingw-w64-x86-64 and Wine could not be installed)" >&2
  exit 0
fi
bash "$root/scripts/windows-package.sh" || status=1
exit "$status"
