# Helpers of the package checks, sourced: a line per check, an Xvfb of the
# check's own, and the game's process (GAME_PID) with its window and its end.
# The scripts set RUN, their folder, and end XVFB_PID and GAME_PID on exit.
# shellcheck shell=bash disable=SC2034  # its variables are for the scripts

PASSED=0
XVFB_PID=""
GAME_PID=""

pass() {
    PASSED=$((PASSED + 1))
    echo "ok $PASSED - $*"
}

fail() {
    echo "FAIL: $*"
    echo "$PASSED passed, 1 failed"
    exit 1
}

# start_xvfb: an X server in XVFB_PID; exports DISPLAY
start_xvfb() {
    exec 5>"$RUN/display"
    Xvfb -displayfd 5 -screen 0 1366x768x24 -nolisten tcp -noreset >"$RUN/xvfb.log" 2>&1 &
    XVFB_PID=$!
    exec 5>&-
    for _ in $(seq 100); do
        [ -s "$RUN/display" ] && break
        sleep 0.05
    done
    [ -s "$RUN/display" ] || { cat "$RUN/xvfb.log"; fail "Xvfb did not start"; }
    export DISPLAY=":$(cat "$RUN/display")"
}

# the game still running (an ended child stays a zombie until waited for)
running() {
    local state
    state=$(awk '{ print $3 }' "/proc/$GAME_PID/stat" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}

# game_window SECONDS: WIN, the game's window once it shows
game_window() {
    for _ in $(seq $(($1 * 20))); do
        WIN=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
        [ -n "$WIN" ] && return 0
        running || { cat "$RUN/game.log"; fail "the game ended at start"; }
        sleep 0.05
    done
    fail "the game shows no window within $1 s"
}

# game_end WHEN: the game ends within 5 s; its exit status in STATUS
game_end() {
    for _ in $(seq 100); do
        running || break
        sleep 0.05
    done
    running && fail "the game still runs 5 s $1"
    wait "$GAME_PID"
    STATUS=$?
    GAME_PID=""
}
