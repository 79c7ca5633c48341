#!/usr/bin/env bash
# Installs the Debian package on a clean Debian system (a fresh root made by mmdebstrap, with
# the machine's own release) and starts the program the way the desktop's menu does: from the
# Exec line of its desktop entry, on an X server of its own. Passes when the window appears.
# Needs root (for the fresh root and chroot) and Debian's mirror.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${ZENDRIFT_DEB_BUILD:-$root/build/ci}"
started=$(date +%s)

if [ "$(id -u)" -ne 0 ]; then
  echo "package-install: needs root to make a fresh root and chroot into it" >&2
  exit 1
fi
# The package of this build, made afresh (package-deb.sh removes any older one first).
ZENDRIFT_DEB_BUILD="$build" bash "$root/scripts/test.d/package-deb.sh" >/dev/null
deb=$(ls "$build"/zendrift_*.deb)

. /etc/os-release
mirror=${ZENDRIFT_DEBIAN_MIRROR:-http://deb.debian.org/debian}
fresh=$(mktemp -d "$build/fresh-root.XXXXXX")
cleanup() {
  umount -l "$fresh/proc" 2>/dev/null || true
  # Never into a file system mounted below it, should the unmount have failed.
  rm -rf --one-file-system "$fresh"
}
trap cleanup EXIT

# The X server and the tool that lists its windows are the only things besides the package.
mmdebstrap --quiet --variant=apt --include=xvfb,x11-utils "$VERSION_CODENAME" "$fresh" "$mirror" >/dev/null
cp "$deb" "$fresh/tmp/zendrift.deb"
# apt takes what the package says it depends on, and nothing else.
if ! chroot "$fresh" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends /tmp/zendrift.deb' >"$build/package-install.log" 2>&1; then
  echo "package-install: apt could not install the package on a clean system:" >&2
  cat "$build/package-install.log" >&2
  exit 1
fi
mount -t proc proc "$fresh/proc"

cat >"$fresh/tmp/launch.sh" <<'LAUNCH'
set -u
export HOME=/tmp/home DISPLAY=:77 XDG_RUNTIME_DIR=/tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
entry=/usr/share/applications/org.zendrift.Zendrift.desktop
# The command of the menu entry, without the field codes a launcher would fill in.
command=$(sed -n 's/^Exec=//p' "$entry" | head -1 | sed 's/ *%[fFuUick]//g')
sh -c "$command" >/tmp/program.log 2>&1 &
program=$!
title=
# A first start on a fresh system may take a while on a busy machine.
for _ in $(seq 900); do
  title=$(xwininfo -root -tree | grep -o '"Zendrift [0-9][^"]*"' | head -1 || true)
  [ -n "$title" ] && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
state="ended"
kill -0 "$program" 2>/dev/null && state="was still running"
kill "$program" "$xvfb" 2>/dev/null
wait 2>/dev/null
if [ -z "$title" ]; then
  echo "package-install: '$command' from $entry showed no window in 90 s ($state); it said:" >&2
  cat /tmp/program.log >&2
  exit 1
fi
echo "package-install: $entry started $command, window $title"
LAUNCH
# A clean environment, as a desktop session's launcher gives: nothing of the test run's own (its
# QT_QPA_PLATFORM=offscreen would keep the window off the X server).
chroot "$fresh" env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 bash /tmp/launch.sh
echo "package-install: clean in $(( $(date +%s) - started )) s"
