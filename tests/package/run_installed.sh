#!/usr/bin/env bash
# run_installed.sh <deb pattern>
# Installs the built package with apt-get, shows its manual page with man,
# completes an option in a bash started afterwards, prints the code of a
# definition file with the installed program's --code (no display, an empty
# home that stays empty), starts the installed program under an X server of
# its own with an empty home, ends it through "Datei" > "Beenden" and checks
# that it ends with status 0.
# Exit status 77 (skipped) only when this machine can't run the check at all.
set -euo pipefail
pattern=$1

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in Xvfb xdotool apt-get dpkg dpkg-query readelf; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
else
    skip "installing a package needs root or sudo without a password"
fi

deb=$(compgen -G "$pattern" | head -n 1) || fail "no package matching $pattern"
deb=$(realpath "$deb")

status() { dpkg-query -W -f='${Status}' veltrano 2>/dev/null || true; }
was_installed=no
[ "$(status)" = "install ok installed" ] && was_installed=yes

work=$(mktemp -d)
xvfb_pid='' app_pid=''
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    # A package this check put on the machine leaves with it.
    if [ $was_installed = no ] && [ -n "$(status)" ]; then
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive dpkg --purge veltrano >/dev/null ||
            echo "could not remove the package again" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "installing $deb"
if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "$deb"; then
    # Never leave it unpacked but unconfigured.
    if [ -n "$(status)" ] && [ "$(status)" != "install ok installed" ]; then
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive dpkg --purge veltrano || true
    fi
    fail "apt-get could not install the package"
fi
[ "$(status)" = "install ok installed" ] || fail "package state after install: $(status)"

program=/usr/bin/veltrano
[ -x $program ] || fail "$program is missing"
needed=$(readelf -d $program | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "NEEDED: $(echo $needed)"
grep -q '^libQt6Test' <<<"$needed" && fail "$program links the Qt test library"
grep -q '^libQt6Widgets' <<<"$needed" || fail "$program does not link Qt Widgets"
ls /usr/share/icons/hicolor/48x48/apps/org.example.Veltrano.png >/dev/null ||
    fail "the icon is not installed"

# "man veltrano" finds and shows the page, unless this machine's dpkg is told
# to leave manual pages out (as slim container images are).
if ! command -v man >/dev/null; then
    echo "man is not installed; man veltrano not checked"
elif [ -e /usr/share/man/man1/veltrano.1.gz ]; then
    page=$(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 MANWIDTH=80 man veltrano 2>&1) ||
        fail "man veltrano failed: $page"
    grep -q '^ *veltrano - baut MsgBox-Aufrufe' <<<"$page" ||
        fail "man veltrano shows no NAME line: $(head -n 5 <<<"$page")"
    echo "man veltrano shows the page"
elif grep -Rqs '^path-exclude.*/usr/share/man' /etc/dpkg/dpkg.cfg.d; then
    echo "dpkg on this machine leaves manual pages out; man veltrano not checked"
else
    fail "the manual page is not installed"
fi

# A bash started now loads the completion when "veltrano" is first completed.
if [ ! -r /usr/share/bash-completion/bash_completion ]; then
    echo "bash-completion is not installed; the completion not checked"
else
    completed=$(env -i PATH=/usr/bin:/bin bash -c '
        source /usr/share/bash-completion/bash_completion || exit 1
        __load_completion veltrano || exit 1
        COMP_WORDS=(veltrano --style s) COMP_CWORD=2 COMP_LINE="veltrano --style s" COMP_POINT=18
        "$(complete -p veltrano | sed "s/.*-F \([^ ]*\).*/\1/")" veltrano s --style
        printf "%s\n" "${COMPREPLY[@]}"' 2>&1) || fail "bash does not load the completion: $completed"
    [ "$completed" = select ] || fail "'veltrano --style s' completes to '$completed'"
    echo "bash completes 'veltrano --style s' to 'select'"
fi

# The command line needs no display and leaves the home alone.
cli_home=$work/cli-home
mkdir -p "$cli_home"
printf ' 64 \r\n 4 \r\n 256 \r\n 2 \r\nPr\374fung\r\nZeile 1\r\nZeile 2\r\n' >"$work/frage.msg"
printf '%s\n' '' 'Dim Antwort As VbMsgBoxResult' \
    'Antwort = MsgBox("Zeile 1" & vbcr & "Zeile 2", vbInformation or vbYesNo or vbDefaultButton2, "Prüfung")' \
    >"$work/expected.txt"
rc=0
env -i PATH=/usr/bin:/bin HOME="$cli_home" LANG=C.UTF-8 \
    $program --code "$work/frage.msg" >"$work/code.txt" 2>"$work/code.err" || rc=$?
cat "$work/code.err" >&2
[ $rc -eq 0 ] || fail "$program --code ended with status $rc"
cmp "$work/code.txt" "$work/expected.txt" ||
    fail "$program --code printed $(od -c "$work/code.txt" | head -n 20)"
[ ! -s "$work/code.err" ] || fail "$program --code wrote to stderr"
[ -z "$(ls -A "$cli_home")" ] || fail "$program --code left $(ls -A "$cli_home") in its home"
echo "installed $program --code printed the code of a definition file"

# An empty home whose settings mark the first start as done, so that no
# data folder dialog comes up.
home=$work/home
mkdir -p "$home/.config/Veltrano" "$work/runtime"
chmod 700 "$work/runtime"
printf '[Options]\nFirstStart=True\n' >"$home/.config/Veltrano/Veltrano.conf"

# The X server picks a free display itself and reports its number.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -noreset -nolisten tcp \
    5>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 $xvfb_pid 2>/dev/null || { cat "$work/xvfb.log" >&2; skip "Xvfb does not start"; }
    sleep 0.1
done
[ -s "$work/display" ] || skip "Xvfb reports no display"
display=":$(head -n 1 "$work/display")"
echo "X server on $display"

env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_RUNTIME_DIR="$work/runtime" DISPLAY="$display" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
    $program >"$work/app.log" 2>&1 &
app_pid=$!

export DISPLAY=$display
window=''
for _ in $(seq 150); do
    kill -0 $app_pid 2>/dev/null || { cat "$work/app.log" >&2; app_pid=''; fail "the program ended before showing its window"; }
    window=$(xdotool search --all --onlyvisible --pid $app_pid 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { cat "$work/app.log" >&2; fail "no visible window within 30 s"; }
echo "window $window: $(xdotool getwindowname "$window" 2>/dev/null || true)"

# No window manager runs, so give the window the keyboard focus directly,
# then open the "&Datei" menu and choose "&Beenden".
sleep 0.5
xdotool windowfocus --sync "$window" || true
xdotool key --clearmodifiers alt+d
sleep 0.5
xdotool key --clearmodifiers b

for _ in $(seq 100); do
    kill -0 $app_pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 $app_pid 2>/dev/null; then
    cat "$work/app.log" >&2
    fail "the program still runs 10 s after Datei > Beenden"
fi
rc=0
wait $app_pid || rc=$?
app_pid=''
cat "$work/app.log"
[ $rc -eq 0 ] || fail "the program ended with status $rc"

# Ending through the menu unloads the window, which keeps its position.
grep -q '^frmMsgBoxLeft=' "$home/.config/Veltrano/Veltrano.conf" ||
    fail "the window position was not saved on the way out"
echo "installed program started, showed its window and ended with status 0"
