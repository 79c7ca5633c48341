#!/usr/bin/env bash
# Makes the Windows packages from the cross build (a zip, and with NSIS an installer) and tests
# the installer in a fresh Wine prefix: a silent install puts the program, its manual, its
# licence and a Start-menu shortcut in place; a silent uninstall removes them all again.
#
# Reuses the cross build of scripts/windows-tests.sh (ZENDRIFT_WIN64_BUILD, else build/win64)
# when there is one; otherwise builds only the program in build/win64-package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${ZENDRIFT_WIN64_BUILD:-$root/build/win64}"
started=$(date +%s)
"$root/scripts/deps.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
  build="$root/build/win64-package"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DZENDRIFT_GUI=ON -DZENDRIFT_TESTS=OFF -DZENDRIFT_WERROR=ON >/dev/null
fi
cmake --build "$build" --target zendrift -j "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' "$build/CMakeCache.txt")
rm -f "$build"/zendrift-*-win64.zip "$build"/zendrift-*-setup.exe
# Only the program's own install rules: the test programs of the cross build stay out.
(cd "$build" && cpack -G "ZIP;NSIS" -D CPACK_CMAKE_GENERATOR=Ninja >/dev/null)
zip="$build/zendrift-$version-win64.zip"
setup="$build/zendrift-$version-setup.exe"
[ -f "$zip" ] && [ -f "$setup" ] || { echo "windows-package: packages missing in $build" >&2; exit 1; }
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$listing" = "LICENSE.txt manual.html zendrift.exe " ] || { echo "windows-package: zip holds: $listing" >&2; exit 1; }
echo "packages: $(basename "$zip") $(basename "$setup")"

# --- the installer under Wine -------------------------------------------------------------------
wine=$(command -v wine || command -v wine64)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zendrift-setup.XXXXXX")
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
"$wine" wineboot --init >/dev/null 2>&1 || true
wineserver --wait

target="$WINEPREFIX/drive_c/Zendrift"
fail() { echo "windows-package: $*" >&2; exit 1; }
# The shortcut goes to the all-users Start menu when the installer runs as an administrator, as
# it does under Wine; either place counts.
shortcuts() { find "$WINEPREFIX/drive_c" -ipath '*Start Menu/Programs/Zendrift/Zendrift.lnk' 2>/dev/null; }

cp "$setup" "$scratch/setup.exe"
"$wine" "$scratch/setup.exe" /S '/D=C:\Zendrift' >/dev/null 2>&1 || fail "the installer failed"
wineserver --wait
for file in zendrift.exe manual.html LICENSE.txt Uninstall.exe; do
  [ -f "$target/$file" ] || fail "not installed: $file"
done
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut"
# The installed program runs.
"$wine" "$target/zendrift.exe" --version 2>/dev/null | tr -d '\r' | grep -qx "Zendrift $version (Build [0-9]*)" ||
  fail "the installed program does not run"

"$wine" "$target/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
wineserver --wait
[ ! -e "$target" ] || fail "left behind: $(find "$target" | tr '\n' ' ')"
[ -z "$(shortcuts)" ] || fail "Start-menu shortcut left behind"
echo "windows-package: installed and removed under Wine; $(( $(date +%s) - started )) s"
