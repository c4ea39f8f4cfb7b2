#!/usr/bin/env bash
# Runs the real window on a virtual X server with a window manager and prints
# what it costs: CPU (% of one core, from /proc), resident size and its peak,
# and the mean frame period, at 1024x768 and at 3840x2160; then a storm of
# resizes up to 8000x8000 and back, with the resident size after it; and how
# long a close (asked for through the window manager, as the close button
# does) takes to end the program at 1024x768 and at 8000x8000; and the
# screensaver's case, --root on a screen of 3840x2160 of its own.
#   scripts/measure.sh [program]      default: build/release/nosignal
#   MEASURE_SECONDS=30                how long each size is measured
# The frame period is the mean time between the animation thread's 50 ms
# sleeps, seen by strace for a few seconds after the CPU figure is taken (so
# that tracing does not inflate it).
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/release/nosignal}")
seconds=${MEASURE_SECONDS:-30}
[ -x "$program" ] || { echo "no program at $program (scripts/build.sh release)" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A screen large enough for every size below.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 8192x8192x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 1

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The share of one core that process $1 takes over the next $seconds.
cpu_share() {
  local before after
  before=$(cpu_ticks "$1")
  sleep "$seconds"
  after=$(cpu_ticks "$1")
  awk -v d=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" 'BEGIN {printf "%.1f %%", 100 * d / hz / s}'
}
status_kb() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status"; }
mb() { awk -v kb="$1" 'BEGIN {printf "%.1f MB", kb / 1024}'; }
# Where the resident size is: private memory, mapped files (mostly shared
# libraries) and shared memory (the window's pixels, shared with the X server).
rss_parts() {
  printf 'anonymous %s, files %s, shared %s' "$(mb "$(status_kb "$1" RssAnon)")" "$(mb "$(status_kb "$1" RssFile)")" \
    "$(mb "$(status_kb "$1" RssShmem)")"
}

start_program() {
  "$program" >/dev/null 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --classname '^MainWClass$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
  sleep 2
}

stop_program() {
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
}

# Asks the window manager to close the window and prints how long the program
# takes to end; gives up after 30 s.
close_time() {
  local started ended
  started=$(date +%s.%N)
  wmctrl -i -c "$window"
  for _ in $(seq 3000); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.01; done
  ended=$(date +%s.%N)
  if kill -0 "$program_pid" 2>/dev/null; then
    echo "still running 30 s after the close"
  else
    wait "$program_pid" 2>/dev/null || true
    awk -v s="$started" -v e="$ended" 'BEGIN {printf "%.2f s", e - s}'
  fi
}

closes() {
  start_program
  printf 'close at 1024x768: %s\n' "$(close_time)"
  start_program
  resize 8000 8000 3
  printf 'close at 8000x8000: %s\n' "$(close_time)"
}

# Client size: the frame the window manager adds is on top of it.
resize() {
  xdotool windowsize "$window" "$1" "$2"
  sleep "${3:-2}"
}

frame_period_ms() {
  timeout 5 strace -f -qq -ttt -e trace=clock_nanosleep -o "$work/sleeps" -p "$program_pid" 2>/dev/null || true
  awk '/tv_nsec=50000000/ && !/resumed/ {t[n++] = $2} END {
         if (n < 2) print "n/a"; else printf "%.1f ms", (t[n-1] - t[0]) * 1000 / (n - 1) }' "$work/sleeps"
}

measure_at() {
  start_program
  [ "$1x$2" = 1024x768 ] || resize "$1" "$2" 3
  local size cpu
  size=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
  cpu=$(cpu_share "$program_pid")
  printf '%-10s client %-10s CPU %-8s RSS %-9s peak RSS %-9s frame period %s\n' "$1x$2" "$size" "$cpu" \
    "$(mb "$(status_kb "$program_pid" VmRSS)")" "$(mb "$(status_kb "$program_pid" VmHWM)")" "$(frame_period_ms)"
  printf '%-10s RSS: %s\n' "" "$(rss_parts "$program_pid")"
  stop_program
}

resize_storm() {
  start_program
  local fresh
  fresh=$(status_kb "$program_pid" VmRSS)
  for size in "2048 1536" "4096 3072" "8000 8000" "6000 4000" "8000 8000" "3000 2000" "1024 768"; do
    resize $size 2
  done
  sleep 3
  local after
  after=$(status_kb "$program_pid" VmRSS)
  printf 'resizes up to 8000x8000 and back: RSS %s fresh, %s after (%+.0f %%), peak %s\n' "$(mb "$fresh")" \
    "$(mb "$after")" "$(awk -v a="$after" -v f="$fresh" 'BEGIN {print 100 * (a - f) / f}')" \
    "$(mb "$(status_kb "$program_pid" VmHWM)")"
  stop_program
}

# The floor SDL itself sets: a bare window that repaints its surface twenty
# times a second, measured the same way.
bare_window() {
  cc -O2 -x c - -o "$work/bare" $(pkg-config --cflags --libs sdl2) <<'C'
#include <SDL.h>
#include <string.h>
int main(void) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* w = SDL_CreateWindow("MainWClass", 0, 0, 1022, 743, SDL_WINDOW_RESIZABLE);
  for (unsigned frame = 0;; ++frame) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) if (e.type == SDL_QUIT) return 0;
    SDL_Surface* s = SDL_GetWindowSurface(w);
    if (s != NULL) memset(s->pixels, frame & 0x3F, (size_t)s->pitch * s->h);
    SDL_UpdateWindowSurface(w);
    SDL_Delay(50);
  }
}
C
  "$work/bare" >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  sleep 5
  printf '%-10s bare SDL2 window, CPU %s, RSS %s\n' "1022x743" "$(cpu_share "$pid")" "$(mb "$(status_kb "$pid" VmRSS)")"
  printf '%-10s RSS: %s\n' "" "$(rss_parts "$pid")"
  kill "$pid"
}

# The screensaver's case: --root on a screen of 3840x2160 (the frame is the
# whole screen), and how long SIGTERM, as the daemon sends it, takes to end it.
measure_root() {
  local ready="$work/root-display"
  exec 4>"$ready"
  Xvfb -displayfd 4 -screen 0 3840x2160x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  local server=$!
  pids+=("$server")
  exec 4>&-
  for _ in $(seq 100); do [ -s "$ready" ] && break; sleep 0.1; done
  DISPLAY=":$(head -n1 "$ready")" "$program" --root >/dev/null 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
  sleep 3
  printf '%-10s --root     CPU %-8s RSS %-9s peak RSS %-9s frame period %s\n' 3840x2160 "$(cpu_share "$program_pid")" \
    "$(mb "$(status_kb "$program_pid" VmRSS)")" "$(mb "$(status_kb "$program_pid" VmHWM)")" "$(frame_period_ms)"
  local started ended
  started=$(date +%s.%N)
  kill -TERM "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  ended=$(date +%s.%N)
  printf '%-10s --root     SIGTERM to exit: %s\n' "" "$(awk -v s="$started" -v e="$ended" 'BEGIN {printf "%.2f s", e - s}')"
  kill "$server" 2>/dev/null || true
}

echo "program: $program"
bare_window
measure_at 1024 768
measure_at 3840 2160
measure_root
resize_storm
closes
