# Helpers shared by the end-to-end scripts: the arguments, Xvfb, the game
# process, screenshots and pixel checks. Sourced, not run.
# shellcheck shell=bash disable=SC2034  # its variables are for the scripts

set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 GAME_BINARY WMCLOSE_BINARY" >&2
    exit 2
fi
GAME=$(readlink -f "$1")
WMCLOSE=$(readlink -f "$2")
for tool in Xvfb xdotool import convert od timeout dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not installed"; exit 1; }
done
[ -x "$GAME" ] || { echo "FAIL: no game binary at $1"; exit 1; }
[ -x "$WMCLOSE" ] || { echo "FAIL: no wmclose binary at $2"; exit 1; }

TITLE="ヴェルモリア"
SCREEN_W=1366
SCREEN_H=768
WIN_W=922    # 1.2 x screen height
WIN_H=461    # 0.6 x screen height
BOXES=10     # introduction answered Yes (8) + morning notice (2)

RUN=$(mktemp -d "${TMPDIR:-/tmp}/velmoria-e2e.XXXXXX")
# shellcheck source=tests/private-bus.sh
source "$(dirname "${BASH_SOURCE[0]}")/../private-bus.sh"
private_bus "$RUN" || exit 1
XVFB_PID=""
GAME_PID=""
PASSED=0
SHOTS=0

# shellcheck disable=SC2317  # run by the trap
cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    end_private_bus
}
trap cleanup EXIT

pass() {
    PASSED=$((PASSED + 1))
    echo "ok $PASSED - $*"
}

fail() {
    local what="$*"
    echo "FAIL: ${what//.rgb/.png}"
    if [ -n "$GAME_PID" ] && [ -s "$RUN/game.log" ]; then
        echo "--- game output:"
        tail -n 20 "$RUN/game.log"
    fi
    if [ -n "$GAME_PID" ] && ! game_running; then
        wait "$GAME_PID"
        echo "the game had ended, status $?"
        GAME_PID=""
    fi
    keep_pictures
    echo "screenshots and logs kept in $RUN"
    echo "$PASSED passed, 1 failed"
    exit 1
}

now_ms() { date +%s%3N; }

# ---- pictures --------------------------------------------------------------

# shot NAME: the main window's picture, window-relative, as raw RGB into
# $SHOT (quick to read; turned into PNGs when a check fails).
shot() {
    SHOTS=$((SHOTS + 1))
    SHOT="$RUN/$(printf '%02d' "$SHOTS")-$1.rgb"
    # import asks for a window by mouse when the id is gone: never wait for that
    if ! timeout 10 import -window "$WIN" -depth 8 "rgb:$SHOT" 2>>"$RUN/import.log" ||
        [ "$(stat -c %s "$SHOT")" -ne $((WIN_W * WIN_H * 3)) ]; then
        fail "could not take screenshot $SHOT (game running: $(game_running && echo yes || echo no))"
    fi
}

# column FILE X Y N: "R G B" per pixel of the N rows from (X,Y) down.
column() {
    od -An -v -tu1 -w$((WIN_W * 3)) -j $((($3 * WIN_W) * 3)) -N $(($4 * WIN_W * 3)) "$1" |
        awk -v i=$(($2 * 3 + 1)) '{ print $i, $(i + 1), $(i + 2) }'
}

pixel() { od -An -v -tu1 -j $((($3 * WIN_W + $2) * 3)) -N 3 "$1" | awk '{ print $1, $2, $3 }'; }

