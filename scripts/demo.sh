#!/usr/bin/env bash
# The demo: installs what is missing, builds, stages a sample installation of
# Vexlo in a throwaway Wine prefix, runs the real uninstall.exe (confirms,
# waits for the end, clicks "完成") and prints a before/after report.
# Screenshots are left in build/demo/. It uses your X display when there is
# one, else a private Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_BUILD_DIR:-$root/build}

"$root/scripts/build.sh" demo

source "$root/scripts/wine-session.sh"
shots=$build/demo
rm -rf "$shots"
mkdir -p "$shots"
display=
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  # On your own display the windows are ordinary windows of your desktop.
  export VEXLO_NO_VIRTUAL_DESKTOP=1
  display=$DISPLAY
fi
echo "Creating a throwaway Wine prefix ..."
wine_throwaway_session demo "$display"
status=0
wine "$build/bin/demo.exe" "$shots" || status=$?
wine_session_stop
exit $status
