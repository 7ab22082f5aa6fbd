#!/usr/bin/env bash
# Runs a test program under Wine for ctest. The output goes through a file:
# Wine closes a desktop a second after its last program ends, and a program
# that needs it again starts a new explorer.exe, which inherits that
# program's output. Were the output ctest's pipe, ctest would wait for that
# explorer.exe as for the test itself, a minute or more when other tests keep
# the desktop busy.
out=$(mktemp)
wine "$@" </dev/null >"$out" 2>&1
status=$?
cat "$out"
rm -f "$out"
exit $status
