#!/usr/bin/env bash
# Configures and builds one flavour of nosignal.
#   scripts/build.sh release              optimised, in build/release
#   scripts/build.sh asan                 AddressSanitizer + UBSan, in build/asan
#   scripts/build.sh tsan                 ThreadSanitizer, in build/tsan
#   scripts/build.sh win64                Windows x64 with mingw-w64, in build/win64
#   scripts/build.sh win32                Windows x86 with mingw-w64, in build/win32
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release -DNOSIGNAL_TESTS=ON -DNOSIGNAL_BENCH=ON) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DNOSIGNAL_SANITIZE=address,undefined" -DNOSIGNAL_BENCH=OFF) ;;
  tsan) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DNOSIGNAL_SANITIZE=thread -DNOSIGNAL_BENCH=OFF) ;;
  win64) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw.cmake -DNOSIGNAL_WINDOWS_ARCH=x86_64) ;;
  win32) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw.cmake -DNOSIGNAL_WINDOWS_ARCH=i686) ;;
  *) echo "unknown build flavour: $flavour" >&2; exit 2 ;;
esac

# A compiler cache, where one is installed, makes rebuilds of other
# checkouts and flavours quick; paths below the checkout count as relative.
if command -v ccache >/dev/null; then
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD"
fi

# A tree configured with a toolchain file that is no more (the two Windows
# files became one) is configured afresh.
cache="build/$flavour/CMakeCache.txt"
toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$cache" 2>/dev/null || true)
if [[ -n $toolchain && ! -f $toolchain ]]; then
  rm -rf "$cache" "build/$flavour/CMakeFiles"
fi

cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" > /dev/null
cmake --build "build/$flavour" -j "${NOSIGNAL_JOBS:-$(nproc)}"
