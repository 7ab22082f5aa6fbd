#!/usr/bin/env bash
# Runs a test program in the end-to-end prefix as on a display of DPI dots
# per inch (144 is the 150 % scaling of most laptops): Wine reads the
# registry value LogPixels when each process starts, so it is set for this
# run (of the test and of the programs it starts) and put back after it.
#   dpi-wine.sh DPI PROGRAM [ARGS...]
dpi=$1
shift
if [ -n "${VEXLO_E2E_PREFIX:-}" ]; then export WINEPREFIX=$VEXLO_E2E_PREFIX; fi
export WINEDEBUG=-all
key='HKCU\Control Panel\Desktop'
before=$(wine reg query "$key" /v LogPixels 2>/dev/null | awk '/LogPixels/ {print $3}')
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$(dirname "$0")/e2e-wine.sh" "$@"
status=$?
if [ -n "$before" ]; then
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((before))" /f >/dev/null 2>&1
else
  wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
fi
exit $status
