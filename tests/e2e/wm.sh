#!/usr/bin/env bash
# Plays the built game under a window manager (openbox, in Xvfb on a portrait
# screen) beside another program, and checks that the window fits the screen,
# that boxes sit over it and answer the keyboard, that keys play, and that
# nothing moves while the window is minimised, out of focus, paused by the
# player or while its menu is open.
#   wm.sh GAME_BINARY WMCLOSE_BINARY
# Needs Xvfb, openbox, xterm, xprop, xdotool and ImageMagick.

# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

for tool in openbox xterm xprop; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not installed"; exit 1; }
done

SCREEN_W=1080
SCREEN_H=1920
BOXES=25  # the question answered No with Escape: the whole introduction (23) + morning notice (2)
OTHER_PID=""
WM_PID=""

# shellcheck disable=SC2317  # run by the trap
wm_cleanup() {
    local p
    for p in "$OTHER_PID" "$WM_PID"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
    done
    cleanup
}
trap wm_cleanup EXIT

# md5 of a rectangle (WxH+X+Y) of a screenshot
region() { convert -size "${WIN_W}x${WIN_H}" -depth 8 "rgb:$1" -crop "$2" +repage rgb:- | md5sum | cut -c1-32; }

# the pause overlay dims the panels' light background
dimmed() {
    local r g b
    read -r r g b <<<"$(pixel "$1" "$PANEL_X" "$PANEL_Y")"
    [ "$r" -eq "$g" ] && [ "$g" -eq "$b" ] && [ "$r" -ge 40 ] && [ "$r" -le 140 ]
}

# wait_overlay on|off: until the raising screen is (not) dimmed; sets SHOT
wait_overlay() {
    for _ in $(seq 100); do
        shot "overlay-$1"
        if [ "$1" = on ] && dimmed "$SHOT"; then return 0; fi
        if [ "$1" = off ] && is_panel_grey "$(pixel "$SHOT" "$PANEL_X" "$PANEL_Y")"; then return 0; fi
        sleep 0.05
    done
    fail "the pause overlay did not turn $1 within 5 s, see $SHOT"
}

active() { xdotool getactivewindow 2>/dev/null; }

# ==== a. a window manager, another program and the game ========================

start_xvfb
echo "# Xvfb on $DISPLAY with openbox, pictures in $RUN"
openbox --sm-disable >"$RUN/openbox.log" 2>&1 &
WM_PID=$!
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || fail "openbox did not start (see $RUN/openbox.log)"
xterm -geometry 40x6+0+0 -title other -e sleep 600 >"$RUN/xterm.log" 2>&1 &
OTHER_PID=$!
OTHER=""
for _ in $(seq 200); do
    OTHER=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -n 1)
    [ -n "$OTHER" ] && xdotool windowactivate --sync "$OTHER" >/dev/null 2>&1 && [ "$(active)" = "$OTHER" ] && break
    OTHER=""
    sleep 0.05
done
[ -n "$OTHER" ] || fail "no other program's window to take the focus (see $RUN/xterm.log)"

start_game
for _ in $(seq 100); do
    [ "$(active)" = "$WIN" ] && break
    sleep 0.05
done
[ "$(active)" = "$WIN" ] || fail "the game's window did not become active"
read -r WIN_W WIN_H <<<"$(xdotool getwindowgeometry "$WIN" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
read -r wx wy <<<"$(xdotool getwindowgeometry "$WIN" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')"
read -r fl fr ft fb <<<"$(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)"
d=$((WIN_W - 2 * WIN_H))
[ "${d#-}" -le 1 ] || fail "window is ${WIN_W}x${WIN_H}, not 2 : 1"
if [ $((wx - ${fl:-0})) -lt 0 ] || [ $((wy - ${ft:-0})) -lt 0 ] ||
    [ $((wx + WIN_W + ${fr:-0})) -gt $SCREEN_W ] || [ $((wy + WIN_H + ${fb:-0})) -gt $SCREEN_H ]; then
    fail "window ${WIN_W}x${WIN_H} at $wx,$wy (frame $fl $fr $ft $fb) is not wholly on the ${SCREEN_W}x${SCREEN_H} screen"
