#!/usr/bin/env bash
# Makes the menu entries that Wine's own menu builder writes, for the menu-entry tests: a real
# prefix made by wineboot, shortcuts saved through Wine's shell (which runs winemenubuilder), all
# with a private home and private XDG folders below the folder given.
#
#   WORK/old-prefix   shortcuts made here, then the prefix is moved away: their entries are stale
#   WORK/prefix       the prefix that stays, with its own shortcuts and entries
#   WORK/home, WORK/data, WORK/config   $HOME (with Desktop), $XDG_DATA_HOME, $XDG_CONFIG_HOME
#
# Prints the name of the prefix's user on success.
set -euo pipefail
work=$1
wine=$(command -v wine || command -v wine64)

export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY XDG_DESKTOP_DIR
mkdir -p "$HOME/Desktop" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"

# Saves shortcuts through IShellLink, as an installer does; Wine then builds their menu entries.
# Arguments: pairs of shortcut and target, Windows paths.
save_shortcuts() {
  local script="$WINEPREFIX/drive_c/shortcuts.js"
  {
    echo 'var shell = WScript.CreateObject("WScript.Shell");'
    echo 'var files = WScript.CreateObject("Scripting.FileSystemObject");'
    echo 'function folder(path) { if (!files.FolderExists(path)) { folder(files.GetParentFolderName(path)); files.CreateFolder(path); } }'
    while [ "$#" -gt 0 ]; do
      local link=${1//\\/\\\\} target=${2//\\/\\\\}
      echo "folder(files.GetParentFolderName(\"$link\"));"
      echo "var link = shell.CreateShortcut(\"$link\"); link.TargetPath = \"$target\"; link.Save();"
      shift 2
    done
  } > "$script"
  "$wine" cscript //nologo 'C:\shortcuts.js' >/dev/null 2>&1
  # The menu builder runs on after the script; it is done when the server ends.
  wineserver -w
  rm -f "$script"
}

export WINEPREFIX="$work/old-prefix"
# The server then ends with its last program, not seconds later.
mkdir -p "$WINEPREFIX"
wineserver -p0
"$wine" wineboot --init >/dev/null 2>&1
user=$(ls "$WINEPREFIX/drive_c/users" | grep -v '^Public$' | head -n 1)
programs="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"
desktop="C:\\users\\$user\\Desktop"

# Two with programs whose icons Wine extracts: regedit's only this entry names, notepad's the
# prefix's own Notepad entry below names too.
save_shortcuts "$programs\\Old Stuff\\Old Game.lnk" 'C:\Program Files\Old\game.exe' \
               "$programs\\Old Stuff\\Old Tool.lnk" 'C:\windows\regedit.exe' \
               "$programs\\Old Stuff\\Old Notepad.lnk" 'C:\windows\notepad.exe' \
               "$desktop\\Old Desk.lnk" 'C:\Program Files\Old\desk.exe'
mv "$work/old-prefix" "$work/prefix"

export WINEPREFIX="$work/prefix"
wineserver -p0
save_shortcuts "$programs\\My Games\\Sub Dir\\Space Game.lnk" 'C:\Program Files\Gone\game.exe' \
               "$programs\\Notepad.lnk" 'C:\windows\notepad.exe' \
               "$desktop\\Desk Thing.lnk" 'C:\Program Files\Gone\desk.exe' \
               'C:\users\Public\Desktop\Common Thing.lnk' 'C:\Program Files\Gone\common.exe'
# The old prefix is gone, with its own shortcuts; its menu entries stay behind. (Removed only now:
# Wine deletes the entries of shortcuts that it finds missing whenever it starts in a prefix.)
rm -r "$work/prefix/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Old Stuff" \
      "$HOME/Desktop/Old Desk.lnk"
echo "$user"
