#!/usr/bin/env bash
# Builds nosignal for Windows x64 and x86 and packs both into one zip file,
# build/nosignal-<version>-windows.zip:
#   nosignal-<version>-windows/x64/nosignal.exe, nosignal-render.exe
#   nosignal-<version>-windows/x86/nosignal.exe, nosignal-render.exe
#   nosignal-<version>-windows/README.md
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
  cp "build/$flavour/nosignal.exe" "build/$flavour/nosignal-render.exe" "$folder/"
  cp "build/$flavour/nosignal.scr" "$folder/"
done
cp README.md "$stage/"
(cd build/zip && cmake -E tar cf "../$name.zip" --format=zip "$name")
rm -rf build/zip
echo "build/$name.zip"
