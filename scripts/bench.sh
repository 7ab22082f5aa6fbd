#!/usr/bin/env bash
# Runs the benchmarks in a throwaway Wine prefix on a private display and
# prints their figures (the size of uninstall.exe as the build made it,
# manifest and properties loading, tick time, run pace and start-up of the
# real uninstall.exe, GDI objects and memory, silent runs of 1,000 and 20,000
# entries against a bare removal of the same files). Arguments choose parts:
# loading, ticks, runs, silent.
set -euo pipefail
source "$(dirname "$0")/wine-session.sh"
wine_throwaway_run bench "bench uninstall" bench.exe "$@"
