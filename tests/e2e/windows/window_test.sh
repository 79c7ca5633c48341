#!/usr/bin/env bash
# The Win32 window of zendrift.exe under Wine on a virtual X display, driven as a user would:
# real clicks (xdotool) and screenshots (ImageMagick), with zd_window_probe reading what the
# window shows. It checks the caption, the styled "Start Scan" button's pixels, a scan started by
# clicking "Start Scan" that lists exactly the planted orphans, "Delete Orphans" with "Move to
# Recycle Bin" unticked asking first (Return answers No) and then removing exactly them, and Exit
# writing %APPDATA%\Zendrift\zendrift.ini in the settings' key order, and the Tab key's order
# over the controls; then the command line /start /delete /exit with the window showing, which
# deletes for good without a question and saves nothing.
#
#   window_test.sh BUILD_DIR        (the cross build holding zendrift.exe and the helpers)
#
# Uses $WINEPREFIX when set (a prefix already made by wineboot), else makes one. With
# ZENDRIFT_WINDOW_SCREENSHOT=FILE the window after its scan is kept as FILE (PNG).
set -euo pipefail
build=$(cd "$1" && pwd)
exe="$build/src/app/zendrift.exe"
probe_exe="$build/tests/zd_window_probe.exe"
batch_exe="$build/tests/zd_shell_link_batch.exe"
[ -f "$probe_exe" ] || probe_exe=$(find "$build" -name zd_window_probe.exe | head -n 1)
[ -f "$batch_exe" ] || batch_exe=$(find "$build" -name zd_shell_link_batch.exe | head -n 1)
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "window_test: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done
wine=$(command -v wine || command -v wine64)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zendrift-window.XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export XDG_DATA_HOME="${XDG_DATA_HOME:-$scratch/data}"
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$scratch/prefix"
  DISPLAY= "$wine" wineboot --init >/dev/null 2>&1 || true
