#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing nosignal
# need, when any of them is missing. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev zlib1g-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
  python3 xvfb xauth openbox xdotool wmctrl x11-utils imagemagick ffmpeg weston
  librsvg2-bin dpkg-dev desktop-file-utils appstream man-db groff-base lintian
  qemu-user strace
  # Windows builds, tested under Wine (x86 through the i386 architecture)
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev googletest
  wine wine64 wine32:i386
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# wine32 is an i386 package: the architecture must be known before the update.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
