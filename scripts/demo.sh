#!/usr/bin/env bash
# The demo: installs what is missing, builds, stages a sample installation of
# Vexlo in a throwaway Wine prefix, runs the real uninstall.exe (confirms,
# waits for the end, clicks "完成") and prints a before/after report.
# Screenshots are left in build/demo/, each checked to show its window. It
# uses your X display when there is one, else a private Xvfb.
#
#   scripts/demo.sh second-disk   stages the installation on a second disk
#                                 (D:, another file system), with Explorer
#                                 holding the shell extension, and restarts
#                                 the prefix after the run
#   scripts/demo.sh silent        starts it as a deployment tool does,
#                                 "uninstall.exe /S /LOG=...", nobody at the
#                                 keyboard, and prints its exit code and log
#   scripts/demo.sh scale150      runs twice, at 100 % and at 150 % display
#                                 scaling (96 and 144 DPI), and leaves the
#                                 pictures of each in build/demo/100 and
#                                 build/demo/150
#   scripts/demo.sh cp950         runs on a machine of that ANSI code page:
#                   cp1252        cp950 Traditional Chinese, cp1252 English,
#                   cp65001       cp65001 Windows' UTF-8 option (cp936, the
#                                 default, Simplified Chinese); the report
#                                 says what the box, the title and the
#                                 button showed
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=${VEXLO_BUILD_DIR:-$root/build}/demo
mode=()
case "${1:-}" in
  "") ;;
  second-disk) mode=(--second-disk); export WINE_RUN_SECOND_DISK=1 ;;
  silent) mode=(--silent) ;;
  scale150) mode=(--scale150) ;;
  cp936|cp950|cp1252|cp65001) export WINE_SESSION_CODEPAGE=${1#cp} ;;
  *) echo "usage: $0 [second-disk | silent | scale150 | cp936 | cp950 | cp1252 | cp65001]" >&2; exit 2 ;;
esac
rm -rf "$shots"
mkdir -p "$shots"
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  # On your own display the windows are ordinary windows of your desktop.
  export VEXLO_NO_VIRTUAL_DESKTOP=1 WINE_RUN_DISPLAY=$DISPLAY
fi
source "$root/scripts/wine-session.sh"
wine_throwaway_run demo demo demo.exe "$shots" "${mode[@]}"
