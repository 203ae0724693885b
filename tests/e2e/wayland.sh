#!/usr/bin/env bash
# The built game natively on Wayland, in a headless sway that honours
# activation requests as GNOME and KDE do, played by keys alone: each box has
# the keyboard (seen through AT-SPI) and takes Return, and closing the window
# ends the game. sway refuses root, so it and the game run as nobody, from
# copies in the run's folder (a checkout may be closed to others).
#   wayland.sh GAME_BINARY
AS_PLAYER=1
source "$(dirname "$0")/lib.sh"
need sway swaymsg wtype setpriv
mkdir "$RUN/game"
cp "$GAME" "$RUN/game/" && cp -r "$(dirname "$GAME")/GF" "$RUN/game/" || fail "cannot copy the game into $RUN"
printf 'output HEADLESS-1 mode 1366x768\nfocus_on_window_activation focus\n' >"$RUN/game/sway.conf"
chmod -R a+rX "$RUN/game"
GAME=$RUN/game/velmoria

WAY=(WAYLAND_DISPLAY=wayland-1)
spawn "${AS[@]}" env -i "$MARK" XDG_RUNTIME_DIR="$PLAYER_DIR" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$RUN/game/sway.conf" >"$RUN/sway.log" 2>&1
sway_ready() { [ -S "$PLAYER_DIR/wayland-1" ] && SWAYSOCK=$(ls "$PLAYER_DIR"/sway-ipc.*.sock 2>/dev/null); }
poll 200 sway_ready || fail "sway did not start (see $RUN/sway.log)"
# Qt binds the keyboard only once there is one: a virtual one, for the run.
spawn "${AS[@]}" "${WAY[@]}" wtype -s 86400000 >/dev/null 2>&1

# windows: whether each of the game's windows has the keyboard, main first
windows() {
    "${AS[@]}" swaymsg -s "$SWAYSOCK" -t get_tree | /usr/bin/python3 -c 'import json, sys
def walk(n): return [n["focused"]] * (n.get("app_id") == "org.velmoria.Velmoria") + sum(map(walk, n["nodes"] + n["floating_nodes"]), [])
print(*walk(json.load(sys.stdin)))'
}

start_reader
start_game QT_QPA_PLATFORM=wayland "${WAY[@]}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
poll 200 eval 'game_running && [[ $(windows) == True* ]]' || fail "the game's window never got the keyboard"
pass "the game's window on Wayland, with app id org.velmoria.Velmoria and the keyboard"

"${AS[@]}" "${WAY[@]}" wtype -k Return
reader "${WAY[@]}" VELMORIA_KEYS="wtype -k"
poll 100 eval '[ "$(windows)" = True ]' || fail "more boxes than the introduction's 8 and the morning's 2, or the window without the keyboard"
pass "no box is left after those ten, and the window has the keyboard again"

"${AS[@]}" swaymsg -s "$SWAYSOCK" kill >/dev/null
expect_exit "after sway closed its window"
pass "closing the window ends the game with status 0"
