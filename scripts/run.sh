#!/usr/bin/env bash
# Installs what is missing, builds nosignal and renders its first frames.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
mkdir -p out
build/release/nosignal-render --size 320x240 --frames 3 --png out --trace
echo "Frames written to out/"
