#!/usr/bin/env bash
# The real program's Qt window on virtual X screens, read from the screen as a user sees it:
# - on a 1366 x 768 screen, first start: the whole window on the screen (the design place,
#   (243, 504), would put the list and the buttons below its edge), and the window has an icon
#   (_NET_WM_ICON) for the task bar;
# - at a scale of 2 on 1280 x 1024, started with a switch: the whole window on the screen;
# - under a dark desktop palette (KDE's colours, as Breeze Dark sets them): the styled buttons'
#   captions dark on their light faces, read from a screenshot.
#
#   window_screen_test.sh ZENDRIFT_BINARY
set -euo pipefail
program=$1
for tool in Xvfb xwininfo xprop import convert; do
  command -v "$tool" >/dev/null || { echo "window_screen_test: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zendrift-screen.XXXXXX")
xvfb="" app=""
stop() {
  [ -z "$app" ] || { kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true; }
  [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
  app="" xvfb=""
}
trap 'stop; rm -rf "$scratch"' EXIT
# A failed check is reported and the others still run; the test fails at the end.
failures=0
fail() { echo "window_screen_test: FAIL: $*" >&2; failures=$((failures + 1)); }

# A virtual screen of $1 pixels; sets $display.
screen() {
  : >"$scratch/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
  display=":$(head -n 1 "$scratch/display")"
  [ "$display" != ":" ] || { fail "Xvfb did not start"; exit 1; }
}

# Starts the program on $display with a home of its own and no settings; extra environment in
# "$@" before the program's parameters after "--". Sets $window, the window's id.
start() {
  local environment=() parameters=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do environment+=("$1"); shift; done
  [ $# -eq 0 ] || { shift; parameters=("$@"); }
  local home="$scratch/home"
  rm -rf "$home" && mkdir -p "$home/config" "$home/data" "$home/state" "$home/runtime"
  chmod 700 "$home/runtime"
  [ ! -f "$scratch/kdeglobals" ] || cp "$scratch/kdeglobals" "$home/config/kdeglobals"
  env -i PATH=/usr/bin:/bin HOME="$home" USER=ann XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_STATE_HOME="$home/state" XDG_RUNTIME_DIR="$home/runtime" WINEPREFIX="$home/no-prefix" DISPLAY="$display" \
    QT_QPA_PLATFORM=xcb "${environment[@]}" "$program" "${parameters[@]}" >"$scratch/program.log" 2>&1 &
  app=$!
  window=""
  for _ in $(seq 600); do
    window=$(xwininfo -display "$display" -root -tree 2>/dev/null |
      sed -n 's/^ *\(0x[0-9a-f]*\) "Zendrift 1\.8\.9 (Build 36)".*/\1/p' | head -n 1)
    [ -n "$window" ] && break
    sleep 0.05
  done
  [ -n "$window" ] || { cat "$scratch/program.log" >&2; fail "no window"; exit 1; }
  sleep 1  # mapped and painted
}

# The window's place and size on the screen: "LEFT TOP WIDTH HEIGHT".
bounds() {
  xwininfo -display "$display" -id "$window" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
         END {print x, y, w, h}'
}

# The whole window within a screen of $1 x $2 pixels.
expect_on_screen() {
  local left top width height
  read -r left top width height <<<"$(bounds)"
  [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le "$1" ] && [ $((top + height)) -le "$2" ] ||
    fail "$3: the window is ${width}x${height} at ($left, $top), not wholly on the $1 x $2 screen"
}

# --- a small laptop screen, first start --------------------------------------------------------
screen 1366x768
start --
expect_on_screen 1366 768 "1366 x 768"
xprop -display "$display" -id "$window" _NET_WM_ICON | grep -q 'Icon (48 x 48)' ||
  fail "the window has no icon (_NET_WM_ICON)"
stop

# --- 200 % on 1280 x 1024, started with a switch ------------------------------------------------
screen 1280x1024
start QT_SCALE_FACTOR=2 -- /desktop
expect_on_screen 1280 1024 "scale 2 on 1280 x 1024"
read -r _ _ width height <<<"$(bounds)"
[ "$width" -ge 1184 ] && [ "$height" -ge 866 ] || fail "scale 2: the window is only $width x $height"
stop

# --- a dark desktop palette ----------------------------------------------------------------------
cat >"$scratch/kdeglobals" <<'COLOURS'
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
COLOURS
screen 1280x1024
start QT_QPA_PLATFORMTHEME=kde KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true XDG_CURRENT_DESKTOP=KDE --
read -r left top _ _ <<<"$(bounds)"
# Once painted: the Start Scan button's light face is on the screen.
for _ in $(seq 40); do
  import -display "$display" -window root "$scratch/dark.png"
  painted=$(convert "$scratch/dark.png" -crop "65x13+$((left + 20))+$((top + 410))" -format '%[fx:maxima.intensity]' info:)
  awk -v v="$painted" 'BEGIN { exit !(v > 0.85) }' && break
  sleep 0.25
done
# The theme took: the window's own background is dark.
background=$(convert "$scratch/dark.png" -crop "1x1+$((left + 300))+$((top + 300))" -format '%[fx:intensity]' info:)
awk -v v="$background" 'BEGIN { exit !(v < 0.4) }' || fail "the dark palette did not take (background $background)"
# Each button's face inside its border and ring, as the layout puts it at the design size: the
# darkest pixel is the caption's ink, the lightest the face.
check_button() {
  local name=$1 x=$2 y=$3 w=$4 h=$5 limit=$6 ink face
  local crop="$((w - 8))x$((h - 8))+$((left + x + 4))+$((top + y + 4))"
  ink=$(convert "$scratch/dark.png" -crop "$crop" -format '%[fx:minima.intensity]' info:)
  face=$(convert "$scratch/dark.png" -crop "$crop" -format '%[fx:maxima.intensity]' info:)
  awk -v ink="$ink" -v face="$face" -v limit="$limit" 'BEGIN { exit !(face > 0.85 && ink < limit) }' ||
    fail "$name: caption ink $ink on face $face under a dark palette"
}
check_button "Start Scan" 16 406 73 21 0.3
check_button "Delete Orphans (disabled)" 96 406 89 21 0.7
check_button "Check for updates" 336 406 113 21 0.3
check_button "Help" 456 406 57 21 0.3
check_button "Exit" 520 406 57 21 0.3
stop
[ "$failures" -eq 0 ] || exit 1
echo "window_screen_test: passed"
