#!/usr/bin/env bash
# Starts the program under a real X server, ends it through "&Beenden" in the
# "&Datei" menu and checks that it exits with status 0 and has stored its
# window position. Exit code 77 marks the test as skipped.
set -u
program="$1"

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "SKIP: no free display"; exit 77; }

Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done
[ -e "/tmp/.X11-unix/X${display#:}" ] || { echo "SKIP: Xvfb did not start"; exit 77; }

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" DISPLAY="$display"
unset QT_QPA_PLATFORM
settings="$XDG_CONFIG_HOME/Veltrano/Veltrano.conf"
mkdir -p "$(dirname "$settings")"
printf '[Options]\nFirstStart=True\nfrmMsgBoxLeft=1500\nfrmMsgBoxTop=3000\n' >"$settings"

"$program" >"$work/app.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 1 100); do
    window="$(xdotool search --all --pid "$app_pid" --onlyvisible --name '^Veltrano$' 2>/dev/null | head -n1)"
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "FAIL: no window appeared"
    cat "$work/app.log"
    exit 1
fi

# Without a window manager the window needs the focus for the keys.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.3
xdotool key --window "$window" alt+d
sleep 0.3
xdotool key b

status=""
for _ in $(seq 1 100); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        wait "$app_pid"
        status=$?
        break
    fi
    sleep 0.1
done
app_pid_ended="$status"
if [ -z "$app_pid_ended" ]; then
    echo "FAIL: the program did not end through the menu"
    exit 1
fi
app_pid=""

if [ "$status" -ne 0 ]; then
    echo "FAIL: exit status $status"
    cat "$work/app.log"
    exit 1
fi
grep -q '^frmMsgBoxLeft=1500$' "$settings" || { echo "FAIL: frmMsgBoxLeft"; cat "$settings"; exit 1; }
grep -q '^frmMsgBoxTop=3000$' "$settings" || { echo "FAIL: frmMsgBoxTop"; cat "$settings"; exit 1; }
echo "PASS"
