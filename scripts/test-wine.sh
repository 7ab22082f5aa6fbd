#!/usr/bin/env bash
# Runs a test program under Wine for ctest. The output goes through a file:
# Wine closes a desktop a second after its last program ends, and a program
# that needs it again starts a new explorer.exe, which inherits that
# program's output. Were the output ctest's pipe, ctest would wait for that
# explorer.exe as for the test itself, a minute or more when other tests keep
# the desktop busy.
#
# Two faults of Wine end a test program before its test has ended; the run
# is reported and made once more, and the second one counts:
# - rarely, on a busy machine, wine ends with an error before the program
#   has printed anything;
# - a Wine program keeps the X window of its desktop from its start, and
#   dies of an X error (BadWindow) when it makes a window after that desktop
#   window went away. Every test program prints a summary line when it ends:
#   without one, the test itself never ended, whatever it had checked.
out=$(mktemp)
wine "$@" </dev/null >"$out" 2>&1
status=$?
if [ $status -ne 0 ] && [ ! -s "$out" ]; then
    echo "test-wine: wine ended with status $status before the program printed anything; running it once more"
    wine "$@" </dev/null >"$out" 2>&1
    status=$?
elif [ $status -ne 0 ] && grep -q '^X Error of failed request' "$out" && ! grep -q '^\[==========\] .* ran\.' "$out"; then
    echo "test-wine: the program died of an X error before its test ended (status $status); running it once more. Its output:"
    sed 's/^/test-wine:   /' "$out"
    wine "$@" </dev/null >"$out" 2>&1
    status=$?
fi
cat "$out"
rm -f "$out"
exit $status
