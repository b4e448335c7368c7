#!/usr/bin/env bash
# check_completion.sh <program> <completion file>
# Loads the bash completion into a non-interactive bash, as bash-completion
# loads it, and checks it against the program itself:
# - a word starting with "-" completes to exactly the options of --help;
# - after an option that takes a value ("--opt " or "--opt="), it offers
#   file names or values, and the program accepts every value offered;
# - elsewhere it offers file names.
# Exit status 77 (skipped) when bash-completion is not installed.
set -euo pipefail
program=$(realpath "$1") completion=$(realpath "$2")
loader=/usr/share/bash-completion/bash_completion
[ -r $loader ] || { echo "SKIP: bash-completion is not installed"; exit 77; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/files"
cd "$work/files"
printf ' 32 \r\n 4 \r\n 0 \r\n 0 \r\nFrage\r\nWeiter?\r\n' >frage.msg
mkdir ordner

# offers <words...>: what the completion offers for the last word, sorted,
# on one line.
offers() {
    bash -c '
        source "$1" && source "$2" || exit 1
        shift 2
        COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
        COMPREPLY=()
        _veltrano veltrano "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' completion "$loader" "$completion" veltrano "$@" |
        sort | paste -sd ' '
}

# The options of --help, each name alone, and those that take a value.
help=$(env -u DISPLAY LANG=C.UTF-8 "$program" --help)
options=$(sed -n 's/^  \(-[^ ].*\)/\1/p' <<<"$help" | sed 's/  .*//; s/ <.*//; s/, /\n/g' |
    sort | paste -sd ' ')
with_value=$(sed -n 's/^  \(-[^ ]*, \)*\(--[a-z-]*\) <.*/\2/p' <<<"$help")
[ -n "$options" ] || fail "no options in --help"

offered=$(offers -)
[ "$offered" = "$options" ] || fail "'-' completes to '$offered'; --help lists '$options'"
[ "$(offers --sy)" = --system-modal ] || fail "'--sy' completes to '$(offers --sy)'"

files='frage.msg ordner'
[ "$(offers --code '')" = "$files" ] || fail "a file after --code: '$(offers --code '')'"
[ "$(offers '')" = "$files" ] || fail "a file as the first word: '$(offers '')'"

for option in $with_value; do
    values=$(offers "$option" '')
    [ -n "$values" ] || fail "$option completes to nothing"
    [ "$values" = "$files" ] && continue
    for value in $values; do
        [ "$(offers "$option=${value:0:1}" | tr ' ' '\n' | grep -cx "$value")" = 1 ] ||
            fail "$option=${value:0:1} does not complete to $value"
        rc=0
        env -u DISPLAY "$program" --code "$option=$value" frage.msg >/dev/null 2>"$work/err" || rc=$?
        [ $rc -eq 0 ] || fail "--code $option=$value ended with status $rc: $(head -n 1 "$work/err")"
    done
    rc=0
    env -u DISPLAY "$program" --code "$option=keiner" frage.msg >/dev/null 2>&1 || rc=$?
    [ $rc -eq 2 ] || fail "$program --code $option=keiner ended with status $rc, want 2"
    echo "$option completes to: $values"
done

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the completion offers the options of --help: $options"
