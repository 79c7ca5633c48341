#!/usr/bin/env bash
# Makes the file association that Wine's own menu builder writes, for the association test: a real
# prefix made by wineboot, a program registered for a file type there, and `winemenubuilder -a`, all
# with a private home and private XDG folders below the folder given.
#
#   WORK/prefix                          the prefix; C:\Program Files\Foo\foo.exe opens .foodoc files
#   WORK/home, WORK/data, WORK/config   $HOME, $XDG_DATA_HOME, $XDG_CONFIG_HOME
#
# Debian's and Ubuntu's Wine packages never write associations (their menu builder bans every file
# type). ZENDRIFT_WINEMENUBUILDER may name a winemenubuilder.exe built from Wine's own source; it
# then runs in the prefix in place of the installed one. Exits with 77 when no association was made.
#
# Prints the files Wine wrote for .foodoc.
set -euo pipefail
work=$1
wine=$(command -v wine || command -v wine64)

export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY XDG_DESKTOP_DIR
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"

export WINEPREFIX="$work/prefix"
mkdir -p "$WINEPREFIX"
# The server then ends with its last program, not seconds later.
wineserver -p0
"$wine" wineboot --init >/dev/null 2>&1
wineserver -w

# A program of the prefix's own, registered as an installer registers it.
mkdir -p "$WINEPREFIX/drive_c/Program Files/Foo"
cp "$WINEPREFIX/drive_c/windows/notepad.exe" "$WINEPREFIX/drive_c/Program Files/Foo/foo.exe"
cat > "$WINEPREFIX/drive_c/foo.reg" <<'REG'
REGEDIT4

[HKEY_CLASSES_ROOT\.foodoc]
@="Foo.Document"

[HKEY_CLASSES_ROOT\Foo.Document]
@="Foo Document"

[HKEY_CLASSES_ROOT\Foo.Document\shell\open\command]
@="\"C:\\Program Files\\Foo\\foo.exe\" \"%1\""
REG
"$wine" regedit /S 'C:\foo.reg' >/dev/null 2>&1
wineserver -w
rm "$WINEPREFIX/drive_c/foo.reg"

if [ -n "${ZENDRIFT_WINEMENUBUILDER:-}" ]; then
  cp "$ZENDRIFT_WINEMENUBUILDER" "$WINEPREFIX/drive_c/winemenubuilder.exe"
  "$wine" 'C:\winemenubuilder.exe' -a >/dev/null 2>&1
  wineserver -w
  rm "$WINEPREFIX/drive_c/winemenubuilder.exe"
else
  "$wine" winemenubuilder -a >/dev/null 2>&1
  wineserver -w
fi

entry="$XDG_DATA_HOME/applications/wine-extension-foodoc.desktop"
if [ ! -f "$entry" ]; then
  echo "this Wine's menu builder wrote no file association" >&2
  exit 77
fi
echo "$entry"
find "$XDG_DATA_HOME/mime/packages" "$XDG_DATA_HOME/icons" -name '*foodoc*' -o -name '*_foo.*' | sort
