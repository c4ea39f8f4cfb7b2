#!/usr/bin/env bash
# Builds nosignal for Windows x64 and x86 and runs their tests under Wine, on
# a display of their own. One Wine server serves all their tests: starting a
# server per program would multiply the run's time many times over. With both
# builds it also makes the installer and tests it on 64-bit Wine, then in a
# 32-bit prefix of its own.
#   scripts/test-windows.sh [win64] [win32]      both when none is named
set -euo pipefail
cd "$(dirname "$0")/.."
flavours=("$@")
[ ${#flavours[@]} -eq 0 ] && flavours=(win64 win32)

for flavour in "${flavours[@]}"; do
  echo "== $flavour build"
  scripts/build.sh "$flavour"
done

export WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The programs' texts are in code page 1251, the stand-in's system code page;
# Wine takes its code page from the locale (which need not be installed).
wine_locale=uk_UA.UTF-8
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

# A display of the run's own; Xvfb writes the number it took once it
# accepts clients.
start_display() {
  local pipe number
  pipe=$(mktemp -u)
  mkfifo "$pipe"
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$pipe" >/dev/null 2>&1 &
  xvfb=$!
  read -r -t 20 number <"$pipe" || { echo "Xvfb did not start" >&2; exit 1; }
  rm -f "$pipe"
  export DISPLAY=":$number"
}
# The 32-bit prefix is only for the installer's test: it goes at the end.
prefix32=$PWD/build/wineprefix32
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "${xvfb:-}" ]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$prefix32"
}
trap cleanup EXIT
start_display

# Output detached, or whoever waits for it (ctest) waits for ever. A server
# left running in the prefix (the pixel probe's) would keep another display.
start_wine() {
  wineserver -k 2>/dev/null || true
  mkdir -p "$WINEPREFIX"
  setsid wineserver -p </dev/null >/dev/null 2>&1
  LC_ALL=$wine_locale setsid wine wineboot -i </dev/null >/dev/null 2>&1
}
start_wine

for flavour in "${flavours[@]}"; do
  echo "== $flavour tests under Wine"
  (cd "build/$flavour" && LC_ALL=$wine_locale ctest --output-on-failure -j 2)
done

if [ ${#flavours[@]} -eq 2 ]; then
  echo "== installer under Wine"
  scripts/windows-installer.sh
  python3 tests/windows/test_installer.py --build-dir build/win64 --source-dir "$PWD"
  echo "== installer under 32-bit Wine"
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix32"
  export WINEPREFIX=$prefix32 WINEARCH=win32
  start_wine
  python3 tests/windows/test_installer.py --build-dir build/win32 --source-dir "$PWD"
fi
