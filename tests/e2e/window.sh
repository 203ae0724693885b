#!/usr/bin/env bash
# The built game in a real X server, alone and then under openbox beside
# another program: it plays where nothing is ever active, each box has the
# keyboard, nothing moves while the window is out of focus or minimised, and
# the game ends as it should when its window is closed or destroyed or its
# connection is killed.
#   window.sh GAME_BINARY
source "$(dirname "$0")/lib.sh"
need xkill
start_x

start_picture() {
    shot start
    # the menu bar ends where the dark start picture begins
    MENU_H=$(od -An -v -tu1 -w$((WIN_W * 3)) -N $((60 * WIN_W * 3)) "$SHOT" |
        awk '$301 < 96 && $302 < 96 && $303 < 96 { print NR - 1; exit }')
    [ -n "$MENU_H" ] &&
        [ "$(convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$SHOT" -crop 200x200+360+150 -format '%k' info:)" -ge 256 ]
}
# play [XDOTOOL_ARGS...]: the start picture, a click on it (or what the
# arguments send), and ten boxes answered from the keyboard
play() {
    poll 100 start_picture || fail "no start picture under a menu bar, see $SHOT"
    CLIENT_H=$((WIN_H - MENU_H))
    ROW2=$((MENU_H + (4 * CLIENT_H + 3) / 6))  # the counters' row, rounded as the game does
    DAY="$((WIN_W / 2))x$((CLIENT_H / 6))+$((WIN_W / 2))+$ROW2"
    [ $# -gt 0 ] || set -- mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
    xdotool "$@"
    for k in Return space Return space Return space Return space Return space; do answer_box $k; done
    wait_overlay off
}
# overlay on|off: the raising screen dimmed by a pause, or shown plainly: the
# grey of panel 0 under its bars
overlay() {
    local r g b lo=192 hi=250
    [ "$1" = on ] && lo=40 hi=140
    shot "overlay-$1"
    read -r r g b <<<"$(od -An -v -tu1 -j $((((ROW2 - 6) * WIN_W + WIN_W * 3 / 28) * 3)) -N 3 "$SHOT")"
    [ "$r" -eq "$g" ] && [ "$g" -eq "$b" ] && [ "$r" -ge "$lo" ] && [ "$r" -le "$hi" ]
}
wait_overlay() { poll 100 overlay "$1" || fail "the raising screen did not turn $1 its pause within 5 s, see $SHOT"; }
day_moved() { shot again && [ "$(region "$SHOT" "$DAY")" != "$(region "$1" "$DAY")" ]; }
unchanged() { shot away && cmp -s "$1" "$SHOT" && rm "$SHOT"; }

# ==== no window manager: the window may never be active, and the game plays on
xdotool mousemove 1360 760  # away from the window, which would take the focus
open_game
play key --window "$WIN" Return
poll 200 day_moved "$SHOT" || fail "the days do not move without a window manager, see $SHOT"
xdotool windowclose "$WIN"
expect_exit "after its window was destroyed from outside"
pass "without a window manager ten boxes take the keyboard, the days go on, and a window destroyed from outside ends the game with status 0"

# ==== under openbox: each box has the keyboard, nothing moves out of focus or
# minimised
start_wm
open_game
play
pass "the start picture under a $MENU_H px menu bar; ten boxes of the introduction and the morning, each with the keyboard, answered with Return and Space"
xdotool windowactivate --sync "$OTHER"
wait_overlay on; first=$SHOT
steady 4 unchanged "$first" || fail "the window changed while another program had the focus, see $first $SHOT"
xdotool windowactivate --sync "$WIN"
wait_overlay off; back=$SHOT
xdotool windowminimize --sync "$WIN"
steady 4 eval '! xdotool search --onlyvisible --pid "$GAME_PID" | grep -qx "$WIN"' || fail "the minimised window came back by itself"
xdotool windowactivate --sync "$WIN"
wait_overlay off
[ "$(region "$back" "$DAY")" = "$(region "$SHOT" "$DAY")" ] || fail "the day moved while minimised, see $back $SHOT"
poll 200 day_moved "$back" || fail "the days do not go on afterwards, see $SHOT"
pass "nothing moved for 4 s out of focus, nor for 4 s minimised; the days went on afterwards"
wmctrl -i -c "$WIN"
expect_exit "after its window was closed"

# ==== boxes and the connection
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
