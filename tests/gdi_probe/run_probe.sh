#!/usr/bin/env bash
# Runs gdi_probe.exe under Wine:  run_probe.sh PROBE CASES OUTPUT
# In $WINEPREFIX, else a prefix beside OUTPUT, whose server runs on, detached,
# for later runs (a test would wait on a pipe the server inherited).
set -euo pipefail
probe=$(realpath "$1")
cases=$(realpath "$2")
output=$(realpath -m "$3")
export WINEPREFIX=${WINEPREFIX:-$(dirname "$output")/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$WINEPREFIX"
setsid wineserver -p </dev/null >/dev/null 2>&1 || true
if [ ! -f "$WINEPREFIX/.gdi_probe_ready" ]; then
  setsid wine wineboot -i </dev/null >/dev/null 2>&1
  touch "$WINEPREFIX/.gdi_probe_ready"
fi
rm -f "$output"
# Wine's Z: drive is the Unix root.
wine "Z:$probe" "Z:$cases" "Z:$output" </dev/null
test -s "$output"
