#!/usr/bin/env bash
# Installs what building and running needs, builds the two programs (no
# tests, no benchmarks) and starts nosignal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run

# build/release is shared with scripts/build.sh release, which builds the
# tests as well: a folder it has configured is only built here, never
# configured down to the programs alone.
args=(-DCMAKE_BUILD_TYPE=Release -DNOSIGNAL_TESTS=OFF -DNOSIGNAL_BENCH=OFF)
if command -v ccache >/dev/null; then
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD"
fi
[ -f build/release/CMakeCache.txt ] || cmake -S . -B build/release -G Ninja "${args[@]}" > /dev/null
cmake --build build/release --target nosignal nosignal-render
exec build/release/nosignal