fi
# Wine's processes of a prefix share one desktop: start afresh, on the virtual display, once the
# old server has gone.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
zendrift=""
cleanup() {
  [ -z "$zendrift" ] || kill "$zendrift" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "window_test: FAIL: $*" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
probe() { "$wine" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
# Waits until the status line starts with $1 (at most $2 seconds).
wait_status() {
  local deadline=$(( $(date +%s) + $2 )) status=""
  while [ "$(date +%s)" -lt "$deadline" ]; do
    status=$(probe status || true)
    case "$status" in "$1"*) return 0 ;; esac
    sleep 0.3
  done
  fail "status is \"$status\", expected \"$1...\""
}
# Clicks the middle of a control that zd_window_probe names.
click() {
  local rect
  rect=$(probe rect "$1") || fail "no control $1"
  read -r left top width height <<<"$rect"
  xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
}
pixel() { convert "$1" -format "%[hex:u.p{$2,$3}]" info: | cut -c1-6 | tr "A-F" "a-f"; }

# --- the planted shortcuts: orphans and live ones, written by Wine's own shell-link object -----
drive_c="$WINEPREFIX/drive_c"
plant() {
  rm -rf "$drive_c/zd-window"
  mkdir -p "$drive_c/zd-window/planted/sub" "$drive_c/zd-window/targets"
  touch "$drive_c/zd-window/targets/live.txt"
  printf '%s\t%s\n' \
    'C:\zd-window\planted\gone.lnk' 'C:\zd-window\missing\gone.exe' \
    'C:\zd-window\planted\sub\vanished.lnk' 'C:\zd-window\missing\vanished.txt' \
    'C:\zd-window\planted\live.lnk' 'C:\zd-window\targets\live.txt' \
    'C:\zd-window\planted\sub\folder.lnk' 'C:\zd-window\targets' >"$scratch/links.txt"
  "$wine" "$batch_exe" "$(winpath "$scratch/links.txt")" >/dev/null 2>&1 || fail "the shortcuts could not be written"
}
planted_orphans() { (cd "$drive_c/zd-window/planted" && find . -name '*.lnk' | sort); }
plant
[ "$(planted_orphans | wc -l)" -eq 4 ] || fail "expected 4 planted shortcuts"

# Settings that scan only the planted folder; the save adds every other key in its own order.
user=$(whoami)
settings_dir="$drive_c/users/$user/AppData/Roaming/Zendrift"
mkdir -p "$settings_dir"
ini="$settings_dir/zendrift.ini"
printf '[Directories]\r\nStartMenu=0\r\nAllUsersStartMenu=0\r\nDesktop=0\r\nAllUsersDeskTop=0\r\nFavorites=0\r\nHistory=0\r\nProgramFiles=0\r\nTempPath=0\r\nApplicationData=0\r\nRecent=0\r\nUserDir=C:\\zd-window\\planted\r\n' >"$ini"

# --- the interactive run ------------------------------------------------------------------------
(cd "$scratch" && exec "$wine" "$exe") >/dev/null 2>&1 &
zendrift=$!
caption="Zendrift 1.8.9 (Build 36)"
window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Zendrift 1\.8\.9 \(Build 36\)$" | head -n 1) ||
  fail "no window captioned \"$caption\""
[ "$(xdotool getwindowname "$window")" = "$caption" ] || fail "caption is \"$(xdotool getwindowname "$window")\""
[ "$(probe caption)" = "$caption" ] || fail "the window's own caption is \"$(probe caption)\""
[ "$(probe status)" = "Idle." ] || fail "status at start: $(probe status)"
sleep 1

# The styled button, focused at start: its dark blue border, the focus ring's light blue just
# inside it, and the light face gradient with its dark caption.
import -window root "$scratch/start.png"
read -r left top width height <<<"$(probe rect scan)"
[ "$width" -gt 20 ] && [ "$height" -gt 10 ] || fail "Start Scan is $width x $height"
mid=$((left + width / 2))
[ "$(pixel "$scratch/start.png" "$mid" "$top")" = "003873" ] || fail "Start Scan's top border is #$(pixel "$scratch/start.png" "$mid" "$top")"
[ "$(pixel "$scratch/start.png" "$left" $((top + height / 2)))" = "003873" ] || fail "Start Scan's left border"
[ "$(pixel "$scratch/start.png" "$mid" $((top + 1)))" = "cee7ff" ] || fail "Start Scan's focus ring is #$(pixel "$scratch/start.png" "$mid" $((top + 1)))"
face=$(pixel "$scratch/start.png" $((left + 4)) $((top + height / 2)))
[ $((16#${face:0:2})) -ge 224 ] && [ $((16#${face:2:2})) -ge 224 ] && [ $((16#${face:4:2})) -ge 224 ] ||
  fail "Start Scan's face is #$face"
ink=$(convert "$scratch/start.png" -crop "$((width - 8))x$((height - 8))+$((left + 4))+$((top + 4))" -format '%[fx:minima.intensity]' info:)
awk -v v="$ink" 'BEGIN { exit !(v < 0.3) }' || fail "Start Scan shows no caption (darkest $ink)"

# The keyboard order: from "Start Scan", which has the focus, round the window once with Tab,
# the disabled "Delete Orphans" skipped.
order=("Move to Recycle Bin" "Check for updates" "Help" "Exit" "Temp directory" "Start menu" "Desktop"
  "Favorites" "History" "Recent documents" "Program files" "Application data" "Files on CD-ROM drives"
  "Files on removable drives" "Files on a network" "Files on RAM disks" "....." "folder" "list" "Start Scan")
[ "$(probe focus)" = "Start Scan" ] || fail "focus at start: $(probe focus)"
# No window manager gives the window the keyboard: the test does.
xdotool windowfocus --sync "$window"
for expected_focus in "${order[@]}"; do
  xdotool key Tab
  [ "$(probe focus)" = "$expected_focus" ] || fail "Tab went to \"$(probe focus)\", expected \"$expected_focus\""
done

# A scan started by clicking "Start Scan" lists exactly the orphans.
click scan
wait_status "Ready. " 120
[ "$(probe status)" = "Ready. 2 orphan(s) found." ] || fail "status after the scan: $(probe status)"
expected=$(printf 'C:\\zd-window\\planted\\gone.lnk\nC:\\zd-window\\planted\\sub\\vanished.lnk\n')
listed=$(probe lines | sort)
[ "$listed" = "$expected" ] || fail "listed: $listed"
if [ -n "${ZENDRIFT_WINDOW_SCREENSHOT:-}" ]; then
  # Without the pointer's tooltip.
  xdotool mousemove 0 0
  sleep 1
  read -r wl wt ww wh <<<"$(probe rect window)"
  import -window root -crop "${ww}x${wh}+${wl}+${wt}" +repage "$ZENDRIFT_WINDOW_SCREENSHOT"
fi

# Deleting for good asks first, No by default: Return keeps everything.
question() {
  local box
  box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zendrift$' | head -n 1) || fail "no question before $1"
  xdotool windowfocus --sync "$box"
  xdotool key "$2"
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Zendrift$' >/dev/null 2>&1 || return 0; sleep 0.2; done
  fail "the question stayed after $2"
}
click trash
click delete
question "deleting for good" Return
[ "$(planted_orphans | wc -l)" -eq 4 ] || fail "No deleted: $(planted_orphans | tr '\n' ' ')"
[ "$(probe lines | sort)" = "$expected" ] || fail "lines after No: $(probe lines)"

# Yes: "Delete Orphans" removes exactly them.
click delete
question "deleting for good again" y
wait_status "Idle" 60
[ "$(planted_orphans)" = "$(printf './live.lnk\n./sub/folder.lnk')" ] || fail "left on disk: $(planted_orphans | tr '\n' ' ')"
[ -z "$(probe lines)" ] || fail "lines left: $(probe lines)"

# Exit closes the window and writes the settings, every key in the file's order.
click exit
for _ in $(seq 100); do kill -0 "$zendrift" 2>/dev/null || break; sleep 0.2; done
kill -0 "$zendrift" 2>/dev/null && fail "the window did not close on Exit"
wait "$zendrift" || fail "exit status $?"
zendrift=""
keys=$(tr -d '\r' <"$ini" | sed -n 's/^\(\[[A-Za-z]*\]\)$/\1/p; s/^\([A-Za-z]*\)=.*/\1/p' | tr '\n' ' ')
usual="[Directories] StartMenu AllUsersStartMenu Desktop AllUsersDeskTop Favorites History ProgramFiles TempPath ApplicationData Recent UserDir Prefix [Include] RemovableDrives NetworkDrives RamDrives CDRomDrives [Exclude] ExcludeList [Form] Top Left Width Height [Delete] Permanently "
[ "$keys" = "$usual" ] || fail "settings keys: $keys"
grep -q '^UserDir=C:\\zd-window\\planted' "$ini" || fail "UserDir not kept"
grep -q '^Width=[1-9]' "$ini" && grep -q '^Height=[1-9]' "$ini" || fail "the window's bounds were not saved"

# Closing the window while it scans a large folder stops the scan, then closes and saves.
mkdir -p "$drive_c/zd-window/large"
(cd "$drive_c/zd-window/large" && mkdir -p d{1..400} && touch d{1..400}/file{1..100}.dat)
sed -i 's/^UserDir=.*/UserDir=C:\\zd-window\\large\r/' "$ini"
(cd "$scratch" && exec "$wine" "$exe") >/dev/null 2>&1 &
zendrift=$!
timeout 60 xdotool search --sync --onlyvisible --name "^Zendrift 1\.8\.9 \(Build 36\)$" >/dev/null || fail "no window for the second run"
# Exit right after Start Scan: how far the walk got by then is the machine's business, and
# either way the window must close and save.
read -r sl st sw sh <<<"$(probe rect scan)"
read -r el et ew eh <<<"$(probe rect exit)"
xdotool mousemove $((sl + sw / 2)) $((st + sh / 2)) click 1 mousemove $((el + ew / 2)) $((et + eh / 2)) click 1
for _ in $(seq 150); do kill -0 "$zendrift" 2>/dev/null || break; sleep 0.2; done
kill -0 "$zendrift" 2>/dev/null && fail "the window did not close during its scan"
wait "$zendrift" || fail "exit status $? after closing during a scan"
zendrift=""
grep -q '^UserDir=C:\\zd-window\\large' "$ini" || fail "closing during a scan saved no settings"

# --- the command line: /start /delete /exit with the window showing, nothing saved -------------
plant
sed -i 's/^UserDir=.*/UserDir=C:\\zd-window\\planted\r/' "$ini"
saved=$(md5sum <"$ini")
(cd "$scratch" && timeout 120 "$wine" "$exe" /start /delete /exit) >/dev/null 2>&1 || fail "/start /delete /exit failed"
[ "$(planted_orphans)" = "$(printf './live.lnk\n./sub/folder.lnk')" ] || fail "/start /delete /exit left: $(planted_orphans | tr '\n' ' ')"
[ "$(md5sum <"$ini")" = "$saved" ] || fail "/start /delete /exit changed the settings"
echo "window_test: passed"
