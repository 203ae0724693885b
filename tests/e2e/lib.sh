# Helpers of the end-to-end scripts: a session bus, the game process, how it
# ends, and on X (Xvfb with openbox) windows, keys and pixels. Sourced.
# shellcheck shell=bash disable=SC2034  # its variables are for the scripts
set -u

GAME=$(readlink -f "$1")
[ -x "$GAME" ] || { echo "FAIL: no game binary at $1"; exit 1; }
RUN=$(mktemp -d "${TMPDIR:-/tmp}/velmoria-e2e.XXXXXX")
# shellcheck source=tests/private-bus.sh
source "$(dirname "${BASH_SOURCE[0]}")/../private-bus.sh"
# With AS_PLAYER set, the game (and what it talks to) runs as an
# unprivileged user, with a folder of its own in PLAYER_DIR.
PLAYER=()
PLAYER_DIR=$RUN
if [ -n "${AS_PLAYER:-}" ]; then
    PLAYER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    PLAYER_DIR=$RUN/player
    chmod 755 "$RUN"
    mkdir -m 700 "$PLAYER_DIR"
    chown 65534:65534 "$PLAYER_DIR"
fi
private_bus "$PLAYER_DIR" "${PLAYER[@]}" || exit 1
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

# poll N CMD...: until CMD succeeds, N times at most, 50 ms apart
poll() {
    local n=$1
    shift
    for _ in $(seq "$n"); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

pass() {
    PASSED=$((PASSED + 1))
    echo "ok $PASSED - $*"
}

fail() {
    echo "FAIL: $*"
    [ -s "$RUN/game.log" ] && { echo "--- game output:"; tail -n 20 "$RUN/game.log"; }
    for f in "$RUN"/*.rgb; do
        [ -e "$f" ] && convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$f" "${f%.rgb}.png" 2>/dev/null && rm -f "$f"
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
game_ended() { ! game_running; }

# start_game ENV...: the game in the background, what it keeps in the run's
# folder; its output in game.log.
start_game() {
    : >"$RUN/game.log"
    [ -n "${AS_PLAYER:-}" ] || mkdir -p -m 700 "$RUN/xdg"
    (cd "$PLAYER_DIR" && exec "${PLAYER[@]}" env -u QT_QPA_PLATFORM "$MARK" XDG_CONFIG_HOME="$PLAYER_DIR/config" \
        XDG_RUNTIME_DIR="$([ -n "${AS_PLAYER:-}" ] && echo "$PLAYER_DIR" || echo "$RUN/xdg")" "$@" \
        "$GAME" >>"$RUN/game.log" 2>&1) &
    GAME_PID=$!
}

# expect_exit WHEN [STATUS]: the game ends with STATUS (0) within 5 s and
# leaves no process of its own behind.
expect_exit() {
    poll 100 game_ended || fail "the game still runs 5 s $1"
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
    poll 100 test -s "$RUN/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$RUN/display")"
    openbox --sm-disable >"$RUN/openbox.log" 2>&1 &
    HELPERS+=($!)
    poll 400 wm_ready || fail "openbox did not start"
    xterm -geometry 40x6+0+0 -title other -e sleep 600 >"$RUN/xterm.log" 2>&1 &
    HELPERS+=($!)
    poll 600 other_window || fail "no other program's window (xterm) within 30 s"
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
other_window() { OTHER=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -n 1) && [ -n "$OTHER" ]; }

active() { xdotool getactivewindow 2>/dev/null; }

# open_game [VAR=VALUE...]: the game started; WIN its window, once shown
# and active.
open_game() {
    start_game "$@"
    poll 200 game_active || fail "no active window of the game within 10 s"
}
game_active() {
    game_running || fail "the game ended before showing its window"
    WIN=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
    [ -n "$WIN" ] && [ "$(active)" = "$WIN" ]
}

# visible windows of the game other than the main window
boxes() { xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | grep -vx "$WIN"; }

# wait_box PREVIOUS: a box other than PREVIOUS; sets BOX.
wait_box() {
    poll 200 new_box "${1:-0}" || fail "no box within 10 s (after ${1:-none})"
}
new_box() { BOX=$(boxes | grep -vx "$1" | head -n 1) && [ -n "$BOX" ]; }

# answer_box [KEY]: the box up now has the keyboard, and KEY (Return) answers
# it: it goes, or shows the scene's next box.
answer_box() {
    wait_box
    poll 100 box_focused || fail "box $BOX never got the keyboard"
    BEFORE=$(box_pixels)
    xdotool key "${1:-Return}"
    poll 100 box_answered || fail "box $BOX unchanged 5 s after ${1:-Return}"
}
box_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$BOX" ]; }
box_pixels() { import -window "$BOX" rgb:- 2>/dev/null | md5sum; }
box_answered() { ! boxes | grep -qx "$BOX" || [ "$(box_pixels)" != "$BEFORE" ]; }

# shot NAME: the window's pixels as raw RGB in $SHOT (a window being mapped
# may not give them at once).
shot() {
    SHOTS=$((SHOTS + 1))
    SHOT="$RUN/$(printf '%02d' "$SHOTS")-$1.rgb"
    poll 40 whole_shot || fail "no screenshot $SHOT"
}
whole_shot() {
    timeout 10 import -window "$WIN" -depth 8 "rgb:$SHOT" 2>/dev/null &&
        [ "$(stat -c %s "$SHOT")" -eq $((WIN_W * WIN_H * 3)) ]
}

pixel() { od -An -v -tu1 -j $((($3 * WIN_W + $2) * 3)) -N 3 "$1" | awk '{ print $1, $2, $3 }'; }

# md5 of a rectangle WxH+X+Y of a screenshot
region() { convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$1" -crop "$2" +repage rgb:- | md5sum | cut -c1-32; }
