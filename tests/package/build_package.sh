#!/usr/bin/env bash
# build_package.sh <build dir> <deb pattern> <input files...>
# Runs CPack's DEB generator in the build folder unless a package newer than
# every input file is there already.
set -euo pipefail
build=$1 pattern=$2
shift 2

find_debs() { compgen -G "$pattern" || true; }

debs=$(find_debs)
if [ "$(printf '%s\n' "$debs" | grep -c .)" -eq 1 ]; then
    stale=no
    for input in "$@"; do
        if [ ! -e "$input" ] || [ "$input" -nt "$debs" ]; then
            stale=yes
            break
        fi
    done
    if [ $stale = no ]; then
        echo "package up to date: $debs"
        exit 0
    fi
fi

cd "$build"
rm -f $pattern
cpack -G DEB
debs=$(find_debs)
if [ "$(printf '%s\n' "$debs" | grep -c .)" -ne 1 ]; then
    echo "expected one package matching $pattern, found: ${debs:-none}" >&2
    exit 1
fi
echo "built $debs"
