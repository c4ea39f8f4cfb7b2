#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: once optimised
# (with the checks of the installed files and of the Debian package), once
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the threaded and
# end-to-end tests once more under ThreadSanitizer; then the Windows x64 and
# x86 builds under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
for flavour in release asan; do
  echo "== $flavour build"
  scripts/build.sh "$flavour"
  (cd "build/$flavour" && ctest --output-on-failure -j "$jobs")
done

echo "== tsan build"
scripts/build.sh tsan
(cd build/tsan && ctest --output-on-failure -j "$jobs" -L 'threads|e2e')

scripts/test-windows.sh
