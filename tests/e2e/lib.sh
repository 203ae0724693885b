# Helpers of the end-to-end scripts: a session bus, the game process, how it
# ends, and on X (Xvfb with openbox) windows, keys and pixels. Sourced.
# shellcheck shell=bash disable=SC2034  # its variables are for the scripts
set -u

GAME=$(readlink -f "$1")
[ -x "$GAME" ] || { echo "FAIL: no game binary at $1"; exit 1; }
RUN=$(mktemp -d "${TMPDIR:-/tmp}/velmoria-e2e.XXXXXX")
# shellcheck source=tests/private-bus.sh
source "$(dirname "${BASH_SOURCE[0]}")/../private-bus.sh"
# Nothing of the run writes into the caller's home folders.
mkdir "$RUN/home"
export XDG_CACHE_HOME=$RUN/home/cache XDG_CONFIG_HOME=$RUN/home/config XDG_DATA_HOME=$RUN/home/data
# The game, and what it talks to, run through AS: with AS_PLAYER set as an
# unprivileged user, in a folder of its own (PLAYER_DIR), which is also
# their runtime folder.
PLAYER_DIR=$RUN/player
mkdir -m 700 "$PLAYER_DIR"
AS=(env XDG_RUNTIME_DIR="$PLAYER_DIR")
if [ -n "${AS_PLAYER:-}" ]; then
    AS=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$PLAYER_DIR" XDG_RUNTIME_DIR="$PLAYER_DIR")
    chmod 755 "$RUN"
    chown 65534:65534 "$PLAYER_DIR"
fi
# Every process of the run carries MARK (the game GAME_MARK as well), so
# that what is left behind can be found whoever started it.
MARK="VELMORIA_E2E_RUN=$RUN"
GAME_MARK="VELMORIA_E2E_GAME=$RUN"
private_bus "$PLAYER_DIR" env "$MARK" "${AS[@]}" || exit 1
HELPERS=()  # pids to end with the run
GAME_PID=""
PASSED=0
SHOTS=0

# spawn PROGRAM ARGS...: a helper in the background for the whole run; its
# pid is the program's own, even through setpriv or env, which exec it.
spawn() {
    env "$MARK" "$@" &
    HELPERS+=($!)
}

