#!/usr/bin/env bash
# run_lintian.sh <deb pattern>
# Runs Debian's package checker on the built package at every level, info
# and pedantic included. Any finding that the package does not override (in
# /usr/share/lintian/overrides/veltrano, each with its reason) fails.
# Exit status 77 (skipped) when lintian is not installed.
set -euo pipefail
pattern=$1
command -v lintian >/dev/null || { echo "SKIP: lintian is not installed"; exit 77; }
deb=$(compgen -G "$pattern" | head -n 1) || { echo "FAIL: no package matching $pattern" >&2; exit 1; }

# Run as root, lintian warns about that on stderr; that is no finding.
rc=0
lintian -I --pedantic --fail-on error,warning,info,pedantic "$deb" || rc=$?
[ $rc -eq 0 ] || { echo "FAIL: lintian reports findings on $deb (status $rc)" >&2; exit 1; }
echo "lintian: no findings on $deb"
