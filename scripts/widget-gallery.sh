#!/usr/bin/env bash
# Shows the widget gallery on a private display and saves a screenshot of it
# (default docs/widgets.png). Run after scripts/test.sh has built everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_BUILD_DIR:-$root/build}
out=${1:-$root/docs/widgets.png}
mkdir -p "$(dirname "$out")"

source "$root/scripts/wine-session.sh"
wine_session_start "$build/wineprefix"
wine "$build/bin/widget_gallery.exe" 4 >/dev/null 2>&1 &
sleep 3
import -window root -crop 460x260+80+60 "$out"
wait
wine_session_stop
echo "saved $out"
