#!/usr/bin/env bash
# Runs the benchmarks in a throwaway Wine prefix on a private display and
# prints their figures (manifest and properties loading, tick time, run pace
# and start-up of the real uninstall.exe, GDI objects and memory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_BUILD_DIR:-$root/build}

"$root/scripts/build.sh" bench uninstall
echo "uninstall.exe as shipped: $(stat -c %s "$build/bin/uninstall.exe") bytes"

source "$root/scripts/wine-session.sh"
wine_throwaway_session bench
status=0
wine "$build/bin/bench.exe" "$@" || status=$?
wine_session_stop
exit $status
