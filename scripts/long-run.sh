#!/usr/bin/env bash
# The end-to-end run of a 100,000-entry manifest (about seventeen minutes at
# one entry per 10 ms tick), too long for the test command, which runs the
# same scenario with 20,000 entries. Prints the run's pace, memory and GDI
# objects. VEXLO_LONG_RUN_ENTRIES chooses another size.
#
# `long-run.sh silent` runs the same number of entries with /S instead and
# prints its time against the bare removal of the same files, and the
# program's memory at the start of its run and at its end.
set -euo pipefail
source "$(dirname "$0")/wine-session.sh"
export VEXLO_LONG_RUN_ENTRIES=${VEXLO_LONG_RUN_ENTRIES:-100000}
if [ "${1:-}" = silent ]; then
  wine_throwaway_run long-run bench bench.exe long
else
  wine_throwaway_run long-run e2e_tests e2e_tests.exe --gtest_filter=Uninstaller.LongManifestRunsToTheEndInBoundedMemory
fi
