#!/usr/bin/env bash
# check_package.sh <deb pattern> <version>
# Checks the control fields and the files of the built package.
set -euo pipefail
pattern=$1 version=$2
deb=$(compgen -G "$pattern" | head -n 1) || { echo "no package matching $pattern" >&2; exit 1; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }
# has <list> <package>: the comma-separated relation list names the package
has() { printf '%s\n' "$1" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -qx "$2"; }

dpkg-deb -I "$deb"

[ "$(field Package)" = veltrano ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', want $version"
[ "$(field Section)" = devel ] || fail "Section is '$(field Section)'"
[ "$(field Maintainer)" = "Veltrano-Projekt <kontakt@example.org>" ] ||
    fail "Maintainer is '$(field Maintainer)'"

depends=$(field Depends)
recommends=$(field Recommends)
[ -n "$depends" ] || fail "Depends is empty"
for p in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 qt6-qpa-plugins; do
    has "$depends" "$p" || fail "Depends lacks $p: $depends"
done
has "$depends" libqt6test6 && fail "Depends names the test library: $depends"
for p in qt6-translations-l10n fonts-open-sans; do
    has "$recommends" "$p" || fail "Recommends lacks $p: $recommends"
done

# The files the package may hold: the program, the files that tie it into
# the desktop, the manual and bash, and its documentation; no tests,
# benchmarks or headers. A folder may lead to them.
allowed=(
    ./usr/bin/veltrano
    ./usr/share/applications/org.example.Veltrano.desktop
    ./usr/share/metainfo/org.example.Veltrano.metainfo.xml
    './usr/share/icons/hicolor/*/apps/org.example.Veltrano.png'
    ./usr/share/icons/hicolor/scalable/apps/org.example.Veltrano.svg
    ./usr/share/doc/veltrano/copyright
    ./usr/share/doc/veltrano/changelog.gz
    ./usr/share/man/man1/veltrano.1.gz
    ./usr/share/bash-completion/completions/veltrano
    ./usr/share/lintian/overrides/veltrano
)
allowed_file() {
    local pattern
    for pattern in "${allowed[@]}"; do
        # shellcheck disable=SC2053 # the pattern is a glob
        [[ $1 == $pattern ]] && return 0
    done
    return 1
}
allowed_folder() {
    local pattern
    for pattern in "${allowed[@]}"; do
        [[ $pattern == "$1"* || $1 == "${pattern%%\**}"* ]] && return 0
    done
    return 1
}
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
while IFS= read -r path; do
    if [[ $path == */ ]]; then
        allowed_folder "$path" || fail "unexpected folder in the package: $path"
    else
        allowed_file "$path" || fail "unexpected file in the package: $path"
    fi
done <<<"$contents"
for path in "${allowed[@]}" ./usr/share/icons/hicolor/{16x16,256x256}/apps/org.example.Veltrano.png; do
    [[ $path == *\** ]] && continue
    grep -qxF "$path" <<<"$contents" || fail "missing from the package: $path"
done

# The program is stripped of its symbol table, its debug information and
# the sections a plain strip keeps.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
sections=$(readelf -SW "$work/usr/bin/veltrano" | grep -Eo ' \.(symtab|debug_info|comment|note) ' || true)
[ -z "$sections" ] || fail "usr/bin/veltrano keeps the sections$(tr -d "\n" <<<"$sections")"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package $deb: all checks passed"
