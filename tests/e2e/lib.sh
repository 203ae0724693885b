# Helpers of the end-to-end scripts: a session bus, the game process, how it
# ends, and on X (Xvfb with openbox) windows, keys and pixels. Sourced.
# shellcheck shell=bash disable=SC2034  # its variables are for the scripts
set -u

GAME=$(readlink -f "$1")
[ -x "$GAME" ] || { echo "FAIL: no game binary at $1"; exit 1; }
RUN=$(mktemp -d "${TMPDIR:-/tmp}/velmoria-e2e.XXXXXX")
# shellcheck source=tests/private-bus.sh
source "$(dirname "${BASH_SOURCE[0]}")/../private-bus.sh"
private_bus "$RUN" || exit 1
MARK="VELMORIA_E2E_RUN=$RUN"  # in the environment of every game of this run
HELPERS=()                     # pids to end with the run
GAME_PID=""
PASSED=0
SHOTS=0

# shellcheck disable=SC2317  # run by the trap
cleanup() {
    local p
    for p in "$GAME_PID" "${HELPERS[@]}"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
    done
    end_private_bus
}
trap cleanup EXIT

pass() {
    PASSED=$((PASSED + 1))
    echo "ok $PASSED - $*"
}

fail() {
    echo "FAIL: $*"
    [ -s "$RUN/game.log" ] && { echo "--- game output:"; tail -n 20 "$RUN/game.log"; }
    for f in "$RUN"/*.rgb; do
        [ -e "$f" ] && convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$f" "${f%.rgb}.png" && rm -f "$f"
    done
    echo "screenshots and logs kept in $RUN"
    echo "$PASSED passed, 1 failed"
    exit 1
}

game_running() {
    local state
    state=$(awk '{ print $3 }' "/proc/$GAME_PID/stat" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}

# start_game ENV...: the game in the background, what it keeps in the run's
# folder; its output in game.log.
start_game() {
    : >"$RUN/game.log"
    mkdir -p -m 700 "$RUN/xdg"
    (cd "$RUN" && exec env -u QT_QPA_PLATFORM "$MARK" XDG_CONFIG_HOME="$RUN/config" XDG_RUNTIME_DIR="$RUN/xdg" "$@" \
        "$GAME" >>"$RUN/game.log" 2>&1) &
    GAME_PID=$!
}

# expect_exit WHEN [STATUS]: the game ends with STATUS (0) within 5 s and
# leaves no process of its own behind.
expect_exit() {
    for _ in $(seq 100); do
        game_running || break
        sleep 0.05
    done
    game_running && fail "the game still runs 5 s $1"
    wait "$GAME_PID"
    local rc=$?
    GAME_PID=""
    [ "$rc" -eq "${2:-0}" ] || fail "the game ended with status $rc $1, want ${2:-0}"
    local left
    left=$(grep -lzxF "$MARK" /proc/[0-9]*/environ 2>/dev/null | grep -vx "/proc/$$/environ")
    [ -z "$left" ] || fail "processes left behind $1: $left"
}

# ---- X: Xvfb, openbox and another program ------------------------------------

WIN_W=922  # 1.2 x and 0.6 x the screen's height
WIN_H=461

start_x() {
    exec 5>"$RUN/display"
    Xvfb -displayfd 5 -screen 0 1366x768x24 -nolisten tcp -noreset >"$RUN/xvfb.log" 2>&1 &
    HELPERS+=($!)
    exec 5>&-
    for _ in $(seq 100); do
        [ -s "$RUN/display" ] && break
        sleep 0.05
    done
    [ -s "$RUN/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$RUN/display")"
    openbox --sm-disable >"$RUN/openbox.log" 2>&1 &
    HELPERS+=($!)
    for _ in $(seq 400); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || fail "openbox did not start"
    xterm -geometry 40x6+0+0 -title other -e sleep 600 >"$RUN/xterm.log" 2>&1 &
    HELPERS+=($!)
    for _ in $(seq 600); do
        OTHER=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -n 1)
        [ -n "$OTHER" ] && return 0
        sleep 0.05
    done
    fail "no other program's window (xterm) within 30 s"
}

active() { xdotool getactivewindow 2>/dev/null; }

# open_game [VAR=VALUE...]: the game started; WIN its window, once shown
# and active.
open_game() {
    start_game "$@"
    for _ in $(seq 200); do
        WIN=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
        [ -n "$WIN" ] && [ "$(active)" = "$WIN" ] && return 0
        game_running || fail "the game ended before showing its window"
        sleep 0.05
    done
    fail "no active window of the game within 10 s"
}

# visible windows of the game other than the main window
boxes() { xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | grep -vx "$WIN"; }

# wait_box PREVIOUS: a box other than PREVIOUS; sets BOX.
wait_box() {
    for _ in $(seq 200); do
        BOX=$(boxes | grep -vx "${1:-0}" | head -n 1)
        [ -n "$BOX" ] && return 0
        sleep 0.05
    done
    fail "no box within 10 s (after ${1:-none})"
}

# answer_box [KEY]: the box up now has the keyboard, and KEY (Return) answers
# it: it goes, or shows the scene's next box.
answer_box() {
    wait_box
    for _ in $(seq 100); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$BOX" ] && break
        sleep 0.05
    done
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$BOX" ] || fail "box $BOX never got the keyboard"
    local before
    before=$(import -window "$BOX" rgb:- 2>/dev/null | md5sum)
    xdotool key "${1:-Return}"
    for _ in $(seq 200); do
        boxes | grep -qx "$BOX" || return 0
        [ "$(import -window "$BOX" rgb:- 2>/dev/null | md5sum)" != "$before" ] && return 0
        sleep 0.025
    done
    fail "box $BOX unchanged 5 s after ${1:-Return}"
}

# shot NAME: the window's pixels as raw RGB in $SHOT (a window being mapped
# may not give them at once).
shot() {
    SHOTS=$((SHOTS + 1))
    SHOT="$RUN/$(printf '%02d' "$SHOTS")-$1.rgb"
    for _ in $(seq 40); do
        timeout 10 import -window "$WIN" -depth 8 "rgb:$SHOT" 2>/dev/null &&
            [ "$(stat -c %s "$SHOT")" -eq $((WIN_W * WIN_H * 3)) ] && return 0
        sleep 0.05
    done
    fail "no screenshot $SHOT"
}

pixel() { od -An -v -tu1 -j $((($3 * WIN_W + $2) * 3)) -N 3 "$1" | awk '{ print $1, $2, $3 }'; }

# md5 of a rectangle WxH+X+Y of a screenshot
region() { convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$1" -crop "$2" +repage rgb:- | md5sum | cut -c1-32; }
