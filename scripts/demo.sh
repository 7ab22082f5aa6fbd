#!/usr/bin/env bash
# The demo: installs what is missing, builds, stages a sample installation of
# Vexlo in a throwaway Wine prefix, runs the real uninstall.exe (confirms,
# waits for the end, clicks "完成") and prints a before/after report.
# Screenshots are left in build/demo/. It uses your X display when there is
# one, else a private Xvfb.
#
#   scripts/demo.sh second-disk   stages the installation on a second disk
#                                 (D:, another file system), with Explorer
#                                 holding the shell extension, and restarts
#                                 the prefix after the run
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_BUILD_DIR:-$root/build}
mode=()
case "${1:-}" in
  "") ;;
  second-disk) mode=(--second-disk) ;;
  *) echo "usage: $0 [second-disk]" >&2; exit 2 ;;
esac

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
[ ${#mode[@]} -eq 0 ] || wine_second_disk "$WINEPREFIX"
status=0
wine "$build/bin/demo.exe" "$shots" "${mode[@]}" || status=$?
wine_session_stop
exit $status
