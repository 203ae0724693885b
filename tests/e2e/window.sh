#!/usr/bin/env bash
# The built game in a real X server, first alone and then under a window
# manager beside another program: what only a display server shows. It
# plays where nothing is ever active, each box has the keyboard, nothing
# moves while the window is out of focus or minimised, and the game ends as
# it should when its window is closed or destroyed or its connection is
# killed.
#   window.sh GAME_BINARY
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
for tool in Xvfb openbox xterm xprop xdotool wmctrl xkill import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
start_x

start_picture() {
    shot start
    # the menu bar ends where the dark start picture begins
    MENU_H=$(od -An -v -tu1 -w$((WIN_W * 3)) -N $((60 * WIN_W * 3)) "$SHOT" |
        awk '$301 < 96 && $302 < 96 && $303 < 96 { print NR - 1; exit }')
    [ -n "$MENU_H" ] &&
        [ "$(convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$SHOT" -crop 200x200+360+150 -format '%k' info:)" -ge 256 ]
}
# play [keys]: the start picture, a click on it (or Return sent to the
# window), and ten boxes answered from the keyboard
play() {
    poll 100 start_picture || fail "no start picture under a menu bar, see $SHOT"
    CLIENT_H=$((WIN_H - MENU_H))
    ROW2=$((MENU_H + (4 * CLIENT_H + 3) / 6))  # the counters' row, rounded as the game does
    DAY="$((WIN_W / 2))x$((CLIENT_H / 6))+$((WIN_W / 2))+$ROW2"
    if [ "${1:-}" = keys ]; then
        xdotool key --window "$WIN" Return
    else
        xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
    fi
    for n in $(seq 10); do
        answer_box "$([ $((n % 2)) -eq 0 ] && echo space || echo Return)"
    done
    wait_overlay off
}
panel_grey() {
    local r g b
    read -r r g b <<<"$(pixel "$1" $((WIN_W * 3 / 28)) $((ROW2 - 6)))"  # panel 0, under its bars
    [ "$r" -eq "$g" ] && [ "$g" -eq "$b" ] && [ "$r" -ge "$2" ] && [ "$r" -le "$3" ]
}
# wait_overlay on|off: until the raising screen is dimmed, or shows plainly
wait_overlay() {
    poll 100 overlay "$1" || fail "the raising screen did not turn $1 its pause within 5 s, see $SHOT"
}
overlay() {
    shot "overlay-$1"
    if [ "$1" = on ]; then panel_grey "$SHOT" 40 140; else panel_grey "$SHOT" 192 250; fi
}

day_moved() {
    shot again
    [ "$(region "$SHOT" "$DAY")" != "$(region "$1" "$DAY")" ]
}

# ==== no window manager: the window may never be active, and the game plays on

xdotool mousemove 1360 760  # away from the window, which would take the focus
open_game
play keys
first=$SHOT
poll 200 day_moved "$first" || fail "the days do not move without a window manager, see $SHOT"
pass "without a window manager the game starts, takes ten boxes from the keyboard and its days go on"
kill "$GAME_PID" && wait "$GAME_PID"
GAME_PID=""

# ==== under openbox: every box answered from the keyboard ======================

start_wm
open_game
play
pass "the start picture under a $MENU_H px menu bar; ten boxes of the introduction and the morning, each with the keyboard, answered with Return and Space"

# ==== nothing moves out of focus or minimised ==================================

xdotool windowactivate --sync "$OTHER"
wait_overlay on; first=$SHOT
sleep 3.5
shot away
cmp -s "$first" "$SHOT" || fail "the window changed while another program had the focus, see $first $SHOT"
xdotool windowactivate --sync "$WIN"
wait_overlay off; back=$SHOT
xdotool windowminimize --sync "$WIN"
sleep 3.5
xdotool windowactivate --sync "$WIN"
shown() { xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | grep -qx "$WIN"; }
poll 100 shown
wait_overlay off
[ "$(region "$back" "$DAY")" = "$(region "$SHOT" "$DAY")" ] || fail "the day moved while minimised, see $back $SHOT"
poll 200 day_moved "$back" || fail "the days do not go on afterwards, see $SHOT"
pass "nothing moved for 3.5 s out of focus, nor for 3.5 s minimised; the days went on afterwards"

xdotool windowclose "$WIN"
expect_exit "after its window was destroyed from outside"
pass "a window destroyed from outside ends the game with status 0"

# ==== boxes and the connection ==================================================

for ending in close xkill; do
    open_game
    xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((WIN_H / 2)) click 1
    wait_box
    [ "$ending" = xkill ] && break
    xdotool windowclose "$BOX"
    wait_box "$BOX"
    pass "a box destroyed from outside counts as answered: the next one follows"
    wmctrl -i -c "$WIN"
    expect_exit "after its window was closed with a box open"
    pass "closing the window with a box open ends the game with status 0"
done
xkill -id "$WIN" >/dev/null || fail "xkill could not reach window $WIN"
expect_exit "after xkill" 1
pass "a killed connection ends the game with status 1: $(tail -n 1 "$RUN/game.log")"

echo "$PASSED passed, 0 failed"
rm -rf "$RUN"
