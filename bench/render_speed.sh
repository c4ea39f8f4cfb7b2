#!/usr/bin/env bash
# nosignal-render's outputs side by side at 1024x768, in one run: the video
# against composing the same frames with the trace alone, and PNG files.
# Prints each run's processor and wall time and the video's ratio to the
# trace.   bench/render_speed.sh [BUILD_DIR] [FRAMES]
set -euo pipefail
render=${1:-build/release}/nosignal-render
frames=${2:-300}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

measure() {  # name, then the command; prints "name cpu wall" in seconds
  local name=$1
  shift
  /usr/bin/time -f "$name %U %S %e" "$@" 2>&1 >/dev/null | awk '{ printf "%s %.2f %.2f\n", $1, $2 + $3, $4 }'
}

{
  measure trace "$render" --frames "$frames" --trace
  measure y4m "$render" --frames "$frames" --y4m "$scratch/clip.y4m"
  measure png "$render" --frames $((frames / 10)) --png "$scratch/png"
} | awk -v frames="$frames" '
  { cpu[$1] = $2; wall[$1] = $3; printf "%-6s cpu %6.2f s  wall %6.2f s\n", $1, $2, $3 }
  END {
    printf "y4m/trace: cpu %.2fx  wall %.2fx\n", cpu["y4m"] / cpu["trace"], wall["y4m"] / wall["trace"]
    printf "png per frame: cpu %.1f ms\n", 1000 * cpu["png"] / (frames / 10)
  }'
