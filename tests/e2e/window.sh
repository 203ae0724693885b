#!/usr/bin/env bash
# Plays the built game in a real X server (Xvfb, no window manager) and
# checks what a player sees.
#   window.sh GAME_BINARY WMCLOSE_BINARY
# Needs Xvfb, xdotool and ImageMagick (import, convert).

set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 GAME_BINARY WMCLOSE_BINARY" >&2
    exit 2
fi
GAME=$(readlink -f "$1")
WMCLOSE=$(readlink -f "$2")
for tool in Xvfb xdotool import convert od timeout; do
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
    (cd "$RUN" && exec env -u QT_QPA_PLATFORM "$MARK" XDG_RUNTIME_DIR="$RUN/xdg" \
        "$GAME" >>"$RUN/game.log" 2>&1) &
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

# answer BOX with Return once it has the keyboard; waits until it is gone.
answer_box() {
    local focus=""
    for _ in $(seq 100); do
        focus=$(xdotool getwindowfocus 2>/dev/null)
        [ "$focus" = "$BOX" ] && break
        sleep 0.05
    done
    [ "$focus" = "$BOX" ] || fail "box $BOX never got the keyboard (focus on $focus)"
    xdotool key Return
    for _ in $(seq 200); do
        boxes | grep -qx "$BOX" || return 0
        sleep 0.025
    done
    fail "box $BOX still open 5 s after Return"
}

leftovers() {
    grep -lzxF "$MARK" /proc/[0-9]*/environ 2>/dev/null | grep -vx "/proc/$$/environ" |
        sed 's|^/proc/\([0-9]*\)/environ$|\1|' | tr '\n' ' '
}

