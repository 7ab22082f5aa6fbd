#!/usr/bin/env bash
# Runs a test program under Wine for ctest. The output goes through a file:
# Wine closes a desktop a second after its last program ends, and a program
# that needs it again starts a new explorer.exe, which inherits that
# program's output. Were the output ctest's pipe, ctest would wait for that
# explorer.exe as for the test itself, a minute or more when other tests keep
# the desktop busy.
#
# Every test program prints before it does anything. Rarely, on a busy
# machine, wine ends with an error before the program has started at all;
# that run is reported and made once more, and the second one counts.
out=$(mktemp)
wine "$@" </dev/null >"$out" 2>&1
status=$?
if [ $status -ne 0 ] && [ ! -s "$out" ]; then
    echo "test-wine: wine ended with status $status before the program printed anything; running it once more"
    wine "$@" </dev/null >"$out" 2>&1
    status=$?
fi
cat "$out"
rm -f "$out"
exit $status
