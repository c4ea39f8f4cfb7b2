#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing nosignal
# need, when any of them is missing. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev zlib1g-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 xvfb xauth openbox xdotool x11-utils imagemagick ffmpeg weston
  librsvg2-bin dpkg-dev desktop-file-utils appstream man-db groff-base lintian
  qemu-user strace
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
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