# close_and_expect_exit WHAT: WM_DELETE_WINDOW to the main window; the
# game must end with status 0 within 5 s and leave nothing running.
close_and_expect_exit() {
    "$WMCLOSE" "$WIN" || fail "wmclose could not reach window $WIN ($1)"
    local start took
    start=$(now_ms)
    for _ in $(seq 100); do
        game_running || break
        sleep 0.05
    done
    took=$(($(now_ms) - start))
    if game_running; then
        shot "still-open"
        fail "game still running 5 s after closing the window ($1)"
    fi
    wait "$GAME_PID"
    local rc=$?
    local pid=$GAME_PID
    GAME_PID=""
    [ "$rc" -eq 0 ] || fail "game exited with status $rc after closing the window ($1)"
    local left
    left=$(leftovers)
    [ -z "$left" ] || fail "processes left behind ($1): $left"
    pass "closing the window $1 ends the game (pid $pid) with status 0 in $took ms"
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

# ==== a. the window ===========================================================

start_xvfb
echo "# Xvfb on $DISPLAY, pictures in $RUN"
start_game

geom=$(xdotool getwindowgeometry "$WIN")
name=$(xdotool getwindowname "$WIN")
pos=$(sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$geom")
size=$(sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p' <<<"$geom")
[ "$name" = "$TITLE" ] || fail "window title is '$name', not '$TITLE'"
[ "$size" = "${WIN_W}x${WIN_H}" ] || fail "window is $size, not ${WIN_W}x${WIN_H}"
read -r wx wy <<<"$pos"
dx=$((wx - (SCREEN_W - WIN_W) / 2))
dy=$((wy - (SCREEN_H - WIN_H) / 2))
if [ "${dx#-}" -gt 2 ] || [ "${dy#-}" -gt 2 ]; then
    fail "window at $wx,$wy is not centred on the screen"
fi

# The start picture fills the client area: the menu bar ends where it begins.
# It may take a moment to be painted.
MENU_H=""
for _ in $(seq 100); do
    shot start; start_shot=$SHOT
    hs=""
    for x in 100 450 800; do
        h=$(column "$start_shot" "$x" 0 60 | awk '
            { r = $1; g = $2; b = $3 }
            r < 96 && g < 96 && b < 96 { print NR - 1; found = 1; exit }
            END { if (!found) print -1 }')
        hs="$hs $h"
    done
    read -r h1 h2 h3 <<<"$hs"
    if [ "$h1" = "$h2" ] && [ "$h2" = "$h3" ] && [ "$h1" -ge 15 ] && [ "$h1" -le 40 ]; then
        MENU_H=$h1
        break
    fi
    sleep 0.1
done
[ -n "$MENU_H" ] || fail "no menu bar over a dark start picture (dark from rows$hs), see $start_shot"
CLIENT_H=$((WIN_H - MENU_H))
ROW_H=$((CLIENT_H / 3))
k=$(colours_in "$start_shot" "$((WIN_W - 20))x$((CLIENT_H - 20))+10+$((MENU_H + 10))")
[ "$k" -ge 256 ] || fail "start picture missing: only $k colours in the client area, see $start_shot"
pass "window '$TITLE' ${WIN_W}x${WIN_H} at $wx,$wy; start picture under a ${MENU_H} px menu bar"

# ==== b. the introduction, answered from the keyboard =========================

xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
wait_box "" || { shot "no-box"; fail "no box within 10 s of clicking the start picture"; }
box_geom=$(xdotool getwindowgeometry "$BOX" | sed -n 's/.*Geometry: //p')
pass "click on the start picture opens the first box ($box_geom)"

answer_box
for n in $(seq 2 "$BOXES"); do
    wait_box "$BOX" || { shot "no-box-$n"; fail "box $n of $BOXES did not appear within 10 s"; }
    answer_box
done
# The tick starts now; the blood bars (100 of 1000) shrink every 500 ms.
shot raising; raising=$SHOT
open=$(boxes | tr '\n' ' ')
[ -z "$open" ] || fail "a box is still open after $BOXES answers: $open"
game_running || fail "the game ended during the introduction"

INNER_TOP=$((MENU_H + ROW_H + 2))
INNER_H=$((ROW_H - 4))
for i in $(seq 0 6); do
    cell_x "$i"
    p=$(pixel "$raising" $((CX + CW / 2)) $((INNER_TOP + INNER_H - 4)))
    is_panel_grey "$p" || fail "panel $i not shown: ($p) at its bottom, see $raising"
done
pass "$BOXES boxes answered with Return lead to the raising screen"

# ==== c. faces and bars =======================================================

for i in $(seq 0 6); do
    cell_x "$i"
    k=$(colours_in "$raising" "$((CW - 8))x$((ROW_H - 8))+$((CX + 4))+$((MENU_H + 4))")
    [ "$k" -ge 64 ] || fail "face $i missing: $k colours in its cell, see $raising"
done
pass "seven faces shown"

# A bar of 500 is half the panel: fill 5 rows above half, background 3 rows
# below (the outline takes a row), so its length may be off by 3 px.
half=$((INNER_H * 500 / 1000))
cp_lens=""
for i in $(seq 0 6); do
    cell_x "$i"
    xl=$((CX + 2 + (CW - 4) / 4))
    top=$(pixel "$raising" "$xl" "$INNER_TOP")
    above=$(pixel "$raising" "$xl" $((INNER_TOP + half - 5)))
    below=$(pixel "$raising" "$xl" $((INNER_TOP + half + 3)))
    is_black "$top" || fail "panel $i: confidence bar outline missing at the top ($top), see $raising"
    near "$above" "${CP_COLOURS[i]}" ||
        fail "panel $i: ($above) just above half height, want confidence colour (${CP_COLOURS[i]}), see $raising"
    is_panel_grey "$below" ||
        fail "panel $i: ($below) just below half height, want the background, see $raising"
    cp_lens="$cp_lens $(bar_len "$raising" "$xl" "$INNER_TOP" "$INNER_H" "${CP_COLOURS[i]}")"
done
pass "confidence bars at half of the $INNER_H px panels (lengths$cp_lens)"

blood_lens=""
for i in $(seq 0 6); do
    cell_x "$i"
    xr=$((CX + 2 + 3 * (CW - 4) / 4))
    top=$(pixel "$raising" "$xr" "$INNER_TOP")
    fill=$(pixel "$raising" "$xr" $((INNER_TOP + 2)))
    bottom=$(pixel "$raising" "$xr" $((INNER_TOP + INNER_H - 4)))
    is_black "$top" || fail "panel $i: blood bar outline missing at the top ($top), see $raising"
    near "$fill" "${BLOOD_COLOURS[i]}" ||
        fail "panel $i: ($fill) near the top of the right half, want blood colour (${BLOOD_COLOURS[i]}), see $raising"
    is_panel_grey "$bottom" || fail "panel $i: ($bottom) under the blood bar, want the background, see $raising"
    blood_lens="$blood_lens $(bar_len "$raising" "$xr" "$INNER_TOP" "$INNER_H" "${BLOOD_COLOURS[i]}")"
done
pass "blood bars hang in the right halves (lengths$blood_lens)"

# ==== d. pressing and clicking a face ========================================

# Face 0 tints the client area red while pressed, blended over what lies
# beneath; the panels stay as they are.
FACE=0
ROW2_Y=$((MENU_H + 2 * ROW_H + 2))
reddish() {
    local r g b
    read -r r g b <<<"$1"
    [ "$r" -ge 100 ] && [ "$g" -lt 64 ] && [ "$b" -lt 64 ]
}
# black spots (the counters' background) and spots over faces
flash_spots=("10 $ROW2_Y" "$((WIN_W / 2)) $ROW2_Y" "$((WIN_W - 10)) $((WIN_H - 10))")
face_spots=("$((WIN_W * 9 / 14)) $((MENU_H + ROW_H / 2))" "$((WIN_W * 13 / 14)) $((MENU_H + ROW_H / 2))")

cell_x "$FACE"
xr=$((CX + 2 + 3 * (CW - 4) / 4))
xl=$((CX + 2 + (CW - 4) / 4))
grown=""
for attempt in 1 2 3; do
    xdotool mousemove --window "$WIN" $((CX + CW / 2)) $((MENU_H + ROW_H / 2)) mousedown 1
    pressed=""
    for _ in $(seq 50); do
        t0=$(now_ms)
        shot "pressed"
        if reddish "$(pixel "$SHOT" 10 "$ROW2_Y")"; then pressed=$SHOT; break; fi
        sleep 0.02
    done
    xdotool mouseup 1
    [ -n "$pressed" ] || fail "pressing face $FACE does not flash the client area red, see $SHOT"
    released=""
    for _ in $(seq 50); do
        shot "released"
        if is_black "$(pixel "$SHOT" 10 "$ROW2_Y")"; then released=$SHOT; break; fi
        sleep 0.02
    done
    t1=$(now_ms)
    [ -n "$released" ] || fail "the flash stays 2 s after releasing face $FACE, see $SHOT"

    if [ "$attempt" -eq 1 ]; then
        flash=$(pixel "$pressed" 10 "$ROW2_Y")
        read -r fr _ <<<"$flash"
        [ "$fr" -lt 220 ] || fail "the flash ($flash) is flat red, not blended over the window, see $pressed"
        for q in "${flash_spots[@]}"; do
            # shellcheck disable=SC2086
            p=$(pixel "$pressed" $q)
            near "$p" "$flash" || fail "while face $FACE is pressed ($p) at $q, want the flash ($flash), see $pressed"
            # shellcheck disable=SC2086
            p=$(pixel "$released" $q)
            near "$p" "$flash" && fail "after release the flash ($p) stays at $q, see $released"
        done
        # Over a face the tint mixes with the picture: redder than it was,
        # not the flat colour, and gone again after release.
        for q in "${face_spots[@]}"; do
            # shellcheck disable=SC2086
            read -r r0 g0 b0 <<<"$(pixel "$raising" $q)"
            # shellcheck disable=SC2086
            read -r r1 g1 b1 <<<"$(pixel "$pressed" $q)"
            # shellcheck disable=SC2086
            p=$(pixel "$released" $q)
            if [ $((r1 - g1)) -le $((r0 - g0)) ] || near "$r1 $g1 $b1" "255 0 0" || near "$r1 $g1 $b1" "$flash"; then
                fail "over a face at $q the flash shows ($r1 $g1 $b1), was ($r0 $g0 $b0): want a mix, see $pressed"
            fi
            near "$p" "$r0 $g0 $b0" || fail "after release the face at $q shows ($p), was ($r0 $g0 $b0), see $released"
        done
        p=$(pixel "$pressed" "$xl" $((INNER_TOP + 4)))
        near "$p" "${CP_COLOURS[FACE]}" || fail "the flash covers panel $FACE ($p), see $pressed"
        pass "pressing face $FACE flashes the client area ($flash), panels excepted, until release"
    fi

    before=$(bar_len "$pressed" "$xr" "$INNER_TOP" "$INNER_H" "${BLOOD_COLOURS[FACE]}")
    after=$(bar_len "$released" "$xr" "$INNER_TOP" "$INNER_H" "${BLOOD_COLOURS[FACE]}")
    # A click adds at least 101 of 1000; each tick (500 ms, a Qt timer may
    # fire up to 5 % early) takes at most 29; 2 px for rounding.
    ticks=$(((t1 - t0) / 475 + 1))
    need=$(((INNER_H * (101 - 29 * ticks)) / 1000 - 2))
    if [ "$need" -ge 3 ]; then
        [ "$after" -ge $((before + need)) ] ||
            fail "blood bar $FACE went from $before to $after px with a click (want +$need or more), see $pressed $released"
        grown="$before -> $after px in $((t1 - t0)) ms (+$need at least)"
        break
    fi
    echo "# click $attempt took $((t1 - t0)) ms, too slow to judge the bar; again"
done
[ -n "$grown" ] || fail "clicks too slow to judge the blood bar (machine overloaded?)"
pass "a click on face $FACE lengthens its blood bar: $grown"

# ==== e. closing on the raising screen ========================================

close_and_expect_exit "on the raising screen"

# ==== f. closing on the start screen, and while a box is open =================

start_game
wait_start_picture
close_and_expect_exit "on the start screen"

start_game
wait_start_picture
xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
wait_box "" || { shot "no-box-2"; fail "no box within 10 s of clicking the start picture"; }
close_and_expect_exit "while a box is open"

# ==== g. windows destroyed from outside =======================================

# destroy_and_expect_exit WHAT: the main window destroyed by another client
# (xdotool windowclose); the game must end with status 0 within 5 s, so no
# scene can go on without its window.
destroy_and_expect_exit() {
    xdotool windowclose "$WIN" || fail "xdotool could not destroy window $WIN ($1)"
    for _ in $(seq 100); do
        game_running || break
        sleep 0.05
    done
    game_running && fail "game still running 5 s after its window was destroyed ($1)"
    wait "$GAME_PID"
    local rc=$?
    GAME_PID=""
    [ "$rc" -eq 0 ] || fail "game exited with status $rc after its window was destroyed ($1)"
    local left
    left=$(leftovers)
    [ -z "$left" ] || fail "processes left behind ($1): $left"
    pass "destroying the window $1 ends the game with status 0"
}

start_game
wait_start_picture
destroy_and_expect_exit "on the start screen"

start_game
wait_start_picture
xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
wait_box "" || { shot "no-box-3"; fail "no box within 10 s of clicking the start picture"; }
destroy_and_expect_exit "while a box is open"

# A box destroyed from outside counts as its default answer and the game goes
# on: the first box as OK, the question as いいえ, which brings the guide's
# explanation (15 boxes) before the closing (5) and the morning notice (2).
start_game
wait_start_picture
xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
wait_box "" || { shot "no-box-4"; fail "no box within 10 s of clicking the start picture"; }
xdotool windowclose "$BOX"
gone=$BOX
wait_box "$gone" || fail "no second box after the first was destroyed"
game_running || fail "the game ended when a box was destroyed"
answer_box
wait_box "$BOX" || fail "no question box"
xdotool windowclose "$BOX"
gone=$BOX
AFTER_NO=22
for n in $(seq "$AFTER_NO"); do
    wait_box "$gone" || { shot "no-box-after-no"; fail "box $n of $AFTER_NO after いいえ did not appear"; }
    answer_box
    gone=$BOX
done
sleep 0.5
open=$(boxes | tr '\n' ' ')
[ -z "$open" ] || fail "a box is still open after $AFTER_NO answers: $open"
pass "destroyed boxes answer OK and いいえ; the game goes on to the raising screen"

destroy_and_expect_exit "on the raising screen"

# The whole connection killed (xkill) with a box open: every window is lost
# at once, which ends the game like a lost window.
command -v xkill >/dev/null || fail "xkill (x11-utils) not installed"
start_game
wait_start_picture
xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
wait_box "" || { shot "no-box-5"; fail "no box within 10 s of clicking the start picture"; }
xkill -id "$WIN" >/dev/null || fail "xkill could not reach window $WIN"
for _ in $(seq 100); do
    game_running || break
    sleep 0.05
done
game_running && fail "game still running 5 s after xkill"
wait "$GAME_PID"
rc=$?
GAME_PID=""
[ "$rc" -eq 0 ] || fail "game exited with status $rc after xkill"
pass "xkill with a box open ends the game with status 0"

echo "$PASSED passed, 0 failed"
rm -rf "$RUN"
exit 0
