#!/usr/bin/env bash
# Starts the real program under Xvfb on a small demo Wine prefix, lets it scan, and saves a
# screenshot of its window at the design size as docs/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

# ZENDRIFT_BIN names an already built program; otherwise the release build is made.
program=${ZENDRIFT_BIN:-}
if [ -z "$program" ]; then
  build="$root/build/release"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENDRIFT_TESTS=OFF >/dev/null
  cmake --build "$build" --target zendrift
  program="$build/src/app/zendrift"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zendrift-demo.XXXX")
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Little-endian 32-bit number as printf escapes.
u32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)); }

# A real shell link whose target is the Windows path $2, written to $1.
shortcut() {
  local file=$1 target=$2
  local base=$((0x1C + 0x11)) suffix=$((0x1C + 0x11 + ${#target} + 1))
  mkdir -p "$(dirname "$file")"
  {
    printf "$(u32 76)\\x01\\x14\\x02\\x00\\x00\\x00\\x00\\x00\\xc0\\x00\\x00\\x00\\x00\\x00\\x00\\x46"
    printf "$(u32 2)$(u32 32)"
    head -c 24 /dev/zero
    printf "$(u32 0)$(u32 0)$(u32 1)"
    head -c 12 /dev/zero
    printf "$(u32 $((suffix + 1)))$(u32 28)$(u32 1)$(u32 28)$(u32 $base)$(u32 0)$(u32 $suffix)"
    printf "$(u32 17)$(u32 3)$(u32 4660)$(u32 16)\\x00"
    printf '%s\0\0' "$target"
    printf "$(u32 0)"
  } > "$file"
}

# The demo prefix: Wine's default layout with a few shortcuts whose programs are gone.
prefix="$work/.wine"
user=demo
home="$prefix/drive_c/users/$user"
mkdir -p "$prefix/dosdevices" "$home/Desktop" "$home/Favorites" "$prefix/drive_c/users/Public/Desktop" \
  "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" "$home/AppData/Roaming/Microsoft/Windows/Recent" \
  "$home/AppData/Local/Microsoft/Windows/History" "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
  "$prefix/drive_c/Program Files/Notepad++"
ln -s ../drive_c "$prefix/dosdevices/c:"
printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\User\n\n' > "$prefix/user.reg"
printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n' > "$prefix/system.reg"
: > "$prefix/drive_c/Program Files/Notepad++/notepad++.exe"
startmenu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
shortcut "$startmenu/Old Game/Old Game.lnk" 'C:\Program Files\Old Game\game.exe'
shortcut "$startmenu/Old Game/Uninstall Old Game.lnk" 'C:\Program Files\Old Game\uninst.exe'
shortcut "$startmenu/Notepad++.lnk" 'C:\Program Files\Notepad++\notepad++.exe'
shortcut "$home/Desktop/Photo Viewer.lnk" 'C:\Program Files\Photo Viewer\viewer.exe'
shortcut "$home/AppData/Roaming/Microsoft/Windows/Recent/holiday.jpg.lnk" 'C:\users\demo\Pictures\holiday.jpg'

# A display of its own, large enough for the window at its designed place (243, 504).
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xwininfo -root -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

mkdir -p "$work/config"
# The demo folder is the home: the prefix selector lists the demo prefix, not this machine's.
HOME="$work" USER=$user WINEPREFIX="$prefix" XDG_CONFIG_HOME="$work/config" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
  "$program" /start >/dev/null 2>&1 &
app_pid=$!

title="Zendrift 1.8.9 (Build 36)"
for _ in $(seq 100); do
  xwininfo -display "$display" -name "$title" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 2  # the scan and the first paints
mkdir -p "$root/docs"
import -display "$display" -window "$title" "$root/docs/screenshot.png"
echo "Saved $root/docs/screenshot.png"
