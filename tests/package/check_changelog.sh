#!/usr/bin/env bash
# check_changelog.sh <changelog> <version> <AppStream data>
# The newest changelog entry is the version being built, and it carries the
# date of the newest release in the AppStream data.
set -euo pipefail
changelog=$1 version=$2 metainfo=$3

top=$(dpkg-parsechangelog -l "$changelog" -S Version)
[ "$top" = "$version" ] || { echo "FAIL: the changelog's newest version is $top, want $version" >&2; exit 1; }

date=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
release=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$date" = "$release" ] ||
    { echo "FAIL: the changelog's newest entry is of $date, the AppStream release of $release" >&2; exit 1; }
echo "changelog: $version of $date"
