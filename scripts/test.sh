#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: once optimised
# (with the checks of the installed files and of the Debian package), once
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the threaded and
# end-to-end tests once more under ThreadSanitizer; then the Windows x64 and
# x86 builds under Wine, and their installer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

# One Wine prefix (1.3 GB) for every run of a Windows program, removed at the
# end: the next run makes it again in about a minute.
export WINEPREFIX="$PWD/build/wineprefix"
remove_wine_prefix() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap remove_wine_prefix EXIT

jobs=$(nproc)
for flavour in release asan; do
  echo "== $flavour build"
  scripts/build.sh "$flavour"
  (cd "build/$flavour" && ctest --output-on-failure -j "$jobs")
done

# The noise kernels once more on an emulated processor with SSE2 and nothing
# newer, so that the choices below AVX2 and SSSE3 run too.
if [ "$(uname -m)" = x86_64 ]; then
  echo "== noise kernels on a processor without AVX2"
  qemu-x86_64 -cpu qemu64 build/release/tests/noise_fill_test
  qemu-x86_64 -cpu qemu64 build/release/tests/soft_pixel_convert_test
  qemu-x86_64 -cpu qemu64 build/release/tests/frame_pixels_pin_test
fi

echo "== tsan build"
scripts/build.sh tsan
(cd build/tsan && ctest --output-on-failure -j "$jobs" -L 'threads|e2e')

scripts/test-windows.sh
