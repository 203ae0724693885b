#!/usr/bin/env bash
# Installs the built package into fresh minimal Debian roots, once without
# and once with recommends, and plays it there as a new player would: a
# plain user starts it on an X server outside the root, it finds a Japanese
# font, closes with status 0, and a purge leaves nothing of it. With trixie,
# the source is also built, tested, packaged and checked in a Debian 13 root.
#   dist/check-clean-install.sh [bookworm|trixie] [PACKAGE.deb]
# Needs root, mmdebstrap, Xvfb, openbox, xdotool and wmctrl
# (./run.sh check-clean-install installs them). No X program goes into the
# root: its libraries would hide a dependency the package forgot.

set -u
cd "$(dirname "$0")/.."
RELEASE=${1:-bookworm}
case "$RELEASE" in
bookworm | trixie) ;;
*) echo "usage: $0 [bookworm|trixie] [PACKAGE.deb]" >&2; exit 2 ;;
esac
VERSION=$(sed -n 's/^project(velmoria VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB=$(readlink -f "${2:-build-package/velmoria_${VERSION}-1_$(dpkg --print-architecture).deb}")
# The archive apt here already uses, without its security and update suites.
MIRROR=$(apt-get indextargets --format '$(REPO_URI) $(SUITE)' 2>/dev/null |
    awk '$2 !~ /-/ { print $1; exit }')
MIRROR=${MIRROR:-http://deb.debian.org/debian/}
RUN=$(mktemp -d "${TMPDIR:-/var/tmp}/velmoria-clean.XXXXXX")
ROOT=$RUN/root
MOUNTS=()  # mounted now, innermost last
WM_PID=""
# shellcheck source=dist/checks.sh
source dist/checks.sh

unmount() {
    local i
    for ((i = ${#MOUNTS[@]} - 1; i >= 0; i--)); do umount "${MOUNTS[$i]}"; done
    MOUNTS=()
}

# shellcheck disable=SC2317  # run by the trap
cleanup() {
    local p
    for p in "$GAME_PID" "$WM_PID" "$XVFB_PID"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
    done
    unmount
    # nothing is removed while anything could still be mounted in it
    findmnt -rn -o TARGET | grep -q "^$RUN/" || rm -rf "$RUN"
}
trap cleanup EXIT

[ "$(id -u)" -eq 0 ] || fail "making a Debian root needs root"
for tool in mmdebstrap Xvfb openbox xdotool wmctrl; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (./run.sh check-clean-install installs it)"
done
[ -f "$DEB" ] || fail "no package at $DEB (./run.sh package makes it)"

# in_root CMD...: CMD in the root, with /proc mounted for just that long.
in_root() {
    mount -t proc proc "$ROOT/proc" && MOUNTS+=("$ROOT/proc")
    chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
    local rc=$?
    unmount
    return "$rc"
}

# every path in the root but the player's home and dpkg's and apt's state
files() {
    (cd "$ROOT" && find . -xdev \( -path ./home -o -path ./var/lib/dpkg -o -path ./var/lib/apt \
        -o -path ./var/cache/apt -o -path ./var/cache/debconf -o -path ./var/log -o -path ./proc \) \
        -prune -o -print | sort)
}

new_root() {  # new_root RELEASE: a fresh minimal root in $ROOT
    rm -rf "$ROOT"
    mmdebstrap --variant=minbase --quiet "$1" "$ROOT" "$MIRROR" >"$RUN/mmdebstrap.log" 2>&1 ||
        { tail -n 20 "$RUN/mmdebstrap.log"; fail "mmdebstrap could not make a $1 root from $MIRROR"; }
}

# ==== an X server and window manager outside the root ==========================

start_xvfb
openbox --sm-disable >"$RUN/openbox.log" 2>&1 &
WM_PID=$!

# ==== the package, played in a fresh root ======================================

for recommends in without with; do
    new_root "$RELEASE"
    opts=()
    fields=(Depends Recommends)
    [ "$recommends" = without ] && opts=(--no-install-recommends) && fields=(Depends)
    # What the package needs comes first, so that the purge below is
    # compared with a root that differs only by the package itself.
    need=$(for f in "${fields[@]}"; do dpkg-deb -f "$DEB" "$f"; done | paste -sd, -)
    in_root useradd -m -u 1000 player && in_root apt-get update -q >"$RUN/satisfy.log" 2>&1 &&
        in_root apt-get satisfy -y -q "${opts[@]}" "$need" >>"$RUN/satisfy.log" 2>&1 ||
        { tail -n 20 "$RUN/satisfy.log"; fail "$RELEASE cannot install what the package needs: $need"; }
    mkdir -p -m 700 "$ROOT/run/user/1000" "$ROOT/tmp/.X11-unix"
    chown 1000:1000 "$ROOT/run/user/1000"
    files >"$RUN/before"
    cp "$DEB" "$ROOT/tmp/velmoria.deb"
    in_root apt-get install -y -q "${opts[@]}" /tmp/velmoria.deb >"$RUN/install.log" 2>&1 ||
        { tail -n 20 "$RUN/install.log"; fail "the package does not install on $RELEASE"; }
    rm "$ROOT/tmp/velmoria.deb"
    pass "installed on a minimal $RELEASE $recommends recommends"

    in_root fc-list :lang=ja family | grep -q "Noto Sans CJK JP" || fail "no Japanese font in the root"
    in_root fc-list :lang=zh-cn family | grep -q "Noto Sans CJK SC" || fail "no Simplified Chinese font in the root"
    pass "fc-list finds Noto Sans CJK JP for Japanese and Noto Sans CJK SC for Simplified Chinese"

    # The player: a plain user, the X socket shared in, /proc only meanwhile.
    mount --bind "/tmp/.X11-unix" "$ROOT/tmp/.X11-unix" && MOUNTS+=("$ROOT/tmp/.X11-unix")
    mount -t proc proc "$ROOT/proc" && MOUNTS+=("$ROOT/proc")
    chroot --userspec=1000:1000 "$ROOT" env -i HOME=/home/player USER=player LANG=C.UTF-8 \
        DISPLAY="$DISPLAY" XDG_RUNTIME_DIR=/run/user/1000 PATH=/usr/bin:/bin:/usr/games \
        sh -c 'cd && exec velmoria' >"$RUN/game.log" 2>&1 &
    GAME_PID=$!
    game_window 30
    sleep 1  # its first frame, with the pictures read
    running || { cat "$RUN/game.log"; fail "the game ended after showing its window"; }
    pass "its window appears: $(xdotool getwindowname "$WIN")"

    wmctrl -i -c "$WIN"
    game_end "after its window was closed"
    left=$(for p in /proc/[0-9]*; do [ "$(readlink "$p/root")" = "$ROOT" ] && echo "${p#/proc/}"; done)
    [ -z "$left" ] || kill $left 2>/dev/null
    unmount
    [ "$STATUS" -eq 0 ] || { cat "$RUN/game.log"; fail "closing the window ended the game with status $STATUS"; }
    [ -z "$left" ] || fail "processes left running in the root: $left"
    sed 's/^/  game: /' "$RUN/game.log"
    pass "closing the window ends the game with status 0"

    in_root apt-get purge -y -q velmoria >"$RUN/purge.log" 2>&1 || { cat "$RUN/purge.log"; fail "the purge failed"; }
    files >"$RUN/after"
    leftover=$(comm -13 "$RUN/before" "$RUN/after")
    [ -z "$leftover" ] || fail "the purge left: $leftover"
    pass "a purge leaves nothing outside /home"
done

# ==== trixie: the source built, tested, packaged and checked there ============

if [ "$RELEASE" = trixie ]; then
    new_root trixie
    mkdir "$ROOT/src"
    git ls-files -z | tar --null -T - -c | tar -x -C "$ROOT/src" || fail "could not copy the source in"
    in_root sh -c 'cd /src && ./run.sh package' >"$RUN/package.log" 2>&1 ||
        { tail -n 30 "$RUN/package.log"; fail "./run.sh package fails on trixie"; }
    ! grep -q 'warning:' "$RUN/package.log" || { grep 'warning:' "$RUN/package.log"; fail "warnings on trixie"; }
    pass "./run.sh package builds on trixie without a warning"
    if diff -rq build-package/GF "$ROOT/src/build-package/GF" >/dev/null 2>&1; then
        echo "  the pictures are byte for byte those built here"
    fi
    in_root sh -c 'cd /src && apt-get install -y -q dbus-daemon qt6-base-private-dev python3 >/dev/null &&
        cmake -S . -B build -DBUILD_TESTING=ON >/dev/null && cmake --build build -j "${JOBS:-2}" >/dev/null &&
        cd build && ctest --output-on-failure -E "^e2e_"' >"$RUN/test.log" 2>&1 ||
        { tail -n 40 "$RUN/test.log"; fail "the offscreen tests fail on trixie"; }
    pass "the offscreen tests pass on trixie: $(grep -o '[0-9]*% tests passed.*' "$RUN/test.log")"
    in_root sh -c 'cd /src && ./run.sh check-package' >"$RUN/check.log" 2>&1 ||
        { tail -n 30 "$RUN/check.log"; fail "./run.sh check-package fails on trixie"; }
    grep -E '^  (lintian|appstream): ' "$RUN/check.log"
    pass "./run.sh check-package passes on trixie: $(grep -c '^ok' "$RUN/check.log") checks"
fi

echo "$PASSED passed, 0 failed"
