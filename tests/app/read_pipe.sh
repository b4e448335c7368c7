#!/usr/bin/env bash
# read_pipe.sh <program>
# --read in a shell pipeline, as a user types it: a Basic call piped in
# comes out in C#, and an endless writer ends in an error (exit 1) instead
# of growing the program.
set -uo pipefail
program=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LANG=C.UTF-8
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

got=$(printf 'If MsgBox("Weiter?", vbQuestion Or vbYesNo, "Frage") = vbYes Then\r\nEnd If\r\n' |
    "$program" --read - --language csharp)
status=$?
want='if (MessageBox.Show("Weiter?", "Frage", MessageBoxButtons.YesNo, MessageBoxIcon.Question) == DialogResult.Yes)
{
    // Ja
}
else
{
    // Nein
}'
[ $status -eq 0 ] || fail "the pipe ended with status $status"
[ "$got" = "$want" ] || fail "the pipe gave:
$got"

# What the program reports, then its exit status.
ended=$(yes | "$program" --read - 2>&1 >/dev/null; echo "exit ${PIPESTATUS[1]}")
[[ $ended == "veltrano: -: 321 "*$'\n'"exit 1" ]] || fail "yes | veltrano --read - gave: $ended"

# Started without stdin, the program must not read a file of its own that
# took the number 0: it reads nothing and finds no call.
ended=$("$program" --read - 2>&1 <&-; echo "exit $?")
[[ $ended == "veltrano: -: Zeile 1, Spalte 1: "*$'\n'"exit 1" ]] ||
    fail "veltrano --read - <&- gave: $ended"

[ $failures -eq 0 ] || exit 1
echo "--read converts in a pipe and ends an endless one"
