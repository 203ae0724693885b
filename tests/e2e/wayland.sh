#!/usr/bin/env bash
# The built game natively on Wayland, in a headless sway that honours
# activation requests as GNOME and KDE do, played by keys alone with Orca
# listening: Return on the start screen, then every box heard by Orca and
# answered with Return (so each must have had the keyboard), and closing
# the window. sway refuses to run as root, so it, Orca and the game run as
# nobody.
#   wayland.sh GAME_BINARY
AS_PLAYER=1
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
for tool in sway swaymsg wtype setpriv; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
# A copy the unprivileged user can read (a build tree under /root is not).
mkdir "$RUN/game"
cp "$GAME" "$RUN/game/" && cp -r "$(dirname "$GAME")/GF" "$RUN/game/" && chmod -R a+rX "$RUN/game"
GAME=$RUN/game/velmoria
printf 'output HEADLESS-1 mode 1366x768\nfocus_on_window_activation focus\n' >"$RUN/sway.conf"
chmod 644 "$RUN/sway.conf"

WAY=(WAYLAND_DISPLAY=wayland-1)
spawn "${AS[@]}" env -i "$MARK" XDG_RUNTIME_DIR="$PLAYER_DIR" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$RUN/sway.conf" >"$RUN/sway.log" 2>&1
sway_ready() { [ -S "$PLAYER_DIR/wayland-1" ] && SWAYSOCK=$(ls "$PLAYER_DIR"/sway-ipc.*.sock 2>/dev/null); }
poll 200 sway_ready || fail "sway did not start (see $RUN/sway.log)"
# Qt binds the keyboard only once there is one: a virtual one, for the run.
spawn "${AS[@]}" "${WAY[@]}" wtype -s 86400000 >/dev/null 2>&1

# windows: the game's windows, "focused x y width height" each, main first
windows() {
    "${AS[@]}" swaymsg -s "$SWAYSOCK" -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("app_id") == "org.velmoria.Velmoria":
        r = n["rect"]
        yield " ".join(str(v) for v in (int(n["focused"]), r["x"], r["y"], r["width"], r["height"]))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        yield from walk(c)
print("\n".join(walk(json.load(sys.stdin))))'
}

# Orca 43 keeps its own keys in an X keyboard map, so it wants the X
# server a Wayland desktop runs beside itself (Xwayland); an Xvfb stands in.
start_x
start_reader GDK_BACKEND=wayland "${WAY[@]}"
start_game QT_QPA_PLATFORM=wayland "${WAY[@]}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
main_focused() {
    game_running || fail "the game ended at start"
    read -r focused w <<<"$(windows | sed -n 1p)"
    [ "$focused" = 1 ]
}
poll 200 main_focused || fail "the game's window never got the keyboard"
pass "the game's window on Wayland, with app id org.velmoria.Velmoria and the keyboard"

"${AS[@]}" "${WAY[@]}" wtype -k Return
"${AS[@]}" "${WAY[@]}" VELMORIA_KEYS="wtype -k" /usr/bin/python3 "$(dirname "$0")/access.py" "$ORCA_LOG" boxes ||
    fail "the boxes through Orca"
PASSED=$((PASSED + 1))
poll 100 eval '[ "$(windows | wc -l)" -eq 1 ]' || fail "more boxes than the introduction's 8 and the morning's 2"
pass "Return started a game, and every one of the 10 boxes had the keyboard and took Return"

"${AS[@]}" swaymsg -s "$SWAYSOCK" kill >/dev/null
expect_exit "after sway closed its window"
pass "closing the window ends the game with status 0"
echo "$PASSED passed, 0 failed"
rm -rf "$RUN"
