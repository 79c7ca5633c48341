#!/usr/bin/env bash
# Cross-builds Zendrift for Windows with Debian's mingw-w64 and runs its tests under Wine.
#
# Installs the cross compiler and Wine when they are missing, builds GoogleTest from Debian's
# sources for the cross build, builds the core library, the tests and zendrift.exe (with its Win32
# window) in build/win64, checks that zendrift.exe stays small and needs only Windows' own DLLs,
# then runs every test program in a fresh Wine prefix made in a temporary folder, with no
# display, and finally the window tests on virtual X displays (tests/e2e/windows/window_test.sh,
# window_screen_test.sh).
# Exit status 2 means the packages could not be installed.
#
# ZENDRIFT_WIN64_BUILD names another build folder (GoogleTest then goes into its "deps"
# subfolder), so that several builds can live side by side.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${ZENDRIFT_WIN64_BUILD:-$root/build/win64}"
deps="$root/build/win64-deps"
[ -z "${ZENDRIFT_WIN64_BUILD:-}" ] || deps="$build/deps"
jobs=${ZENDRIFT_JOBS:-$(nproc)}
started=$(date +%s)

# --- packages ---------------------------------------------------------------------------------
packages=(cmake ninja-build googletest g++-mingw-w64-x86-64 wine xvfb xdotool imagemagick)
# Debian 12 splits Wine into the launcher (wine) and the 64-bit loader (wine64).
if apt-cache show wine64 >/dev/null 2>&1; then packages+=(wine64); fi
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
    echo "windows-tests: cannot install ${missing[*]}" >&2
    exit 2
  fi
fi
wine=$(command -v wine || command -v wine64)

# --- GoogleTest for the cross build ------------------------------------------------------------
toolchain="$root/cmake/toolchain-mingw64.cmake"
gtest_prefix="$deps/googletest"
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "== GoogleTest (cross build)"
  cmake -S /usr/src/googletest -B "$deps/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -Dgtest_disable_pthreads=ON >/dev/null
  cmake --build "$deps/googletest-build" -j "$jobs"
  cmake --install "$deps/googletest-build" >/dev/null
fi

# --- Zendrift ----------------------------------------------------------------------------------
echo "== windows build"
mkdir -p "$build"
# -O2 as in the Linux build: GCC 12 at -O3 warns falsely inside std::string.
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DZENDRIFT_GUI=ON -DZENDRIFT_WERROR=ON \
  -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" >"$build/configure.log" ||
  { cat "$build/configure.log" >&2; exit 1; }
grep 'Not built for Windows' "$build/configure.log" || true
skipped=$(sed -n 's/^-- Not built for Windows: //p' "$build/configure.log" | tr '\n' ' ')
build_failed=0
if ! cmake --build "$build" -j "$jobs" -- -k 0; then
  build_failed=1
  echo "windows-tests: some targets did not build (see above); running those that did" >&2
fi
echo "windows build: $(( $(date +%s) - started )) s since start"

# One executable that a bare Windows runs as it is: small, and importing only system DLLs.
program="$build/src/app/zendrift.exe"
program_ok=1
if [ -f "$program" ]; then
  size=$(stat -c %s "$program")
  echo "zendrift.exe: $size bytes"
  if [ "$size" -ge $((4 * 1024 * 1024)) ]; then
    echo "windows-tests: zendrift.exe is $size bytes, not under 4 MB" >&2
    program_ok=0
  fi
  system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll shell32.dll ole32.dll oleaut32.dll uxtheme.dll advapi32.dll shlwapi.dll version.dll msvcrt.dll "
  while IFS= read -r dll; do
    case "$system_dlls" in
      *" ${dll,,} "*) ;;
      *) echo "windows-tests: zendrift.exe needs $dll, which is not a Windows system DLL" >&2; program_ok=0 ;;
    esac
  done < <(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
fi

# --- Wine --------------------------------------------------------------------------------------
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zendrift-wine.XXXXXX")
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
# Wine's Recycle Bin is the host's trash: keep what the tests recycle in the scratch folder.
export XDG_DATA_HOME="$scratch/data"
# No Mono or Gecko downloads, no window on any display.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# A host path as the Windows programs see it, through Wine's Z: drive (the host's root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

echo "== windows tests (Wine $("$wine" --version 2>/dev/null))"
"$wine" wineboot --init >/dev/null 2>&1 || true
# Windows without a display: Wine's null display driver where X is not there, so that the window
# tests can make and drive real windows; the window test below still gets X on its own display.
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1 || true
wineserver --wait >/dev/null 2>&1 || true

# The tests' files, shortcuts included, live inside the prefix's drive C.
mkdir -p "$WINEPREFIX/drive_c/zendrift-tests"
export ZENDRIFT_TEST_TMP='C:\zendrift-tests'
export ZENDRIFT_BIN="$(winpath "$build/src/app/zendrift.exe")"
export ZENDRIFT_SOURCE_DIR="$(winpath "$root")"

failed=()
ran=0
# Runs the test program $exe in its own folder.
run_one() { (cd "$(dirname "$exe")" && timeout 900 "$wine" "$exe" --gtest_brief=1 2>&1 | tr -d '\r'); }
while IFS= read -r exe; do
  # Only GoogleTest programs; helper programs that tests start are left to them.
  grep -q -a 'gtest_list_tests' "$exe" || continue
  name=$(basename "$exe" .exe)
  case " $skipped " in *" $name "*) continue ;; esac
  ran=$((ran + 1))
  echo "-- $name"
  status=0
  output=$(run_one) || status=$?
  # A program that printed nothing at all was never started: now and then Wine fails to start
  # the first program after the prefix is set up. That is no test result: once more.
  if [ "$status" -ne 0 ] && [ -z "$output" ]; then
    echo "(Wine did not start $name; once more)"
    status=0
    output=$(run_one) || status=$?
  fi
  [ -z "$output" ] || printf '%s\n' "$output"
  [ "$status" -eq 0 ] || failed+=("$name")
done < <(find "$build" -name '*.exe' -type f | sort)

# The window itself, on a virtual display, in the same prefix.
if [ -f "$program" ]; then
  ran=$((ran + 1))
  echo "-- window_test"
  bash "$root/tests/e2e/windows/window_test.sh" "$build" || failed+=("window_test")
  # The window on a small screen, at 192 dpi and with dark system colours, from screenshots.
  ran=$((ran + 1))
  echo "-- window_screen_test"
  bash "$root/tests/e2e/windows/window_screen_test.sh" "$build" || failed+=("window_screen_test")
fi

echo "windows tests: $ran programs, ${#failed[@]} failed; $(( $(date +%s) - started )) s in all"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
[ "$build_failed" -eq 0 ] || exit 1
[ "$program_ok" -eq 1 ] || exit 1
[ "$ran" -gt 0 ] || { echo "windows-tests: no test program was built" >&2; exit 1; }
