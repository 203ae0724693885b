# Helpers of the end-to-end and command-line scripts: a session bus, the game
# process, how it ends, a screen reader, and on X (Xvfb with openbox) windows,
# keys and pixels. Sourced with the game binary as $1. Every check goes
# through pass or fail, and the run's last line counts those that ran.
# shellcheck shell=bash disable=SC2034  # its variables are for the scripts
set -u

# poll N CMD...: until CMD succeeds, N times at most, 50 ms apart
poll() { for _ in $(seq "$1"); do "${@:2}" && return 0; sleep 0.05; done; return 1; }
# steady S CMD...: CMD holds all through S seconds (what must not happen,
# watched for as long as it would take to show)
steady() {
    local end=$((${EPOCHREALTIME/./} + $1 * 1000000))
    while [ "${EPOCHREALTIME/./}" -lt "$end" ]; do "${@:2}" || return 1; sleep 0.05; done
}
pass() { PASSED=$((PASSED + 1)) && echo "ok $PASSED - $*"; }
fail() { echo "FAIL: $*" && [ -s "$RUN/game.log" ] && echo "--- game output:" && tail -n 20 "$RUN/game.log"; exit 1; }
need() { for tool; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done; }

# spawn PROGRAM ARGS...: a helper in the background for the whole run; its
# pid is the program's own, even through setpriv or env, which exec it.
spawn() { env "$MARK" "$@" & HELPERS+=($!); }
marked() { grep -lzxF "$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 | tr '\n' ' '; }
none_marked() { [ -z "$(marked "$1")" ]; }
gone() { for p; do [ ! -e "/proc/$p" ] || return 1; done; }

# shellcheck disable=SC2317  # run by the trap
cleanup() {
    local status=$? p ours=" $GAME_PID ${HELPERS[*]} $BUS_PID " theirs=()
    # What the run's helpers started in turn goes first, reaped by them.
    for p in $(marked "$MARK"); do [[ $ours == *" $p "* ]] || { kill "$p" 2>/dev/null && theirs+=("$p"); }; done
    poll 200 gone "${theirs[@]}"
    for p in "$GAME_PID" "${HELPERS[@]}"; do [ -n "$p" ] && kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
    end_private_bus
    # Nothing of the run outlives it, or the run fails.
    if ! poll 200 none_marked "$MARK"; then
        echo "FAIL: processes left behind by the run: $(marked "$MARK")"
        kill -9 $(marked "$MARK") 2>/dev/null
        status=1
    fi
    if [ "$status" -eq 0 ]; then rm -rf "$RUN"; else echo "screenshots and logs kept in $RUN"; fi
    echo "$PASSED passed, $((status != 0)) failed"
    exit "$status"
}

GAME=$(readlink -f "$1")
[ -x "$GAME" ] || { echo "FAIL: no game binary at $1"; exit 1; }
# With AS_PLAYER, as root, the game and what it talks to run as nobody, who
# must reach the run's folder: a TMPDIR private to root gives way to /tmp.
NOBODY=(setpriv --reuid=65534 --regid=65534 --clear-groups)
[ "$EUID" -eq 0 ] || AS_PLAYER=""
TMP=${TMPDIR:-/tmp}
[ -z "${AS_PLAYER:-}" ] || "${NOBODY[@]}" test -x "$TMP" || TMP=/tmp
RUN=$(mktemp -d "$TMP/velmoria-e2e.XXXXXX")
# Every process of the run carries MARK (the game GAME_MARK as well), so
# that what is left behind can be found whoever started it.
MARK="VELMORIA_E2E_RUN=$RUN" GAME_MARK="VELMORIA_E2E_GAME=$RUN"
HELPERS=() GAME_PID="" PASSED=0 SHOTS=0
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../private-bus.sh"
# Nothing of the run writes into the caller's home folders.
export XDG_CACHE_HOME=$RUN/home/cache XDG_CONFIG_HOME=$RUN/home/config XDG_DATA_HOME=$RUN/home/data
# The game, and what it talks to, run through AS in a folder of their own
# (PLAYER_DIR), which is also their runtime folder.
PLAYER_DIR=$RUN/player
mkdir -m 700 "$PLAYER_DIR"
AS=(env XDG_RUNTIME_DIR="$PLAYER_DIR")
if [ -n "${AS_PLAYER:-}" ]; then
    AS=("${NOBODY[@]}" env HOME="$PLAYER_DIR" XDG_RUNTIME_DIR="$PLAYER_DIR")
    chmod 755 "$RUN" && chown 65534:65534 "$PLAYER_DIR"
    "${NOBODY[@]}" test -x "$PLAYER_DIR" || fail "nobody cannot enter $RUN, so the player cannot run"
fi
private_bus "$PLAYER_DIR" env "$MARK" "${AS[@]}" || exit 1

game_running() { [[ $(awk '{ print $3 }' "/proc/$GAME_PID/stat" 2>/dev/null) =~ ^[^Z]$ ]]; }

# start_game ENV...: the game in the background, what it keeps in the
# player's folder; its output in game.log.
start_game() {
    (cd "$PLAYER_DIR" && exec "${AS[@]}" env -u QT_QPA_PLATFORM "$MARK" "$GAME_MARK" XDG_CONFIG_HOME="$PLAYER_DIR/config" \
        "$@" "$GAME" >"$RUN/game.log" 2>&1) &
    GAME_PID=$!
}

# expect_exit WHEN [STATUS]: the game ends with STATUS (0) within 10 s and
# leaves no process of its own behind.
expect_exit() {
    poll 200 eval '! game_running' || fail "the game still runs 10 s $1"
    wait "$GAME_PID"; local rc=$? && GAME_PID=""
    [ "$rc" -eq "${2:-0}" ] || fail "the game ended with status $rc $1, want ${2:-0}"
    poll 100 none_marked "$GAME_MARK" || fail "processes of the game left behind $1: $(marked "$GAME_MARK")"
}

# ---- a screen reader: the AT-SPI bus and registry, and Orca --------------------

listening() {
    "${AS[@]}" gdbus call --address "$A11Y" --dest org.a11y.atspi.Registry --object-path /org/a11y/atspi/registry \
        --method org.a11y.atspi.Registry.GetRegisteredEvents 2>/dev/null | grep -q "Window:Activate"
}

# start_reader [orca ENV...]: Debian's accessibility bus and registry on the
# run's session bus; with orca, Orca listening there (with ENV), its speech in
# ORCA_LOG. Orca runs without speech or braille, which would wait on servers;
# its debug file still records all it would say, and written to a terminal
# (script's) it is written line by line.
start_reader() {
    need gdbus /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed"
    spawn "${AS[@]}" /usr/libexec/at-spi-bus-launcher --launch-immediately >"$RUN/launcher.log" 2>&1
    "${AS[@]}" gdbus wait --session -t 30 org.a11y.Bus || fail "nobody took org.a11y.Bus on the session bus"
    local bus=("${AS[@]}" gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus --method)
    "${bus[@]}" org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled '<true>' >/dev/null
    A11Y=$("${bus[@]}" org.a11y.Bus.GetAddress | sed "s/^('\(.*\)',)$/\1/")
    spawn "${AS[@]}" /usr/libexec/at-spi2-registryd >"$RUN/registry.log" 2>&1
    "${AS[@]}" gdbus wait --address "$A11Y" -t 30 org.a11y.atspi.Registry || fail "no AT-SPI registry on the accessibility bus"
    [ "${1:-}" = orca ] || return 0
    need orca script
    mkdir "$PLAYER_DIR/orca"
    echo '{"general": {"enableSpeech": false, "enableBraille": false}, "keybindings": {}, "pronunciations": {},
      "profiles": {"default": {"profile": ["Default", "default"], "enableSpeech": false, "enableBraille": false}}}' \
        >"$PLAYER_DIR/orca/user-settings.conf"
    ORCA_LOG=$PLAYER_DIR/orca.log
    spawn "${AS[@]}" "${@:2}" script -qfc "orca -u '$PLAYER_DIR/orca' --debug-file=/dev/stdout" "$ORCA_LOG" >/dev/null 2>&1
    poll 400 listening || fail "Orca did not begin listening within 20 s"
}

