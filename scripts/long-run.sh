#!/usr/bin/env bash
# The end-to-end run of a 100,000-entry manifest (about seventeen minutes at
# one entry per 10 ms tick), too long for the test command, which runs the
# same scenario with 20,000 entries. Prints the run's pace, memory and GDI
# objects. VEXLO_LONG_RUN_ENTRIES chooses another size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_BUILD_DIR:-$root/build}

"$root/scripts/build.sh" e2e_tests

source "$root/scripts/wine-session.sh"
wine_throwaway_session long-run
export VEXLO_LONG_RUN_ENTRIES=${VEXLO_LONG_RUN_ENTRIES:-100000}
status=0
wine "$build/bin/e2e_tests.exe" --gtest_filter=Uninstaller.LongManifestRunsToTheEndInBoundedMemory || status=$?
wine_session_stop
exit $status
