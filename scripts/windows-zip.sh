#!/usr/bin/env bash
# Builds nosignal for Windows x64 and x86 and packs both into one zip file,
# build/nosignal-<version>-windows.zip:
#   nosignal-<version>-windows/x64/nosignal.exe, nosignal-render.exe, nosignal.scr
#   nosignal-<version>-windows/x86/the same, for 32-bit Windows
#   nosignal-<version>-windows/README.txt, LICENSE.txt
# The programs need nothing beside them: they import only system DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(nosignal VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="nosignal-$version-windows"
stage="build/zip/$name"
rm -rf build/zip "build/$name.zip"
for flavour in win64 win32; do
  scripts/build.sh "$flavour" > /dev/null
  folder="$stage/$([ "$flavour" = win64 ] && echo x64 || echo x86)"
  mkdir -p "$folder"
  cp "build/$flavour/nosignal.exe" "build/$flavour/nosignal-render.exe" "build/$flavour/nosignal.scr" "$folder/"
done
# Plain text with Windows line ends, for Notepad.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' data/windows/README.txt.in > "$stage/README.txt"
sed -e 's/$/\r/' LICENSE > "$stage/LICENSE.txt"
(cd build/zip && cmake -E tar cf "../$name.zip" --format=zip "$name")
rm -rf build/zip
echo "build/$name.zip"