marked() { grep -lzxF "$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 | tr '\n' ' '; }
none_marked() { [ -z "$(marked "$1")" ]; }

# shellcheck disable=SC2317  # run by the trap
cleanup() {
    local status=$? p
    for p in "$GAME_PID" "${HELPERS[@]}"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
    done
    end_private_bus
    # What those started in turn ends with them, or the run fails.
    if ! poll 200 none_marked "$MARK"; then
        echo "FAIL: processes left behind by the run: $(marked "$MARK")"
        kill -9 $(marked "$MARK") 2>/dev/null
        status=1
    fi
    exit "$status"
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

# start_game ENV...: the game in the background, what it keeps in the
# player's folder; its output in game.log.
start_game() {
    : >"$RUN/game.log"
    (cd "$PLAYER_DIR" && exec "${AS[@]}" env -u QT_QPA_PLATFORM "$MARK" "$GAME_MARK" XDG_CONFIG_HOME="$PLAYER_DIR/config" \
        "$@" "$GAME" >>"$RUN/game.log" 2>&1) &
    GAME_PID=$!
}

# ---- a screen reader: the AT-SPI bus and registry, and Orca --------------------

# on_bus [--address ADDRESS] ARGS...: gdbus call on the session bus, or that one
on_bus() {
    local bus=(--session)
    [ "$1" = --address ] && { bus=(--address "$2"); shift 2; }
    "${AS[@]}" gdbus call "${bus[@]}" "$@" 2>/dev/null
}
# owned NAME [ADDRESS]: someone has the name, asked without starting anything
owned() {
    on_bus ${2:+--address "$2"} --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$1" | grep -q true
}
listening() {
    on_bus --address "$A11Y" --dest org.a11y.atspi.Registry --object-path /org/a11y/atspi/registry \
        --method org.a11y.atspi.Registry.GetRegisteredEvents | grep -q "Window:Activate"
}

# start_reader [ENV...]: Debian's accessibility bus and registry on the
# run's session bus, and Orca listening there (with ENV), its speech in
# ORCA_LOG. Orca runs without speech or braille, which would wait on
# servers; its debug file still records all it would say, and written to a
# terminal (script's) it is written line by line.
start_reader() {
    [ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        fail "at-spi2-core or python3-pyatspi is not installed"
    for tool in orca gdbus script; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done
    spawn "${AS[@]}" /usr/libexec/at-spi-bus-launcher --launch-immediately >"$RUN/launcher.log" 2>&1
    poll 200 owned org.a11y.Bus || fail "nobody took org.a11y.Bus on the session bus"
    on_bus --dest org.a11y.Bus --object-path /org/a11y/bus --method org.freedesktop.DBus.Properties.Set \
        org.a11y.Status IsEnabled '<true>' >/dev/null
    A11Y=$(on_bus --dest org.a11y.Bus --object-path /org/a11y/bus --method org.a11y.Bus.GetAddress |
        sed "s/^('\(.*\)',)$/\1/")
    spawn "${AS[@]}" /usr/libexec/at-spi2-registryd >"$RUN/registry.log" 2>&1
    poll 200 owned org.a11y.atspi.Registry "$A11Y" || fail "no AT-SPI registry on the accessibility bus"
    mkdir "$PLAYER_DIR/orca"
    echo '{"general": {"enableSpeech": false, "enableBraille": false}, "keybindings": {}, "pronunciations": {},
      "profiles": {"default": {"profile": ["Default", "default"], "enableSpeech": false, "enableBraille": false}}}' \
        >"$PLAYER_DIR/orca/user-settings.conf"
    ORCA_LOG=$PLAYER_DIR/orca.log
    [ -z "${AS_PLAYER:-}" ] || chown -R 65534:65534 "$PLAYER_DIR/orca"
    spawn "${AS[@]}" "$@" script -qfc "orca -u '$PLAYER_DIR/orca' --debug-file=/dev/stdout" "$ORCA_LOG" >/dev/null 2>&1
    poll 400 listening || fail "Orca did not begin listening within 20 s"
}

# expect_exit WHEN [STATUS]: the game ends with STATUS (0) within 10 s and
# leaves no process of its own behind.
expect_exit() {
    poll 200 game_ended || fail "the game still runs 10 s $1"
    wait "$GAME_PID"
    local rc=$?
    GAME_PID=""
    [ "$rc" -eq "${2:-0}" ] || fail "the game ended with status $rc $1, want ${2:-0}"
    poll 100 none_marked "$GAME_MARK" || fail "processes of the game left behind $1: $(marked "$GAME_MARK")"
}

# ---- X: Xvfb, openbox and another program ------------------------------------

WIN_W=922  # 1.2 x and 0.6 x the screen's height
WIN_H=461

start_x() {
    exec 5>"$RUN/display"
    spawn Xvfb -displayfd 5 -screen 0 1366x768x24 -nolisten tcp -noreset >"$RUN/xvfb.log" 2>&1
    exec 5>&-
    poll 200 test -s "$RUN/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$RUN/display")"
}
# openbox, and another program's window (OTHER)
start_wm() {
    spawn openbox --sm-disable >"$RUN/openbox.log" 2>&1
    poll 400 wm_ready || fail "openbox did not start"
    spawn xterm -geometry 40x6+0+0 -title other -e sleep 600 >"$RUN/xterm.log" 2>&1
    poll 600 other_window || fail "no other program's window (xterm) within 30 s"
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
other_window() { OTHER=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -n 1) && [ -n "$OTHER" ]; }

active() { xdotool getactivewindow 2>/dev/null; }

# open_game [VAR=VALUE...]: the game started; WIN its window, once shown
# and (under a window manager) active.
open_game() {
    start_game "$@"
    poll 300 game_active || fail "no active window of the game within 15 s"
}
game_active() {
    game_running || fail "the game ended before showing its window"
    WIN=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
    [ -n "$WIN" ] && { ! wm_ready || [ "$(active)" = "$WIN" ]; }
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
