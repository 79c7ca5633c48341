#!/usr/bin/env bash
# Times a scan from the Win32 window under Wine (zendrift.exe /start /exit on a virtual display:
# the window opens, scans, lists every orphan and ends) against zendrift.exe /list on the same
# folders, the two run alternately; prints the medians of their wall and CPU times (Wine's server
# and the X server included) and the ratio.
# usage: bench/windows/window_scan.sh BUILD_DIR [ROUNDS]   (BUILD_DIR: the cross build of
#        scripts/windows-tests.sh, with zendrift.exe and zd_shell_link_batch.exe; env:
#        ZD_WINDOW_BENCH_DIR, where the prefix and its folders are made once and reused)
set -euo pipefail
build=$(cd "$1" && pwd)
rounds=${2:-5}
exe="$build/src/app/zendrift.exe"
batch_exe=$(find "$build" -name zd_shell_link_batch.exe | head -n 1)
wine=$(command -v wine || command -v wine64)
folders=400 shortcuts_per_folder=12 files_per_folder=100

work=${ZD_WINDOW_BENCH_DIR:-${TMPDIR:-/tmp}/zendrift-window-bench}
scratch="$work/run"
mkdir -p "$scratch"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME="$work/home"
display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
export DISPLAY=$display

# One folder of shortcuts made by Wine's shell-link object (half of them orphans), copied into
# every folder of the tree with plain files beside them; made once.
tree="$WINEPREFIX/drive_c/bench"
orphans=$((folders * shortcuts_per_folder / 2))
stamp="folders=$folders shortcuts=$shortcuts_per_folder files=$files_per_folder"
if [ ! -f "$work/made" ] || [ "$(cat "$work/made")" != "$stamp" ]; then
  rm -rf "$WINEPREFIX" "$HOME" "$work/made"
  mkdir -p "$HOME"
  DISPLAY= "$wine" wineboot --init >/dev/null 2>&1 || true
  wineserver --wait || true
  mkdir -p "$tree/seed" "$WINEPREFIX/drive_c/targets"
  : >"$scratch/links.txt"
  for i in $(seq "$shortcuts_per_folder"); do
    if [ $((i % 2)) -eq 0 ]; then
      touch "$WINEPREFIX/drive_c/targets/t$i.txt"
      printf 'C:\\bench\\seed\\s%d.lnk\tC:\\targets\\t%d.txt\n' "$i" "$i" >>"$scratch/links.txt"
    else
      printf 'C:\\bench\\seed\\s%d.lnk\tC:\\gone\\g%d.exe\n' "$i" "$i" >>"$scratch/links.txt"
    fi
  done
  "$wine" "$batch_exe" "Z:${scratch//\//\\}\\links.txt" >/dev/null 2>&1
  for f in $(seq "$folders"); do
    dir="$tree/d$((f % 20))/f$f"
    mkdir -p "$dir"
    cp "$tree"/seed/*.lnk "$dir/"
    for n in $(seq "$files_per_folder"); do : >"$dir/file$n.dat"; done
  done
  rm -rf "$tree/seed"
  echo "$stamp" >"$work/made"
fi

# Settings that scan only the tree, the same for both runs.
settings="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Zendrift"
mkdir -p "$settings"
printf '[Directories]\r\nStartMenu=0\r\nAllUsersStartMenu=0\r\nDesktop=0\r\nAllUsersDeskTop=0\r\nFavorites=0\r\nHistory=0\r\nProgramFiles=0\r\nTempPath=0\r\nApplicationData=0\r\nRecent=0\r\nUserDir=C:\\bench\r\n' >"$settings/zendrift.ini"

# Wall time on a machine shared with other work varies a lot: the cost compared is the CPU time
# of the run itself plus what it made Wine's server and the X server do meanwhile.
wineserver -k >/dev/null 2>&1 || true
wineserver -f -p >/dev/null 2>&1 &
server=$!
sleep 1
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
measure() {
  local before_server before_x start end
  before_server=$(ticks "$server")
  before_x=$(ticks "$xvfb")
  start=$(date +%s.%N)
  /usr/bin/time -f '%U %S' -o "$scratch/time" "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  read -r user system <"$scratch/time"
  echo "$(echo "$end - $start" | bc) $(echo "$user + $system + ($(ticks "$server") - $before_server + $(ticks "$xvfb") - $before_x) / $hz" | bc -l)"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
found=$("$wine" "$exe" /list 2>/dev/null | grep -c . || true)
[ "$found" -eq "$orphans" ] || echo "warning: /list found $found orphans, expected $orphans" >&2
: >"$scratch/list"
: >"$scratch/window"
: >"$scratch/list-start"
mkdir -p "$WINEPREFIX/drive_c/empty"
: >"$scratch/window-start"
for _ in $(seq "$rounds"); do
  measure "$wine" "$exe" /list >>"$scratch/list"
  measure "$wine" "$exe" /start /exit >>"$scratch/window"
  # What each costs without the scan: /list of an empty folder; the window opened and closed.
  measure "$wine" "$exe" /list /userdir 'C:\empty' >>"$scratch/list-start"
  measure "$wine" "$exe" /exit >>"$scratch/window-start"
done
for run in list window list-start window-start; do
  echo "$run (wall s, CPU s): $(tr '\n' ';' <"$scratch/$run")"
done
list_wall=$(cut -d' ' -f1 "$scratch/list" | median)
list_cpu=$(cut -d' ' -f2 "$scratch/list" | median)
window_wall=$(cut -d' ' -f1 "$scratch/window" | median)
window_cpu=$(cut -d' ' -f2 "$scratch/window" | median)
echo "shortcuts: $((folders * shortcuts_per_folder)) in $folders folders with $((folders * files_per_folder)) other files; orphans: $orphans"
printf 'zendrift.exe /list:    median %.2f s wall, %.2f s CPU over %d runs\n' "$list_wall" "$list_cpu" "$rounds"
printf 'window /start /exit:   median %.2f s wall, %.2f s CPU over %d runs\n' "$window_wall" "$window_cpu" "$rounds"
printf 'window / list:         %.3f (CPU), %.3f (wall)\n' "$(echo "$window_cpu / $list_cpu" | bc -l)" \
  "$(echo "$window_wall / $list_wall" | bc -l)"
list_start=$(cut -d' ' -f2 "$scratch/list-start" | median)
window_start=$(cut -d' ' -f2 "$scratch/window-start" | median)
printf 'without the scan:      /list %.2f s CPU, the window %.2f s CPU\n' "$list_start" "$window_start"
printf 'the scan alone:        window / list %.3f (CPU)\n' \
  "$(echo "($window_cpu - $window_start) / ($list_cpu - $list_start)" | bc -l)"
