#!/usr/bin/env bash
# Start-up time and memory of Veltrano against the floor program (a Qt main
# window with one label, built next to it in bench/startup).
#
#   bash bench/startup/measure.sh [build-dir] [runs] [older-veltrano]
#
# Starts both programs alternately under their own Xvfb, RUNS times each
# (default 20, after one warm-up run each), and measures
#   - the time from process start to a mapped window: xdotool is polled every
#     few milliseconds for a visible window with the process's _NET_WM_PID;
#   - the peak resident memory (VmHWM) once the window has been up for a
#     moment, read just before the process is ended.
# Prints the medians and their ratios to the floor and whether Veltrano
# stays within 1.10 times the floor's time and 1.05 times its memory; exits 1
# if it does not. With OLDER-VELTRANO (an earlier build of the program kept
# aside), that one takes its turn in the same alternation and is reported
# beside the others, so old and new are compared under the same load.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:-build}
runs=${2:-20}
older=${3:-}
floor="$build/bench/startup/startup_floor"
app="$build/app/veltrano"
for program in "$floor" "$app" ${older:+"$older"}; do
    if [ ! -x "$program" ]; then
        echo "measure: $program is missing; build the targets startup_floor and veltrano first" >&2
        exit 2
    fi
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display nobody else uses: Xvfb picks a free number itself and writes it
# to the file, so that parallel test runs cannot collide with this one.
start_xvfb() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 250); do
        [ -s "$work/display" ] && break
        sleep 0.02
    done
    display=":$(head -n1 "$work/display")"
    export DISPLAY="$display" # for xdotool as well as the programs
    xdpyinfo >/dev/null 2>&1 || { echo "measure: Xvfb did not start" >&2; exit 2; }
}
start_xvfb

# A settings store that has seen its first start, so no dialog opens.
home="$work/home"
mkdir -p "$home/.config/Veltrano"
printf '[Options]\nFirstStart=True\nEinstellungSpeicherPfad=%s/\nEinstellungSpeicherOrt=0\n' \
    "$home" >"$home/.config/Veltrano/Veltrano.conf"

now_ns() { date +%s%N; }

# measure_once PROGRAM: prints "<milliseconds to mapped window> <peak RSS kB>".
measure_once() {
    local program=$1 start mapped pid hwm
    start=$(now_ns)
    HOME="$home" XDG_CONFIG_HOME="$home/.config" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
        "$program" >"$work/program.log" 2>&1 &
    pid=$!
    local deadline=$((start + 20000000000))
    until xdotool search --all --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || ! xdpyinfo >/dev/null 2>&1; then
            # The X server was ended from outside (a shared machine): start
            # another and measure this run again.
            kill -9 "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            echo "measure: X server lost, starting another" >&2
            start_xvfb
            measure_once "$program"
            return
        fi
        if [ "$(now_ns)" -gt "$deadline" ] || ! kill -0 "$pid" 2>/dev/null; then
            echo "measure: $program showed no window; its output:" >&2
            cat "$work/program.log" >&2
            kill -9 "$pid" 2>/dev/null || true
            exit 2
        fi
        sleep 0.003
    done
    mapped=$(now_ns)
    # Let the first paint and the event loop settle before reading the peak.
    sleep 0.5
    hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((mapped - start) / 1000000)) $hwm"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure_once "$floor" >/dev/null # warm-up: font cache, shared libraries
measure_once "$app" >/dev/null
[ -z "$older" ] || measure_once "$older" >/dev/null
: >"$work/floor" && : >"$work/app" && : >"$work/older"
for i in $(seq "$runs"); do
    measure_once "$floor" >>"$work/floor"
    measure_once "$app" >>"$work/app"
    [ -z "$older" ] || measure_once "$older" >>"$work/older"
    printf '\rmeasure: run %d of %d' "$i" "$runs" >&2
done
echo >&2

if [ -n "$older" ]; then
    awk -v fm="$(cut -d' ' -f1 "$work/floor" | median)" -v fk="$(cut -d' ' -f2 "$work/floor" | median)" \
        -v om="$(cut -d' ' -f1 "$work/older" | median)" -v ok="$(cut -d' ' -f2 "$work/older" | median)" 'BEGIN {
        printf "older:    start-up %6.1f ms, peak RSS %7.1f MB, ratios %4.2f and %4.2f\n", om, ok / 1024, om / fm, ok / fk
    }'
fi

floor_ms=$(cut -d' ' -f1 "$work/floor" | median)
floor_kb=$(cut -d' ' -f2 "$work/floor" | median)
app_ms=$(cut -d' ' -f1 "$work/app" | median)
app_kb=$(cut -d' ' -f2 "$work/app" | median)

awk -v fm="$floor_ms" -v fk="$floor_kb" -v am="$app_ms" -v ak="$app_kb" -v n="$runs" 'BEGIN {
    tr = am / fm; mr = ak / fk
    printf "runs each:           %d\n", n
    printf "floor:    start-up %6.1f ms, peak RSS %7.1f MB\n", fm, fk / 1024
    printf "veltrano: start-up %6.1f ms, peak RSS %7.1f MB\n", am, ak / 1024
    printf "ratio:    start-up %6.2f (goal <= 1.10), memory %5.2f (goal <= 1.05)\n", tr, mr
    ok = (tr <= 1.10 && mr <= 1.05)
    print ok ? "goal met" : "goal missed"
    exit ok ? 0 : 1
}'
