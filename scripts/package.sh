#!/usr/bin/env bash
# Installs what is missing, builds nosignal optimised and makes its Debian
# package: build/package/nosignal_VERSION_ARCH.deb. Install it with
#   sudo apt install ./build/package/nosignal_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
rm -f build/package/nosignal_*.deb
cpack -G DEB --config build/release/CPackConfig.cmake -B "$PWD/build/package"
