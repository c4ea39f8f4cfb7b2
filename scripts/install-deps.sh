#!/usr/bin/env bash
# Installs the Debian packages of one set, when any of them is missing. Safe
# to run again; as root, or as a user with sudo.
#   scripts/install-deps.sh run     what building and running the programs needs
#   scripts/install-deps.sh test    that and what every test needs (the default)
set -euo pipefail

set_name=${1:-test}
run_packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev zlib1g-dev fonts-liberation
  # The build renders the menu's icons from the SVG.
  librsvg2-bin
  # X fonts with Cyrillic letters, for the error box's Ukrainian text.
  xfonts-base
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
  python3 xvfb xauth openbox xdotool wmctrl x11-utils imagemagick ffmpeg weston xscreensaver
  dpkg-dev desktop-file-utils appstream man-db groff-base lintian
  qemu-user strace
  # Windows builds and their installer, tested under Wine (x86 through the i386 architecture)
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev googletest nsis
  wine wine64 wine32:i386
)
case "$set_name" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# wine32 is an i386 package: the architecture must be known before the update.
if [ "$set_name" = test ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
# On a fresh machine an unattended upgrade may hold dpkg's lock for a while.
lock=(-o DPkg::Lock::Timeout=600)
"${sudo[@]}" apt-get "${lock[@]}" update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
