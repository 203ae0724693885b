#!/usr/bin/env bash
# Plays the built game in a real X server (Xvfb, no window manager) and
# checks what a player sees.
#   window.sh GAME_BINARY WMCLOSE_BINARY
# Needs Xvfb, xdotool and ImageMagick (import, convert).

# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

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

open_first_box 2
close_and_expect_exit "while a box is open"

# ==== g. windows destroyed from outside =======================================

# destroy_and_expect_exit WHAT: the main window destroyed by another client
# (xdotool windowclose); the game must end with status 0 within 5 s, so no
# scene can go on without its window.
destroy_and_expect_exit() {
    xdotool windowclose "$WIN" || fail "xdotool could not destroy window $WIN ($1)"
    expect_exit "after its window was destroyed ($1)"
    pass "destroying the window $1 ends the game with status 0 in $TOOK ms"
}

start_game
wait_start_picture
destroy_and_expect_exit "on the start screen"

open_first_box 3
destroy_and_expect_exit "while a box is open"

# A box destroyed from outside counts as its default answer and the game goes
# on: the first box as OK, the question as いいえ, which brings the guide's
# explanation (15 boxes) before the closing (5) and the morning notice (2).
open_first_box 4
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

# The whole connection killed (xkill) with a box open: Qt ends the game with
# status 1 and its own message, as it does when a Wayland compositor goes.
command -v xkill >/dev/null || fail "xkill (x11-utils) not installed"
open_first_box 5
xkill -id "$WIN" >/dev/null || fail "xkill could not reach window $WIN"
expect_exit "after xkill" 1
[ -s "$RUN/game.log" ] || fail "no message after xkill"
pass "xkill with a box open ends the game with status 1: $(tail -n 1 "$RUN/game.log")"

echo "$PASSED passed, 0 failed"
rm -rf "$RUN"
exit 0
