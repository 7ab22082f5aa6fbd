#!/usr/bin/env bash
# Runs a test program of the code-page scenarios for ctest: under code page
# 936 (and to list its tests) in the end-to-end prefix, else in the prefix
# of the code page VEXLO_CODE_PAGE names, which the test command boots in
# the background (VEXLO_CODEPAGE_PREFIXES, on VEXLO_CODEPAGE_DISPLAY).
root=$(cd "$(dirname "$0")/.." && pwd)
codepage=${VEXLO_CODE_PAGE:-936}
[ "$codepage" = 936 ] && exec "$root/scripts/e2e-wine.sh" "$@"
source "$root/scripts/wine-session.sh"
prefixes=${VEXLO_CODEPAGE_PREFIXES:?the test command names the code-page prefixes}
for _ in $(seq 1 3000); do
  [ -f "$prefixes/ready" ] && break
  sleep 0.1
done
wine_codepage_environment "$codepage" || exit 1
export WINEPREFIX=$prefixes/cp$codepage DISPLAY=${VEXLO_CODEPAGE_DISPLAY:?}
exec "$root/scripts/test-wine.sh" "$@"