# reader [VAR=VALUE...]: access.py, from a copy the player can read, on the
# game and (once started) Orca; each "ok - " line it prints is a check passed.
reader() {
    cp "$(dirname "${BASH_SOURCE[0]}")/access.py" "$RUN/" && chmod 644 "$RUN/access.py"
    while IFS= read -r line; do
        if [[ $line == "ok - "* ]]; then pass "${line#ok - }"; else echo "$line"; fi
    done < <("${AS[@]}" env "$MARK" "$@" /usr/bin/python3 "$RUN/access.py" ${ORCA_LOG:+"$ORCA_LOG"} 2>&1)
    wait $! || fail "the game through AT-SPI${ORCA_LOG:+ and Orca}"
}

# ---- X: Xvfb, openbox and another program ------------------------------------

WIN_W=922 WIN_H=461  # 1.2 x and 0.6 x the screen's height

start_x() {
    need Xvfb xdotool import convert
    spawn Xvfb -displayfd 5 -screen 0 1366x768x24 -nolisten tcp -noreset >"$RUN/xvfb.log" 2>&1 5>"$RUN/display"
    poll 200 test -s "$RUN/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$RUN/display")"
}
# openbox, and another program's window (OTHER)
start_wm() {
    need openbox xterm xprop wmctrl
    spawn openbox --sm-disable >"$RUN/openbox.log" 2>&1
    poll 400 wm_ready || fail "openbox did not start"
    spawn xterm -geometry 40x6+0+0 -title other -e sleep 600 >"$RUN/xterm.log" 2>&1
    poll 600 other_window || fail "no other program's window (xterm) within 30 s"
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
other_window() { OTHER=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -n 1) && [ -n "$OTHER" ]; }

# open_game [VAR=VALUE...]: the game started; WIN its window, once shown
# and (under a window manager) active.
open_game() { start_game "$@" && poll 300 game_active || fail "no active window of the game within 15 s"; }
game_active() {
    game_running || fail "the game ended before showing its window"
    WIN=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
    [ -n "$WIN" ] && { ! wm_ready || [ "$(xdotool getactivewindow 2>/dev/null)" = "$WIN" ]; }
}

boxes() { xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | grep -vx "$WIN"; }
wait_box() { poll 200 new_box "${1:-0}" || fail "no box within 10 s (after ${1:-none})"; }
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
shot() { SHOTS=$((SHOTS + 1)) && SHOT=$RUN/$(printf %02d $SHOTS)-$1.rgb && poll 40 whole_shot || fail "no screenshot $SHOT"; }
whole_shot() {
    timeout 10 import -window "$WIN" -depth 8 "rgb:$SHOT" 2>/dev/null &&
        [ "$(stat -c %s "$SHOT")" -eq $((WIN_W * WIN_H * 3)) ]
}
region() { convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$1" -crop "$2" +repage rgb:- | md5sum | cut -c1-32; }
