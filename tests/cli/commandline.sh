#!/usr/bin/env bash
# The program's command line, run with no display at all: help and version
# answer, a wrong command line is refused, a display that cannot be opened
# ends the program with one line and status 1 instead of an abort, and the
# program finds its pictures beside itself whatever bytes its folder's path
# holds, or names the one missing or broken.
#   commandline.sh GAME_BINARY VERSION
# shellcheck disable=SC2086  # an argument list in one word is split into words
source "$(dirname "$0")/../e2e/lib.sh"
NL=$'\n'
L="[^$NL]*"  # within one line

# expect RC OUT ERR [VAR=VALUE...] -- ARGS...: the game, run with no display as
# a shell without a desktop would, ends with RC, its stdout and stderr matching
# the extended expressions OUT and ERR.
expect() {
    local rc=$1 out=$2 err=$3 vars=()
    shift 3
    while [ "$1" != -- ]; do vars+=("$1"); shift; done
    shift
    (cd "$RUN" && exec "${AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$MARK" "${vars[@]}" \
        timeout -s KILL 20 "$GAME" "$@" >"$RUN/out" 2>"$RUN/err")
    RC=$?
    OUT=$(<"$RUN/out") ERR=$(<"$RUN/err")
    [ "$RC" -eq "$rc" ] && [[ $OUT =~ $out ]] && [[ $ERR =~ $err ]] ||
        fail "${vars[*]:+${vars[*]} }velmoria $*: status $RC, want $rc$NL--- stdout:$NL$OUT$NL--- stderr:$NL$ERR"
    pass "${vars[*]:+${vars[*]} }velmoria $*: status $RC${ERR:+, '${ERR%%"$NL"*}'}"
}

for opt in --help -h; do expect 0 'Usage:.*--version.*--lang.*ja.*en.*zh' '^$' -- "$opt"; done
# Qt's own options are known, with their values, and do not hide ours.
for args in --version -v "-platform offscreen -style Fusion -reverse --version"; do expect 0 "^velmoria ${2//./\\.}\$" '^$' -- $args; done
for args in --no-such-option -x extra-argument -platform; do expect 2 '^$' "^velmoria: .*Usage:" -- $args; done
expect 2 '^$' "^velmoria: $L: ja, en or zh$NL.*Usage:" -- --lang fr
# In the language the game would have spoken: its own here (LANG=C.UTF-8).
expect 1 '^$' "^velmoria: ${L}ディスプレイを開けません$L\$" -- --lang ja
expect 1 '^$' "^velmoria: ${L}cannot open display$L\$" -- --lang en
expect 1 '^$' "^velmoria: ${L}无法连接显示服务器$L\$" -- --lang zh
n=400 && while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
# Otherwise Qt's own reasons about the platform follow our line.
expect 1 '^$' "^velmoria: ディスプレイを開けません（DISPLAY=:$n）$L${NL}qt\.qpa\.xcb: could not connect to display :$n" DISPLAY=":$n" --
expect 1 '^$' "^velmoria: ディスプレイを開けません$L${NL}qt\.qpa\.plugin: Could not find the Qt platform plugin \"nosuch\"" -- -platform nosuch

# A folder whose name is Latin-1, not UTF-8: the path is told with U+FFFD.
# Without pictures beside the program, then with one broken; -platform
# reaches Qt, or the display would be missed first.
d=$RUN/$'caf\xe9' built=$(dirname "$GAME")/GF
mkdir "$d" && cp "$GAME" "$d" && GAME=$d/velmoria || fail "cannot copy the game into $d"
expect 1 '^$' $'/caf\xef\xbf\xbd/GF/stt\\.bmp' -- -platform offscreen
mkdir "$d/GF" && ln -s "$built"/* "$d/GF/" && rm "$d/GF/fce4.bmp" && printf BM >"$d/GF/fce4.bmp" || fail "cannot link the pictures"
expect 1 '^$' $'/caf\xef\xbf\xbd/GF/fce4\\.bmp' -- -platform offscreen
