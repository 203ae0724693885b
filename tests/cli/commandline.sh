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
export XDG_CONFIG_HOME="$RUN/config"
PASSED=0

pass() {
    PASSED=$((PASSED + 1))
    echo "ok $PASSED - $*"
}

fail() {
    echo "FAIL: $* (status $RC)"
    echo "--- stdout:"; head -n 20 "$RUN/out"
    echo "--- stderr:"; head -n 20 "$RUN/err"
    exit 1
}

# game [VAR=VALUE...] -- ARGS...: the game with no display, as a shell
# without a desktop would run it; sets RC, OUT and ERR.
game() {
    local vars=()
    while [ "$1" != -- ]; do vars+=("$1"); shift; done
    shift
    (cd "$RUN" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${vars[@]}" \
        timeout -s KILL 20 "$GAME" "$@" >"$RUN/out" 2>"$RUN/err")
    RC=$?
    OUT=$(cat "$RUN/out")
    ERR=$(cat "$RUN/err")
}

for opt in --help -h; do
    game -- "$opt"
    [ "$RC" -eq 0 ] && grep -q -- '--version' <<<"$OUT" && grep -q 'Usage:' <<<"$OUT" && [ -z "$ERR" ] ||
        fail "$opt: want the usage on standard output"
done
pass "--help and -h print the usage and exit 0 without a display"

# Qt's own options are known, with their values, and do not hide ours.
for args in --version -v "-platform offscreen -style Fusion -reverse --version"; do
    # shellcheck disable=SC2086  # words of their own
    game -- $args
    [ "$RC" -eq 0 ] && [ "$OUT" = "velmoria $VERSION" ] || fail "$args: '$OUT'"
done
pass "--version and -v print 'velmoria $VERSION', after Qt's own options too"

for args in "--no-such-option" "-x" "extra-argument" "-platform" "--lang fr"; do
    # shellcheck disable=SC2086
    game -- $args
    [ "$RC" -eq 2 ] && [ -z "$OUT" ] && grep -q 'Usage:' <<<"$ERR" && grep -q '^velmoria: ' <<<"$ERR" ||
        fail "'$args': want a reason and the usage on standard error, status 2"
done
grep -q "ja or en" <<<"$ERR" || fail "--lang fr: want the languages named"
pass "unknown options, stray arguments, a missing value and an unknown language: reason and usage on stderr, status 2"

# In the language the game would have spoken: its own here (LANG=C.UTF-8).
for lang in ja en; do
    game -- --lang "$lang"
    want=$([ "$lang" = ja ] && echo 'ディスプレイを開けません' || echo 'cannot open a display')
    [ "$RC" -eq 1 ] && [ "$(wc -l <"$RUN/err")" -eq 1 ] && grep -q "$want" <<<"$ERR" ||
        fail "no display: want one line saying so ($lang) and status 1 (134 is an abort)"
    pass "with no display at all: '$ERR', status 1"
done

for n in $(seq 400 499); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
# Otherwise Qt's own reasons about the platform follow our line.
game DISPLAY=":$n" --
[ "$RC" -eq 1 ] && head -n 1 <<<"$ERR" | grep -q "^velmoria: ディスプレイを開けません（DISPLAY=:$n）" &&
    grep -q "^qt.qpa.xcb: could not connect to display :$n" <<<"$ERR" || fail "DISPLAY=:$n: want our line, then Qt's"
pass "with an unreachable display: '$(head -n 1 <<<"$ERR")' and Qt's reason, status 1"
game -- -platform nosuch
[ "$RC" -eq 1 ] && head -n 1 <<<"$ERR" | grep -q '^velmoria: ディスプレイを開けません' &&
    grep -q '^qt.qpa.plugin: Could not find the Qt platform plugin "nosuch"' <<<"$ERR" && [ ! -e "$RUN/core" ] ||
    fail "-platform nosuch: want our line, then Qt's reason, and no core"
pass "with a platform plugin that does not exist: our line, then '$(sed -n 2p <<<"$ERR")'"

# Qt's -platform reaches Qt: the game runs headless instead of failing.
(cd "$RUN" && exec env -u DISPLAY -u WAYLAND_DISPLAY timeout 3 "$GAME" -platform offscreen >"$RUN/out" 2>"$RUN/err")
RC=$?
[ "$RC" -eq 124 ] || fail "-platform offscreen: ended instead of running"
pass "-platform offscreen starts the game without a display"

echo "$PASSED passed, 0 failed"