fi
dx=$((wx + WIN_W / 2 - SCREEN_W / 2))
dy=$((wy + WIN_H / 2 - SCREEN_H / 2))
if [ "${dx#-}" -gt 30 ] || [ "${dy#-}" -gt 30 ]; then fail "window at $wx,$wy is not centred on the screen"; fi

MENU_H=""
for _ in $(seq 100); do
    shot start
    h=$(column "$SHOT" 100 0 60 | awk '$1 < 96 && $2 < 96 && $3 < 96 { print NR - 1; exit }')
    if [ -n "$h" ] && [ "$h" -ge 15 ] && [ "$h" -le 40 ]; then MENU_H=$h; break; fi
    sleep 0.1
done
[ -n "$MENU_H" ] || fail "no menu bar over the start picture, see $SHOT"
CLIENT_H=$((WIN_H - MENU_H))
ROW1=$((MENU_H + (2 * CLIENT_H + 3) / 6))   # the panels' row, rounded as the game does
ROW2=$((MENU_H + (4 * CLIENT_H + 3) / 6))   # the counters' row
INNER_H=$((ROW2 - ROW1 - 4))                # inside the panels' frames
PANEL_X=$((WIN_W * 3 / 28))                 # right half of panel 0...
PANEL_Y=$((ROW2 - 6))                       # ...near its bottom, under the blood bar
DAY="$((WIN_W / 2))x$(((ROW2 - ROW1) / 2))+$((WIN_W / 2))+$ROW2"
BARS="${WIN_W}x${INNER_H}+0+$((ROW1 + 2))"
pass "window ${WIN_W}x${WIN_H} at $wx,$wy, 2 : 1 and wholly on the portrait screen"

# ==== b. boxes over the window, answered with Return, Space and Escape ========

xdotool mousemove --window "$WIN" $((WIN_W / 2)) $((MENU_H + CLIENT_H / 2)) click 1
wait_box "" || fail "no box within 10 s of clicking the start picture"
read -r bx by <<<"$(xdotool getwindowgeometry "$BOX" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')"
read -r bw bh <<<"$(xdotool getwindowgeometry "$BOX" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
dx=$((bx + bw / 2 - wx - WIN_W / 2))
dy=$((by + bh / 2 - wy - WIN_H / 2))
if [ "${dx#-}" -gt 4 ] || [ "${dy#-}" -gt 30 ]; then fail "box ${bw}x${bh} at $bx,$by is not centred over the window"; fi
pass "the first box (${bw}x${bh}) is centred over the window"

keys=(Return space Escape)
for n in $(seq 1 "$BOXES"); do
    [ "$n" -eq 1 ] || wait_box "$BOX" || { shot "no-box-$n"; fail "box $n of $BOXES did not appear within 10 s"; }
    key=${keys[n - 1]:-$([ $((n % 2)) -eq 0 ] && echo space || echo Return)}
    answer_box "$key"
done
sleep 0.3
[ -z "$(boxes)" ] || fail "a box is still open after $BOXES answers"
wait_overlay off
pass "$BOXES boxes answered with Return and Space, the question with Escape (いいえ)"

# ==== c. keys press a face ======================================================

for attempt in 1 2 3; do
    shot before-key; before=$SHOT
    t0=$(now_ms)
    xdotool keydown 1
    flashed=""
    for _ in $(seq 40); do
        shot key-down
        if reddish "$(pixel "$SHOT" 10 $((ROW2 + 4)))"; then flashed=$SHOT; break; fi
    done
    xdotool keyup 1
    [ -n "$flashed" ] || fail "key 1 held down does not flash meal 0's colour, see $SHOT"
    wait_overlay off
    t1=$(now_ms)
    xr=$((WIN_W * 3 / 28))
    b0=$(bar_len "$before" "$xr" $((ROW1 + 2)) "$INNER_H" "128 0 0")
    b1=$(bar_len "$SHOT" "$xr" $((ROW1 + 2)) "$INNER_H" "128 0 0")
    ticks=$(((t1 - t0) / 475 + 1))
    need=$(((INNER_H * (101 - 29 * ticks)) / 1000 - 2))
    if [ "$need" -ge 3 ]; then
        [ "$b1" -ge $((b0 + need)) ] || fail "key 1 took meal 0's blood bar from $b0 to $b1 px (want +$need), see $before $SHOT"
        break
    fi
    [ "$attempt" -lt 3 ] || fail "key presses too slow to judge the blood bar"
