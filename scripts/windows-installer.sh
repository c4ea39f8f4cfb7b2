#!/usr/bin/env bash
# Builds nosignal for Windows x64 and x86 and makes one installer of both with
# NSIS: build/nosignal-<version>-setup.exe. It installs the programs of the
# machine's architecture (see data/windows/installer.nsi).
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(nosignal VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=build/installer
output="build/nosignal-$version-setup.exe"
rm -rf "$stage" "$output"
defines=()
screensavers=0
for flavour in win64 win32; do
  scripts/build.sh "$flavour" > /dev/null
  arch=$([ "$flavour" = win64 ] && echo X64 || echo X86)
  folder="$stage/${arch,,}"
  mkdir -p "$folder"
  cp "build/$flavour/nosignal.exe" "build/$flavour/nosignal-render.exe" "$folder/"
  if [ -f "build/$flavour/nosignal.scr" ]; then
    cp "build/$flavour/nosignal.scr" "$folder/"
    screensavers=$((screensavers + 1))
  fi
  # The installed size in KiB, as Programs and Features shows it (the
  # uninstaller and the licence add about 60).
  size=$(du -sk "$folder" | cut -f1)
  defines+=("-DSIZE_$arch=$((size + 60))")
done
if [ $screensavers -eq 2 ]; then defines+=(-DSCREENSAVER); fi
cp build/win64/windows/nosignal.ico "$stage/"
sed -e 's/$/\r/' LICENSE > "$stage/LICENSE.txt"
makensis -V2 -INPUTCHARSET UTF8 "-DVERSION=$version" "-DSTAGE=$PWD/$stage" "-DOUTFILE=$PWD/$output" \
  "${defines[@]}" data/windows/installer.nsi
rm -rf "$stage"
echo "$output"
