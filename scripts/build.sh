#!/usr/bin/env bash
# Configures and builds one flavour of nosignal.
#   scripts/build.sh release              optimised, in build/release
#   scripts/build.sh asan                 AddressSanitizer + UBSan, in build/asan
#   scripts/build.sh tsan                 ThreadSanitizer, in build/tsan
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DNOSIGNAL_SANITIZE=address,undefined" -DNOSIGNAL_BENCH=OFF) ;;
  tsan) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DNOSIGNAL_SANITIZE=thread -DNOSIGNAL_BENCH=OFF) ;;
  *) echo "unknown build flavour: $flavour" >&2; exit 2 ;;
esac

cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" > /dev/null
cmake --build "build/$flavour"
