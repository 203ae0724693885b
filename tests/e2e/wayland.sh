#!/usr/bin/env bash
# The built game natively on Wayland, in a headless sway that honours
# activation requests as GNOME and KDE do, played by keys alone: Return on
# the start screen, Return for every box (each must have the keyboard), a
# face's key, the pause, and closing the window. sway refuses to run as
# root, so it and the game run as nobody.
#   wayland.sh GAME_BINARY
AS_PLAYER=1
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
for tool in sway swaymsg wtype grim setpriv convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
# A copy the unprivileged user can read (a build tree under /root is not).
mkdir "$RUN/game"
cp "$GAME" "$RUN/game/" && cp -r "$(dirname "$GAME")/GF" "$RUN/game/" && chmod -R a+rX "$RUN/game"
GAME=$RUN/game/velmoria
printf 'output HEADLESS-1 mode 1366x768\nfocus_on_window_activation focus\n' >"$RUN/sway.conf"
chmod 644 "$RUN/sway.conf"

way() { "${PLAYER[@]}" env XDG_RUNTIME_DIR="$PLAYER_DIR" WAYLAND_DISPLAY=wayland-1 "$@"; }
"${PLAYER[@]}" env -i XDG_RUNTIME_DIR="$PLAYER_DIR" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$RUN/sway.conf" >"$RUN/sway.log" 2>&1 &
HELPERS+=($!)
sway_ready() { [ -S "$PLAYER_DIR/wayland-1" ] && SWAYSOCK=$(ls "$PLAYER_DIR"/sway-ipc.*.sock 2>/dev/null); }
poll 200 sway_ready || fail "sway did not start (see $RUN/sway.log)"
# Qt binds the keyboard only once there is one: a virtual one, for the run.
way wtype -s 86400000 >/dev/null 2>&1 &
HELPERS+=($!)
key() { way wtype "$@"; }

# windows: the game's windows, "focused x y width height" each, main first
windows() {
    "${PLAYER[@]}" swaymsg -s "$SWAYSOCK" -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("app_id") == "org.velmoria.Velmoria":
        r = n["rect"]
        yield " ".join(str(v) for v in (int(n["focused"]), r["x"], r["y"], r["width"], r["height"]))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        yield from walk(c)
print("\n".join(walk(json.load(sys.stdin))))'
}
# shot X Y W H: that part of the screen as raw RGB in $SHOT, kept as PNG
shot() {
    SHOTS=$((SHOTS + 1))
    SHOT="$RUN/$(printf '%02d' "$SHOTS").raw"
    way grim -g "$1,$2 ${3}x$4" - | tee "${SHOT%.raw}.png" | convert png:- -depth 8 "rgb:$SHOT" || fail "grim took no picture"
}
box_pixels() { shot "$bx" "$by" "$bw" "$bh" && md5sum <"$SHOT"; }
box_answered() { [ "$(windows | wc -l)" -eq 1 ] || [ "$(box_pixels)" != "$before" ]; }
rgb() { od -An -v -tu1 -j $((($2 * $3 + $1) * 3)) -N 3 "$SHOT" | awk '{ print $1, $2, $3 }'; }

start_game QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-1
main_focused() {
    game_running || fail "the game ended at start"
    read -r focused wx wy ww wh <<<"$(windows | sed -n 1p)"
    [ "$focused" = 1 ]
}
poll 200 main_focused || fail "the game's window never got the keyboard"
pass "the game's window ${ww}x$wh on Wayland, with app id org.velmoria.Velmoria and the keyboard"

# Return starts; every box then has the keyboard and Return answers it.
key -k Return
box_up() { mapfile -t now < <(windows) && [ "${#now[@]}" -gt 1 ]; }
for n in $(seq 10); do
    poll 200 box_up || fail "box $n did not come up"
    read -r focused bx by bw bh <<<"${now[1]}"
    [ "$focused" = 1 ] || fail "box $n came up without the keyboard: ${now[*]}"
    before=$(box_pixels)
    key -k Return
    poll 100 box_answered || fail "box $n did not take Return"
done
poll 100 eval '[ "$(windows | wc -l)" -eq 1 ]' || fail "more boxes than the introduction's 8 and the morning's 2"
pass "every one of the 10 boxes had the keyboard and took Return"

# On the raising screen: panel 0's light background under its bars, tinted
# red while key 1 is down, dimmed while paused.
px=$((ww * 3 / 28))
py=$((wh * 5 / 8))
panel_light() {  # LOW HIGH: panel 0 is a grey between
    shot "$wx" "$wy" "$ww" "$wh"
    read -r r g b <<<"$(rgb "$px" "$py" "$ww")"
    [ "$r" -eq "$g" ] && [ "$g" -eq "$b" ] && [ "$r" -ge "$1" ] && [ "$r" -le "$2" ]
}
wait_panel() {  # LOW HIGH WHAT
    poll 100 panel_light "$1" "$2" || fail "panel 0 is not $3: ($(rgb "$px" "$py" "$ww"))"
}
wait_panel 192 250 "shown plainly"
tinted() {
    shot "$wx" "$wy" "$ww" "$wh"
    read -r r g b <<<"$(rgb 10 $((wh - 10)) "$ww")"
    [ "$r" -ge 100 ] && [ "$g" -lt 64 ] && [ "$b" -lt 64 ]
}
key -P 1 -s 3000 -p 1 &  # one keyboard holds it: one that goes lets go of its keys
poll 50 tinted
tint=$?
wait $!
[ "$tint" -eq 0 ] || fail "key 1 held down does not tint the window red ($r $g $b)"
pass "key 1 tints the window while down"
key -k p
wait_panel 40 140 "dimmed by the pause"
key -k p
wait_panel 192 250 "shown plainly after the pause"
pass "P pauses and resumes"

"${PLAYER[@]}" swaymsg -s "$SWAYSOCK" kill >/dev/null
expect_exit "after sway closed its window"
pass "closing the window ends the game with status 0"
echo "$PASSED passed, 0 failed"
rm -rf "$RUN"
