#!/usr/bin/env bash
# The Win32 window of zendrift.exe under Wine on virtual X screens, read from the screen:
# - the program carries its own icon, which the window's class shows;
# - on a 1366 x 768 screen, first start: the whole client area (list, status line, buttons) on
#   the screen, where the design place (243, 504) would put it below the edge;
# - at 192 dpi (a scale of 2) on 1280 x 1024, started with a switch: the same, the window twice
#   its design size;
# - with dark system colours (white button text on dark faces, as a high-contrast or dark
#   setting gives): the styled buttons' captions dark on their light faces, from a screenshot.
#
#   window_screen_test.sh BUILD_DIR   (the cross build holding zendrift.exe and zd_window_probe)
#
# Uses $WINEPREFIX when set (a prefix made by wineboot), else makes one; the settings file and
# the registry values it changes are put back at the end.
set -euo pipefail
build=$(cd "$1" && pwd)
exe="$build/src/app/zendrift.exe"
probe_exe=$(find "$build" -name zd_window_probe.exe | head -n 1)
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "window_screen_test: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done
wine=$(command -v wine || command -v wine64)
objdump=$(command -v x86_64-w64-mingw32-objdump || true)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zendrift-screen.XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$scratch/prefix"
  DISPLAY= "$wine" wineboot --init >/dev/null 2>&1 || true
fi
settings_dir="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Zendrift"
[ ! -f "$settings_dir/zendrift.ini" ] || mv "$settings_dir/zendrift.ini" "$scratch/zendrift.ini"
failures=0
fail() { echo "window_screen_test: FAIL: $*" >&2; failures=$((failures + 1)); }
reg() { DISPLAY= "$wine" reg "$@" >/dev/null 2>&1; }
colours=(ButtonFace ButtonText ButtonHilight ButtonShadow Window WindowText)

xvfb="" zendrift=""
stop() {
  [ -z "$zendrift" ] || { kill "$zendrift" 2>/dev/null || true; wait "$zendrift" 2>/dev/null || true; }
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
  zendrift="" xvfb=""
}
cleanup() {
  stop
  reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f || true
  for name in "${colours[@]}"; do reg delete 'HKCU\Control Panel\Colors' /v "$name" /f || true; done
  wineserver -w >/dev/null 2>&1 || true
  rm -f "$settings_dir/zendrift.ini"
  [ ! -f "$scratch/zendrift.ini" ] || mv "$scratch/zendrift.ini" "$settings_dir/zendrift.ini"
  rm -rf "$scratch"
}
trap cleanup EXIT

probe() { "$wine" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

# Starts zendrift.exe with "$@" on a virtual screen of $1 pixels, once the last Wine session
# has gone (Wine's processes of a prefix share one desktop, on one display).
start() {
  local size=$1; shift
  stop
  : >"$scratch/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$scratch/display")"
  (cd "$scratch" && exec "$wine" "$exe" "$@") >/dev/null 2>&1 &
  zendrift=$!
  timeout 90 xdotool search --sync --onlyvisible --name '^Zendrift 1\.8\.9 \(Build 36\)$' >/dev/null ||
    { fail "no window on $size"; return 1; }
  sleep 1
}

# The client area (list, status line and buttons) wholly on a screen of $1 x $2.
expect_on_screen() {
  local left top width height
  read -r left top width height <<<"$(probe rect window)"
  [ -n "$height" ] && [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le "$1" ] &&
    [ $((top + height)) -le "$2" ] ||
    fail "$3: the client area is ${width}x${height} at ($left, $top), not wholly on the $1 x $2 screen"
  client_width=$width client_height=$height
}

# --- the program's own icon ----------------------------------------------------------------------
if [ -n "$objdump" ]; then
  # An icon group (resource type 14) in the program's resources.
  "$objdump" -p "$exe" | sed -n '/The .rsrc Resource Directory section/,$p' | grep -q 'Entry: ID: 0x00000e,' ||
    fail "zendrift.exe carries no icon"
fi

# --- a small laptop screen, first start ------------------------------------------------------------
if start 1366x768; then expect_on_screen 1366 768 "1366 x 768"; fi

# --- 192 dpi on 1280 x 1024, started with a switch -------------------------------------------------
reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f
if start 1280x1024 /desktop; then
  expect_on_screen 1280 1024 "192 dpi on 1280 x 1024"
  [ "${client_width:-0}" -ge 1184 ] || fail "192 dpi: the client area is only ${client_width:-0} wide"
fi
reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f

# --- dark system colours -------------------------------------------------------------------------
for pair in "ButtonFace=45 45 48" "ButtonText=255 255 255" "ButtonHilight=90 90 96" "ButtonShadow=20 20 20" \
  "Window=30 30 30" "WindowText=255 255 255"; do
  reg add 'HKCU\Control Panel\Colors' /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f
done
if start 1280x1024; then
  xdotool mousemove 0 0
  # Once painted: the Start Scan button's light face is on the screen.
  read -r left top width height <<<"$(probe rect scan)"
  for _ in $(seq 40); do
    import -window root "$scratch/dark.png"
    painted=$(convert "$scratch/dark.png" -crop "$((width - 8))x$((height - 8))+$((left + 4))+$((top + 4))" \
      -format '%[fx:maxima.intensity]' info:)
    awk -v v="$painted" 'BEGIN { exit !(v > 0.85) }' && break
    sleep 0.25
  done
  read -r cl ct _ _ <<<"$(probe rect window)"
  background=$(convert "$scratch/dark.png" -crop "1x1+$((cl + 300))+$((ct + 300))" -format '%[fx:intensity]' info:)
  awk -v v="$background" 'BEGIN { exit !(v < 0.4) }' || fail "the dark colours did not take (background $background)"
  for button in scan:0.3 exit:0.3 delete:0.7; do
    name=${button%%:*} limit=${button#*:}
    read -r left top width height <<<"$(probe rect "$name")"
    crop="$((width - 8))x$((height - 8))+$((left + 4))+$((top + 4))"
    ink=$(convert "$scratch/dark.png" -crop "$crop" -format '%[fx:minima.intensity]' info:)
    face=$(convert "$scratch/dark.png" -crop "$crop" -format '%[fx:maxima.intensity]' info:)
    awk -v ink="$ink" -v face="$face" -v limit="$limit" 'BEGIN { exit !(face > 0.85 && ink < limit) }' ||
      fail "$name: caption ink $ink on face $face under dark system colours"
  done
fi

[ "$failures" -eq 0 ] || exit 1
echo "window_screen_test: passed"
