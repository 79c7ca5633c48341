#!/usr/bin/env bash
# Makes the Debian package from the CI build and checks it: lintian reports no error, the
# AppStream entry validates, the package holds what it must, its program runs from the
# unpacked tree, and apt can satisfy its dependencies.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${ZENDRIFT_DEB_BUILD:-$root/build/ci}"
started=$(date +%s)

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENDRIFT_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/zendrift_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/zendrift_*.deb)
echo "package: $(basename "$deb")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/tree"
for file in usr/bin/zendrift usr/lib/zendrift/zendrift usr/lib/zendrift/window/zendrift-window.so usr/lib/zendrift/manual.html \
    usr/share/man/man1/zendrift.1.gz usr/share/bash-completion/completions/zendrift \
    usr/share/applications/org.zendrift.Zendrift.desktop usr/share/icons/hicolor/48x48/apps/zendrift.png \
    usr/share/icons/hicolor/256x256/apps/zendrift.png usr/share/icons/hicolor/scalable/apps/zendrift.svg \
    usr/share/metainfo/org.zendrift.Zendrift.metainfo.xml usr/share/doc/zendrift/copyright; do
  [ -e "$work/tree/$file" ] || { echo "package-deb: $file is missing" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || { echo "package-deb: no computed dependencies" >&2; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "package-deb: the window's Qt is not a dependency" >&2; exit 1; }
# Qt is the window module's alone: the unattended runs start without loading it.
if objdump -p "$work/tree/usr/lib/zendrift/zendrift" | grep -q 'NEEDED.*libQt'; then
  echo "package-deb: the program itself links Qt" >&2
  exit 1
fi

# The whole tree: the metainfo, and the desktop entry it names.
appstreamcli validate-tree --no-net "$work/tree"
desktop-file-validate "$work/tree/usr/share/applications/org.zendrift.Zendrift.desktop"
# The project publishes no mail address, so the maintainer and the changelog's signature give
# its name only; lintian wants an address there and is told so.
printf '%s\n' malformed-contact syntax-error-in-debian-changelog >"$work/no-address"
lintian --fail-on error --suppress-tags-from-file "$work/no-address" "$deb"
# The unpacked program lists an empty prefix: it runs, and its link on the path leads to it.
mkdir -p "$work/home/.wine/dosdevices" "$work/home/.wine/drive_c"
touch "$work/home/.wine/system.reg"
env -i HOME="$work/home" PATH=/usr/bin:/bin "$work/tree/usr/bin/zendrift" /list >/dev/null 2>&1 ||
  { echo "package-deb: the unpacked program does not run" >&2; exit 1; }
apt-get install --simulate -qq "$deb" >/dev/null
echo "package-deb: clean in $(( $(date +%s) - started )) s"
