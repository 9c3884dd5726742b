#!/usr/bin/env bash
# Starts the real editor on an X server of its own (not the offscreen
# platform the unit tests use) and drives it through its windows:
#   1. on an installation the main window comes up, and File > Exit ends
#      the program with status 0;
#   2. without the game's settings file the message window comes up, and
#      once dismissed the program ends with a non-zero status;
#   3. --version, --help and the KORVALIS_DATA_DIR variable work;
#   4. item files named on the command line open in their editors, in turn,
#      and each, unchanged, closes on Escape at once (no question);
#   5. --check runs without any display.
# Exits 77 (skipped) only when Xvfb or xdotool is missing.
#
#   smoke.sh KORVALISEDIT DEMO_DATA_GENERATOR
set -uo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 KORVALISEDIT DEMO_DATA_GENERATOR" >&2
    exit 2
fi
editor="$1"
demo_data="$2"

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

# Generous upper bounds: a sanitized build on a busy two-core machine starts
# slowly. Each wait polls and returns as soon as its condition holds.
window_timeout=90
exit_timeout=30

unset QT_QPA_PLATFORM KORVALIS_DATA_DIR
export DBUS_SESSION_BUS_ADDRESS=disabled:
work="$(mktemp -d "${TMPDIR:-/tmp}/kv-smoke.XXXXXX")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

