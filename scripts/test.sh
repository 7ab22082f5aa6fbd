#!/usr/bin/env bash
# The one test command: installs what is missing, builds the product and its
# tests for Windows, and runs every test under Wine on private displays: the
# unit tests in build/wineprefix, the end-to-end suite in a fresh prefix
# (build/e2e-prefix, with a second disk as D:) on a display of its own, and
# its runs under code pages 950, 1252 and 65001 in a fresh prefix each
# (build/codepage-prefixes) on a third display.
# Arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_BUILD_DIR:-$root/build}

"$root/scripts/build.sh"

source "$root/scripts/wine-session.sh"
wine_session_start "$build/wineprefix"
wine_keep_desktop "$build/wineprefix" "$DISPLAY"

wine_display_start
export VEXLO_E2E_DISPLAY=$WINE_SESSION_DISPLAY
export VEXLO_E2E_PREFIX=$build/e2e-prefix
export VEXLO_SCREENSHOTS=$build/screenshots
rm -rf "$VEXLO_E2E_PREFIX" "$VEXLO_SCREENSHOTS"
wine_prefix_start "$VEXLO_E2E_PREFIX" "$VEXLO_E2E_DISPLAY"
wine_second_disk "$VEXLO_E2E_PREFIX"
wine_keep_desktop "$VEXLO_E2E_PREFIX" "$VEXLO_E2E_DISPLAY"
# The prefixes of the other code pages boot while the first tests run.
wine_display_start
export VEXLO_CODEPAGE_DISPLAY=$WINE_SESSION_DISPLAY
export VEXLO_CODEPAGE_PREFIXES=$build/codepage-prefixes
wine_codepage_prefixes_start "$VEXLO_CODEPAGE_PREFIXES" "$VEXLO_CODEPAGE_DISPLAY"

status=0
ctest --test-dir "$build" --output-on-failure -j2 "$@" || status=$?
wine_session_stop
exit $status