done
pass "key 1 flashes while down and purifies on release ($b0 -> $b1 px)"

# ==== d. another program takes the focus =======================================

xdotool windowactivate --sync "$OTHER"
wait_overlay on; first=$SHOT
sleep 4
shot "still-away"; second=$SHOT
cmp -s "$first" "$second" || fail "the paused window changed while another program had the focus, see $first $second"
xdotool windowactivate --sync "$WIN"
wait_overlay off; c=$SHOT
sleep 1.2
shot "running-again"
[ "$(region "$c" "$BARS")" != "$(region "$SHOT" "$BARS")" ] || fail "the bars do not move after the focus came back, see $c $SHOT"
pass "nothing moved for 4 s while another program had the focus; the game went on when it came back"

# ==== e. the player's pause and the menu =======================================

xdotool key p
wait_overlay on; first=$SHOT
xdotool key 3
sleep 1.5
shot "still-paused"; second=$SHOT
cmp -s "$first" "$second" || fail "the game moved (or key 3 acted) while paused with P, see $first $second"
xdotool key p
wait_overlay off
pass "P pauses and resumes; no key acts while paused"

xdotool key F10
menu=""
for _ in $(seq 100); do
    menu=$(boxes | head -n 1)
    [ -n "$menu" ] && break
    sleep 0.05
done
[ -n "$menu" ] || fail "F10 opens no menu"
sleep 0.3
shot "menu-open"; first=$SHOT
sleep 1.5
shot "menu-still-open"; second=$SHOT
[ "$(region "$first" "$BARS")" = "$(region "$second" "$BARS")" ] || fail "the bars moved while the menu was open, see $first $second"
dimmed "$second" && fail "the open menu dims the window, see $second"
xdotool key Down Right Return  # 難易度 → 軽い: only the days move now
for _ in $(seq 100); do
    [ -z "$(boxes)" ] && break
    sleep 0.05
done
[ -z "$(boxes)" ] || fail "the menu stays open after choosing 軽い"
pass "F10 opens the menu, which holds time without the overlay; 軽い chosen from the keyboard"

# ==== f. minimised, and another program in front ===============================

# Just after a day has turned, so that a whole day lies ahead.
shot "day"; day=$(region "$SHOT" "$DAY")
turned=""
for _ in $(seq 100); do
    shot "day"
    if [ "$(region "$SHOT" "$DAY")" != "$day" ]; then turned=$SHOT; break; fi
    sleep 0.05
done
[ -n "$turned" ] || fail "the day counter did not move within 5 s, see $SHOT"
xdotool windowminimize --sync "$WIN"
xdotool windowactivate --sync "$OTHER"
sleep 7
xdotool windowactivate --sync "$WIN"
for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | grep -qx "$WIN" && break
    sleep 0.05
done
sleep 0.2  # mapped, and painted
wait_overlay off; back=$SHOT
[ "$(region "$turned" "$DAY")" = "$(region "$back" "$DAY")" ] || fail "the day counter moved while the window was minimised, see $turned $back"
[ "$(region "$turned" "$BARS")" = "$(region "$back" "$BARS")" ] || fail "the bars moved while the window was minimised, see $turned $back"
moved=""
for _ in $(seq 100); do
    shot "days-again"
    if [ "$(region "$SHOT" "$DAY")" != "$(region "$back" "$DAY")" ]; then moved=1; break; fi
    sleep 0.05
done
[ -n "$moved" ] || fail "the days do not go on after the window came back, see $SHOT"
pass "nothing moved for 7 s minimised behind another program; the days went on afterwards"

# ==== g. closing ================================================================

close_and_expect_exit "under a window manager"

echo "$PASSED passed, 0 failed"
rm -rf "$RUN"
exit 0
