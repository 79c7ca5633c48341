#!/usr/bin/env bash
# Installs the Debian packages that Zendrift needs to build and test, only those missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev libgl-dev
  libclang-rt-14-dev
  liblnk-dev libbfio-dev
  xauth xvfb x11-utils imagemagick xdotool fonts-liberation
  wine
  nlohmann-json3-dev
  libsqlite3-dev
  dpkg-dev lintian appstream desktop-file-utils mmdebstrap nsis unzip
  bc time
  sqlite3 shared-mime-info
)
# Debian 12 splits Wine into the launcher (wine) and the 64-bit loader (wine64). The tests run
# Wine's own menu builder; the Windows tests run under Wine.
if apt-cache show wine64 >/dev/null 2>&1; then packages+=(wine64); fi
if [ "$#" -gt 0 ]; then packages+=("$@"); fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$package")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
