#!/usr/bin/env bash
# The one test command: installs what is missing, builds the product and its
# tests for Windows, and runs every test under Wine on a private display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXLO_BUILD_DIR:-$root/build}

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" -- --no-print-directory >/dev/null

source "$root/scripts/wine-session.sh"
wine_session_start "$build/wineprefix"
status=0
ctest --test-dir "$build" --output-on-failure -j2 "$@" || status=$?
wine_session_stop
exit $status