# near "R G B" "R G B": equal within a few levels per channel.
near() {
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    [ ${#a[@]} -eq 3 ] && [ ${#b[@]} -eq 3 ] || return 1
    local i d
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ "${d#-}" -le 4 ] || return 1
    done
}

# meal 0's flash, blended over black
reddish() {
    local r g b
    read -r r g b <<<"$1"
    [ "$r" -ge 100 ] && [ "$g" -lt 64 ] && [ "$b" -lt 64 ]
}

is_black() { near "$1" "0 0 0"; }

# light grey, as the panels' background
is_panel_grey() {
    local r g b
    read -r r g b <<<"$1"
    [ "$r" -eq "$g" ] && [ "$g" -eq "$b" ] && [ "$r" -ge 192 ] && [ "$r" -le 250 ]
}

# bar_len FILE X Y N "R G B": rows from (X,Y) down that are outline (black)
# or fill, as a bar hanging from Y measures.
bar_len() {
    column "$1" "$2" "$3" "$4" | awk -v c="$5" '
        function close_to(v, w) { return v - w <= 4 && w - v <= 4 }
        BEGIN { split(c, f, " ") }
        ($1 == 0 && $2 == 0 && $3 == 0) ||
        (close_to($1, f[1]) && close_to($2, f[2]) && close_to($3, f[3])) { n++; next }
        { exit }
        END { print n + 0 }'
}

# unique colours in a rectangle
colours_in() { convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$1" -crop "$2" +repage -format '%k' info:; }

keep_pictures() {
    local f
    for f in "$RUN"/*.rgb; do
        [ -e "$f" ] || continue
        convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$f" "${f%.rgb}.png" && rm -f "$f"
    done
}

# ---- X and the game ----------------------------------------------------------

# A free display well away from the low numbers people use by hand; the
# lock file must name our server, or another one would answer for it.
start_xvfb() {
    local n first=$((100 + $$ % 400))
    for n in $(seq "$first" $((first + 20))); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # -noreset: no server reset (and refused connections) as a game quits
        Xvfb ":$n" -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -noreset >"$RUN/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 200); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            if [ "$({ tr -d ' ' <"/tmp/.X$n-lock"; } 2>/dev/null)" = "$XVFB_PID" ] &&
                DISPLAY=":$n" xdotool getmouselocation >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.05
        done
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    done
    cat "$RUN/xvfb.log"
    fail "Xvfb did not start"
}

# Every game process of this run carries this in its environment.
MARK="VELMORIA_E2E_RUN=$RUN"

start_game() {
    : >"$RUN/game.log"
    mkdir -p "$RUN/xdg" && chmod 700 "$RUN/xdg"
    # the record of endings goes to the run's folder, not the user's
    (cd "$RUN" && exec env -u QT_QPA_PLATFORM "$MARK" XDG_RUNTIME_DIR="$RUN/xdg" \
        XDG_CONFIG_HOME="$RUN/config" "$GAME" >>"$RUN/game.log" 2>&1) &
    GAME_PID=$!
    WIN=""
    local w
    for _ in $(seq 300); do
        w=$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | head -n 1)
        if [ -n "$w" ]; then
            WIN=$w
            return 0
        fi
        game_running || fail "the game ended before showing its window"
        sleep 0.05
    done
    fail "no window of the game within 15 s"
}

game_running() {
    local state
    state=$(awk '{print $3}' "/proc/$GAME_PID/stat" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}

# visible windows of the game other than the main window
boxes() { xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | grep -vx "$WIN"; }

# wait_box PREVIOUS: waits for a box other than PREVIOUS; sets BOX.
wait_box() {
    local b
    for _ in $(seq 200); do
        b=$(boxes | grep -vx "${1:-0}" | head -n 1)
        if [ -n "$b" ]; then
            BOX=$b
            return 0
        fi
        game_running || return 1
        sleep 0.05
    done
    return 1
}

# answer BOX with Return (or KEY) once it has the keyboard; waits until it
# is gone.
# shellcheck disable=SC2120  # the key is optional
answer_box() {
    local key=${1:-Return}
    local focus=""
    for _ in $(seq 100); do
        focus=$(xdotool getwindowfocus 2>/dev/null)
        [ "$focus" = "$BOX" ] && break
        sleep 0.05
    done
    [ "$focus" = "$BOX" ] || fail "box $BOX never got the keyboard (focus on $focus)"
    xdotool key "$key"
    for _ in $(seq 200); do
        boxes | grep -qx "$BOX" || return 0
        sleep 0.025
    done
    fail "box $BOX still open 5 s after $key"
}

leftovers() {
    grep -lzxF "$MARK" /proc/[0-9]*/environ 2>/dev/null | grep -vx "/proc/$$/environ" |
        sed 's|^/proc/\([0-9]*\)/environ$|\1|' | tr '\n' ' '
}

# close_and_expect_exit WHAT: WM_DELETE_WINDOW to the main window; the
# game must end with status 0 within 5 s and leave nothing running.
close_and_expect_exit() {
    "$WMCLOSE" "$WIN" || fail "wmclose could not reach window $WIN ($1)"
    expect_exit "after closing the window ($1)"
    pass "closing the window $1 ends the game (pid $EXITED) with status 0 in $TOOK ms"
}

# expect_exit WHEN [STATUS]: the game must end with STATUS (0) within 5 s and
# leave nothing running; sets EXITED (its pid) and TOOK (ms).
expect_exit() {
    local start
    start=$(now_ms)
    for _ in $(seq 100); do
        game_running || break
        sleep 0.05
    done
    TOOK=$(($(now_ms) - start))
    if game_running; then
        shot "still-open"
        fail "game still running 5 s $1"
    fi
    wait "$GAME_PID"
    local rc=$?
    EXITED=$GAME_PID
    GAME_PID=""
    [ "$rc" -eq "${2:-0}" ] || fail "game exited with status $rc $1, want ${2:-0}"
    local left
    left=$(leftovers)
    [ -z "$left" ] || fail "processes left behind $1: $left"
}

# open_first_box TAG: a new game clicked past its start picture; BOX is the
# first box of the introduction.
open_first_box() {
    start_game
    wait_start_picture
    xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
    wait_box "" || { shot "no-box-$1"; fail "no box within 10 s of clicking the start picture"; }
}

# the start picture painted in the middle of the client area
wait_start_picture() {
    for _ in $(seq 50); do
        shot start
        [ "$(colours_in "$SHOT" "100x100+$((WIN_W / 2 - 50))+$((MENU_H + CLIENT_H / 2 - 50))")" -ge 64 ] && return 0
        sleep 0.1
    done
    fail "no start picture in a new game's window, see $SHOT"
}

# ---- layout ------------------------------------------------------------------

# cell I of the 7 columns: sets CX (left) and CW (width)
cell_x() {
    local l r
    l=$(((2 * $1 * WIN_W + 7) / 14))
    r=$(((2 * ($1 + 1) * WIN_W + 7) / 14))
    CX=$l
    CW=$((r - l))
}

CP_COLOURS=("255 192 192" "192 255 192" "192 192 255" "255 255 192" "255 192 255" "192 255 255" "255 255 255")
BLOOD_COLOURS=("128 0 0" "0 128 0" "0 0 128" "128 128 0" "128 0 128" "0 128 128" "64 64 64")

