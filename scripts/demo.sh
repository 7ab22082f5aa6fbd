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
wine_common_environment
prefix=$(mktemp -d /tmp/vexlo-demo-XXXXXX)
shots=$build/demo
rm -rf "$shots"
mkdir -p "$shots"
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  # On your own display the windows are ordinary windows of your desktop.
  export VEXLO_NO_VIRTUAL_DESKTOP=1
else
  wine_display_start
  export DISPLAY=$WINE_SESSION_DISPLAY
fi
export WINEPREFIX=$prefix
WINE_SESSION_PREFIXES+=("$prefix")
echo "Creating a throwaway Wine prefix in $prefix ..."
wine_prefix_start "$prefix" "$DISPLAY"
status=0
wine "$build/bin/demo.exe" "$shots" || status=$?
wine_session_stop
rm -rf "$prefix"
exit $status
