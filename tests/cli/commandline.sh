#!/usr/bin/env bash
# The program's command line, run with no display at all: help and version
# answer, a wrong command line is refused, and a display that cannot be
# opened ends the program with one line and status 1 instead of an abort.
#   commandline.sh GAME_BINARY VERSION

set -u
GAME=$(readlink -f "$1")
VERSION=$2
RUN=$(mktemp -d "${TMPDIR:-/tmp}/velmoria-cli.XXXXXX")
# shellcheck source=tests/private-bus.sh
source "$(dirname "$0")/../private-bus.sh"
trap 'end_private_bus; rm -rf "$RUN"' EXIT
private_bus "$RUN" || exit 1
# What the game keeps goes to the run's folder, not the user's.
export XDG_CONFIG_HOME="$RUN/config"
PASSED=0

pass() {
    PASSED=$((PASSED + 1))
    echo "ok $PASSED - $*"
}

fail() {
    echo "FAIL: $*"
    for f in out err; do
        [ -s "$RUN/$f" ] && { echo "--- std$f:"; head -n 20 "$RUN/$f"; }
    done
    exit 1
}

# game ARGS...: runs the game with no display, as a player's shell without a
# desktop would; sets RC, and OUT and ERR to what it printed.
game() {
    (cd "$RUN" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        timeout -s KILL 20 "$GAME" "$@" >"$RUN/out" 2>"$RUN/err")
    RC=$?
    OUT=$(cat "$RUN/out")
    ERR=$(cat "$RUN/err")
}

# ---- help and version --------------------------------------------------------

for opt in --help -h; do
    game "$opt"
    [ "$RC" -eq 0 ] || fail "$opt: status $RC"
    grep -q -- '--version' <<<"$OUT" && grep -q 'Usage:' <<<"$OUT" || fail "$opt: no usage text"
    [ -z "$ERR" ] || fail "$opt: printed on standard error"
done
pass "--help and -h print the usage and exit 0 without a display"

for opt in --version -v; do
    game "$opt"
    [ "$RC" -eq 0 ] && [ "$OUT" = "velmoria $VERSION" ] || fail "$opt: status $RC, '$OUT'"
done
pass "--version and -v print 'velmoria $VERSION' and exit 0 without a display"

# Qt's own options are known, with their values, and do not hide ours.
game -platform offscreen -style Fusion -reverse --version
[ "$RC" -eq 0 ] && [ "$OUT" = "velmoria $VERSION" ] || fail "Qt options before --version: status $RC, '$OUT'"
pass "Qt's options (-platform X, -style X, -reverse) are accepted"

# ---- a command line we do not understand --------------------------------------

for args in "--no-such-option" "-x" "extra-argument" "-platform"; do
    # shellcheck disable=SC2086  # one word each, or none
    game $args
    [ "$RC" -eq 2 ] || fail "'$args': status $RC, want 2"
    [ -z "$OUT" ] || fail "'$args': printed on standard output"
    grep -q 'Usage:' <<<"$ERR" && grep -q '^velmoria: ' <<<"$ERR" || fail "'$args': no reason and usage on standard error"
done
pass "unknown options, stray arguments and a missing value: reason and usage on stderr, status 2"

# ---- no display ----------------------------------------------------------------

game
[ "$RC" -eq 1 ] || fail "no display: status $RC, want 1 (134 is an abort)"
[ "$(wc -l <"$RUN/err")" -eq 1 ] && grep -q 'cannot open a display' <<<"$ERR" ||
    fail "no display: want one line saying so"
pass "with no display at all: '$ERR', status 1"

# A display nobody serves.
for n in $(seq 400 499); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
(cd "$RUN" && exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$n" \
    timeout -s KILL 20 "$GAME" >"$RUN/out" 2>"$RUN/err")
RC=$?
ERR=$(cat "$RUN/err")
[ "$RC" -eq 1 ] || fail "DISPLAY=:$n: status $RC, want 1"
[ "$(wc -l <"$RUN/err")" -eq 1 ] && grep -q "cannot open a display (DISPLAY=:$n)" <<<"$ERR" ||
    fail "DISPLAY=:$n: want one line naming the display"
pass "with an unreachable display: '$ERR', status 1"

# Qt's -platform reaches Qt: the game runs headless instead of failing.
(cd "$RUN" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    timeout 3 "$GAME" -platform offscreen >"$RUN/out" 2>"$RUN/err")
RC=$?
[ "$RC" -eq 124 ] || fail "-platform offscreen: ended with status $RC instead of running"
pass "-platform offscreen starts the game without a display"

echo "$PASSED passed, 0 failed"