xvfb_pid=""
app_pid=""
cleanup()
{
    if [ -n "$app_pid" ]; then
        kill -KILL "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail()
{
    echo "FAIL: $*"
    if [ -s "$work/app.log" ]; then
        sed 's/^/  editor: /' "$work/app.log"
    fi
    exit 1
}

# Milliseconds since the epoch, for deadlines.
now_ms() { date +%s%3N; }

# Xvfb picks a free display itself and writes its number once it accepts
# connections, so there is no race with other servers or tests. -noreset:
# by default the server resets when its last client leaves (every xdotool
# call, every editor run) and refuses whoever connects during the reset.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$(($(now_ms) + 30000))
until [ -s "$work/display" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        cat "$work/xvfb.log"
        xvfb_pid=""
        fail "Xvfb did not start"
    fi
    [ "$(now_ms)" -lt "$deadline" ] || fail "Xvfb gave no display within 30 s"
    sleep 0.05
done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

start_editor()
{
    : >"$work/app.log"
    "$editor" --data-dir "$1" >"$work/app.log" 2>&1 &
    app_pid=$!
}

# Sets `window` to the editor's visible window titled "Korvalis Editor".
# Fails when the editor ends first or the window does not come up in time.
find_window()
{
    local deadline=$(($(now_ms) + window_timeout * 1000)) id rc
    while :; do
        for id in $(xdotool search --onlyvisible --name '^Korvalis Editor$' 2>/dev/null); do
            if [ "$(xdotool getwindowpid "$id" 2>/dev/null)" = "$app_pid" ]; then
                window="$id"
                return 0
            fi
        done
        if ! kill -0 "$app_pid" 2>/dev/null; then
            wait "$app_pid"
            rc=$?
            app_pid=""
            fail "$1: editor ended with status $rc before showing its window"
        fi
        [ "$(now_ms)" -lt "$deadline" ] || fail "$1: no window within ${window_timeout} s"
        sleep 0.1
    done
}

# Waits for the editor to end and sets `status`; fails after exit_timeout.
wait_exit()
{
    local deadline=$(($(now_ms) + exit_timeout * 1000))
    while kill -0 "$app_pid" 2>/dev/null; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "editor still running ${exit_timeout} s after $1"
        sleep 0.05
    done
    wait "$app_pid"
    status=$?
    app_pid=""
}

# Xlib focus without a window manager, then real key events (XTEST).
press_keys()
{
    local window="$1"
    shift
    timeout 10 xdotool windowfocus --sync "$window" || fail "cannot focus window $window"
    xdotool key "$@" || fail "xdotool key $* failed"
}

no_sanitizer_report()
{
    if grep -q -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$work/app.log"; then
        fail "$1: sanitizer report"
    fi
}

# Case 1: a demo installation; its interface is Italian, so File > Esci.
data="$work/data"
"$demo_data" "$data" >/dev/null || fail "the demo data generator failed"
start_editor "$data"
find_window "installation: main window"
press_keys "$window" alt+f s
wait_exit "File > Esci"
[ "$status" -eq 0 ] || fail "installation: editor exited with status $status after File > Esci"
no_sanitizer_report "installation"
echo "ok: main window shown, File > Esci ended the editor with status 0"

# Case 2: the game's settings file is missing.
rm "$data/Korvalis/Korvalis.ini"
start_editor "$data"
find_window "no installation: message window"
# The message must wait for the user, not just flash by.
kill -0 "$app_pid" 2>/dev/null || fail "no installation: editor did not wait on its message"
press_keys "$window" Return
wait_exit "dismissing the message"
[ "$status" -ne 0 ] || fail "no installation: editor exited with status 0"
no_sanitizer_report "no installation"
echo "ok: message shown, dismissing it ended the editor with status $status"

# Case 3: the command line. --version and --help answer without a display;
# KORVALIS_DATA_DIR stands in for a missing --data-dir.
version="$(env -u DISPLAY -u QT_QPA_PLATFORM "$editor" --version 2>/dev/null)"
[ "$version" = "Korvalis Editor 1.3" ] || fail "--version printed '$version'"
env -u DISPLAY -u QT_QPA_PLATFORM "$editor" --help 2>/dev/null | grep -q -- '--data-dir <DIR>' \
    || fail "--help does not list --data-dir"
"$demo_data" "$data" >/dev/null || fail "the demo data generator failed"
: >"$work/app.log"
KORVALIS_DATA_DIR="$data" "$editor" >"$work/app.log" 2>&1 &
app_pid=$!
find_window "KORVALIS_DATA_DIR: main window"
press_keys "$window" alt+f s
wait_exit "File > Esci"
[ "$status" -eq 0 ] || fail "KORVALIS_DATA_DIR: editor exited with status $status"
echo "ok: --version, --help and KORVALIS_DATA_DIR"

# Case 4: item files named on the command line open in their editors, one
# after the other, over the main window; closing all ends the program.
printf '[AMO]\r\nNOME="Amo da riga di comando"\r\nFILENAMEFOTO="amo.bmp"\r\n' \
    >"$data/Korvalis/Ami/riga.KVA"
convert -size 100x100 xc:red "$data/Korvalis/Ami/amo.bmp" || fail "convert failed"
printf '[ESCA]\r\nNOME="Esca da riga di comando"\r\nFILENAMEFOTO="esca.bmp"\r\n' \
    >"$data/Korvalis/Esche/riga.kve"
cp "$data/Korvalis/Ami/amo.bmp" "$data/Korvalis/Esche/esca.bmp"
: >"$work/app.log"
"$editor" --data-dir "$data" "$data/Korvalis/Ami/riga.KVA" "$data/Korvalis/Esche/riga.kve" \
    >"$work/app.log" 2>&1 &
app_pid=$!
# Waits for the editor window titled $1, closes it with Escape and waits
# for it to go: an unchanged editor asks nothing.
close_editor()
{
    local deadline=$(($(now_ms) + window_timeout * 1000)) id
    until id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)" \
        && [ -n "$id" ]; do
        kill -0 "$app_pid" 2>/dev/null || fail "FILE: editor ended before showing the $1 editor"
        [ "$(now_ms)" -lt "$deadline" ] || fail "FILE: no $1 editor within ${window_timeout} s"
        sleep 0.1
    done
    press_keys "$id" Escape
    deadline=$(($(now_ms) + 10000))
    while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "FILE: the unchanged $1 editor stayed open on Escape"
        sleep 0.05
    done
}
close_editor Amo
close_editor Esca
find_window "FILE: main window after the editors"
press_keys "$window" alt+f s
wait_exit "File > Esci after the editors"
[ "$status" -eq 0 ] || fail "FILE: editor exited with status $status"
no_sanitizer_report "FILE"
echo "ok: a hook and a bait named on the command line opened one after the other and closed on Escape"

# Case 5: --check needs no display at all.
report="$(env -u DISPLAY -u QT_QPA_PLATFORM "$editor" --check "$data/Korvalis/Ami/amo.bmp" \
    "$data/Korvalis/Ami/riga.KVA" 2>&1)"
status=$?
[ "$status" -eq 1 ] || fail "--check: status $status, output: $report"
echo "$report" | grep -q ': error: ' || fail "--check printed no error: $report"
echo "$report" | tail -n 1 | grep -q '^2 files checked: ' || fail "--check summary: $report"
echo "ok: --check without a display"
