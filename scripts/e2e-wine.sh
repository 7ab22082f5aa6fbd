#!/usr/bin/env bash
# Runs a test program in the end-to-end prefix and on its display, which the
# test command prepared (VEXLO_E2E_PREFIX, VEXLO_E2E_DISPLAY).
if [ -n "${VEXLO_E2E_PREFIX:-}" ]; then export WINEPREFIX=$VEXLO_E2E_PREFIX; fi
if [ -n "${VEXLO_E2E_DISPLAY:-}" ]; then export DISPLAY=$VEXLO_E2E_DISPLAY; fi
exec "$(dirname "$0")/test-wine.sh" "$@"
