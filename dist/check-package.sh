#!/usr/bin/env bash
# Checks the Debian package as a packager and a player would: lintian, the
# control fields and file list, the desktop entry and metainfo, and the
# installed program, unpacked into a temporary root, opening its window
# under Xvfb with its pictures, window class and icon.
#   dist/check-package.sh [PACKAGE.deb]    (default: the one in build-package/)
# Needs lintian, dpkg-deb, desktop-file-validate, appstreamcli, Xvfb,
# xdotool, xprop and ImageMagick (./run.sh check-package installs them).

set -u
cd "$(dirname "$0")/.."

VERSION=$(sed -n 's/^project(velmoria VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
ARCH=$(dpkg --print-architecture)
ID=org.velmoria.Velmoria
ICON_SIZES="16 22 24 32 48 64 128 256"
WINDOW_ICON_SIZES="16 22 24 32 48 64"  # docks scale these
# as many as the one list of them names
PICTURES=$(sed -n 's/.*std::array<const char\*, \([0-9]*\)> kPictureNames.*/\1/p' pictures/names.h)
[ -n "$PICTURES" ] || { echo "FAIL: no picture count in pictures/names.h" >&2; exit 1; }
# the Noto faces the one map of them names, one for each script's forms
mapfile -t FACES < <(sed -n 's/.*QStringLiteral("\(Noto [^"]*\)").*/\1/p' pictures/fonts.h | sort -u)
[ "${#FACES[@]}" -ge 2 ] || { echo "FAIL: no Noto faces in pictures/fonts.h" >&2; exit 1; }

DEB=${1:-build-package/velmoria_${VERSION}-1_${ARCH}.deb}
RUN=$(mktemp -d "${TMPDIR:-/tmp}/velmoria-package.XXXXXX")
ROOT=$RUN/root

# shellcheck source=dist/checks.sh
source dist/checks.sh
# shellcheck source=tests/private-bus.sh
source tests/private-bus.sh

# shellcheck disable=SC2317  # run by the trap
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null && wait "$GAME_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    end_private_bus
    rm -rf "$RUN"
}
trap cleanup EXIT

for tool in lintian dpkg-deb desktop-file-validate appstreamcli Xvfb xdotool xprop import convert file readelf dbus-daemon fc-scan; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (./run.sh check-package installs it)"
done
[ -f "$DEB" ] || fail "no package at $DEB (./run.sh package makes it)"
[ "$(basename "$DEB")" = "velmoria_${VERSION}-1_${ARCH}.deb" ] ||
    fail "package file is named $(basename "$DEB"), not velmoria_${VERSION}-1_${ARCH}.deb"

# ==== lintian ==================================================================

lintian --display-info --fail-on error "$DEB" >"$RUN/lintian.txt" 2>&1
status=$?
sed 's/^/  lintian: /' "$RUN/lintian.txt"
[ "$status" -eq 0 ] || fail "lintian reports an error (status $status)"
# Debian's hardening flags reached the compiler and the linker.
! grep -q ' hardening-' "$RUN/lintian.txt" || fail "lintian finds hardening missing"
pass "lintian reports no error ($(grep -c '^[WIP]:' "$RUN/lintian.txt") warnings and notes)"

# ==== control fields ===========================================================

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = velmoria ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "${VERSION}-1" ] || fail "Version is '$(field Version)', not ${VERSION}-1"
[ "$(field Architecture)" = "$ARCH" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
depends_names=$(sed 's/ ([^)]*)//g; s/ //g' <<<"$depends" | tr ',|' '\n\n')
grep -qxF fonts-noto-cjk <<<"$depends_names" || fail "Depends lacks fonts-noto-cjk: $depends"
# Every Noto face the game asks for (Japanese, Simplified Chinese) comes with
# that package, so that no language is drawn in a stand-in.
faces=$(dpkg -L fonts-noto-cjk 2>/dev/null | grep -E '\.tt[cf]$' | xargs -r fc-scan --format '%{family}\n' | tr ',' '\n')
for face in "${FACES[@]}"; do
    grep -qxF "$face" <<<"$faces" || fail "fonts-noto-cjk here has no $face"
done
grep -qxF qt6-wayland <<<"$(field Recommends | tr -d ' ' | tr ',|' '\n\n')" || fail "Recommends lacks qt6-wayland"
summary=$(field Description | head -n 1)
extended=$(field Description | tail -n +2 | grep -cv '^ \.$')
[ -n "$summary" ] && [ ${#summary} -le 80 ] || fail "summary '$summary' empty or too long"
[ "$extended" -ge 5 ] || fail "extended description has only $extended lines"
pass "control: velmoria ${VERSION}-1 $ARCH, Section games, Depends $depends"
pass "fonts-noto-cjk brings ${FACES[*]}"
pass "description: '$summary' and $extended more lines"

# ==== files ====================================================================

dpkg-deb -c "$DEB" | awk '{ print $6 }' | sed 's|^\./|/|' >"$RUN/files"
want=(/usr/games/velmoria
      /usr/share/applications/$ID.desktop
      /usr/share/metainfo/$ID.metainfo.xml
      /usr/share/man/man6/velmoria.6.gz
      /usr/share/doc/velmoria/copyright
      /usr/share/doc/velmoria/changelog.Debian.gz)
for n in $ICON_SIZES; do want+=("/usr/share/icons/hicolor/${n}x${n}/apps/$ID.png"); done
for f in "${want[@]}"; do
    grep -qxF "$f" "$RUN/files" || fail "$f is not in the package"
done
pictures=$(grep -c '^/usr/share/games/velmoria/GF/[^/]*\.bmp$' "$RUN/files")
[ "$pictures" -eq "$PICTURES" ] || fail "$pictures pictures in /usr/share/games/velmoria/GF, want $PICTURES"
stray=$(grep -v '/$' "$RUN/files" | grep -Ev '^/usr/(games/velmoria|share/(applications|metainfo|icons/hicolor|man/man6|doc/velmoria|games/velmoria/GF)/)')
[ -z "$stray" ] || fail "files outside the expected places: $stray"
pass "${#want[@]} files where Debian wants them, and $PICTURES pictures"

dpkg-deb -x "$DEB" "$ROOT" || fail "dpkg-deb -x failed"
GAME=$ROOT/usr/games/velmoria
elf=$(file -b "$GAME")
grep -q ', stripped' <<<"$elf" || fail "program not stripped: $elf"
! readelf -d "$GAME" | grep -Eq 'RPATH|RUNPATH' || fail "program has an RPATH or RUNPATH"
readelf -d "$GAME" | grep -q 'BIND_NOW' || fail "program not linked with -z now"
# Each library the program needs comes from a package in Depends, whatever
# that release names it (libqt6core6 on Debian 12, libqt6core6t64 on 13).
for lib in $(readelf -d "$GAME" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    path=$(ldconfig -p | awk -v l="$lib" '$1 == l { print $NF; exit }')
    owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | head -n 1 | cut -d: -f1)
    [ -z "$owner" ] && owner=$(dpkg -S "$path" 2>/dev/null | head -n 1 | cut -d: -f1)
    [ -n "$owner" ] || fail "no package here provides $lib"
    grep -qxF "$owner" <<<"$depends_names" || fail "$lib comes from $owner, which Depends lacks: $depends"
done
readelf --dyn-syms -W "$GAME" | grep -Eq '__(f?printf|memcpy|read|snprintf)_chk' ||
    fail "program uses no fortified functions: CPPFLAGS did not reach the compiler"
pass "program stripped, without RUNPATH, bound now, fortified; its libraries' packages in Depends"

for n in $ICON_SIZES; do
    icon=$ROOT/usr/share/icons/hicolor/${n}x${n}/apps/$ID.png
    got=$(identify -format '%m %wx%h %A' "$icon" 2>/dev/null)
    # IM reports the alpha channel as "Blend" (6.9) or "True" (7)
    [[ "$got" =~ ^PNG\ ${n}x${n}\ (Blend|True) ]] || fail "icon $icon: '$got', want a ${n}x${n} PNG with alpha"
    corner=$(convert "$icon" -format '%[fx:int(255*p{0,0}.a)]' info:)
    [ "$corner" -eq 0 ] || fail "icon ${n}x${n} has no transparent background (corner alpha $corner)"
done
pass "icons $ICON_SIZES: PNG with a transparent background"

# ==== documents, desktop entry, metainfo ========================================

desktop=$ROOT/usr/share/applications/$ID.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$ID.metainfo.xml" >"$RUN/appstream.txt" 2>&1
status=$?
grep '^[A-Z]: ' "$RUN/appstream.txt" | sed 's/^/  appstream: /'
# Refused only for more than the homepage the game does not have (see the
# README): appstream 1.0 counts that warning as a failure.
homepage=':~: url-homepage-missing$'
[ "$status" -eq 0 ] || { grep -q "$homepage" "$RUN/appstream.txt" &&
    ! grep -v "$homepage" "$RUN/appstream.txt" | grep -q '^[EW]: '; } ||
    { cat "$RUN/appstream.txt"; fail "appstreamcli refuses the metainfo"; }
metainfo=$ROOT/usr/share/metainfo/$ID.metainfo.xml
grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "metainfo licence is not MIT"
grep -q '<content_rating type="oars-1.1">' "$metainfo" || fail "metainfo has no OARS rating"
grep -q "<release version=\"$VERSION\" date=" "$metainfo" || fail "metainfo has no release $VERSION"
pass "desktop entry and metainfo validate (MIT, OARS, release $VERSION)"

copyright=$ROOT/usr/share/doc/velmoria/copyright
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright is not machine-readable"
grep -q '^License: Expat' "$copyright" || fail "copyright does not state the MIT (Expat) licence"
top=$(gzip -dc "$ROOT/usr/share/doc/velmoria/changelog.Debian.gz" | head -n 1)
[[ "$top" == "velmoria (${VERSION}-1) "* ]] || fail "changelog starts with '$top'"
pass "copyright (DEP-5, Expat) and changelog ($top)"

# ==== the installed program =====================================================

# The installed program meets a session bus of the check's own.
private_bus "$RUN" || fail "no session bus for the game"

# Without a display: the command line still answers.
got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$GAME" --version 2>&1)
[ "$got" = "velmoria $VERSION" ] || fail "velmoria --version says '$got'"
pass "installed program: --version says '$got'"

start_xvfb

# From the root of the unpacked package, with no icon theme that knows the
# game and nothing of ours in the current folder.
mkdir -p "$RUN/empty" "$RUN/xdg" && chmod 700 "$RUN/xdg"
(cd "$RUN/empty" && exec env -u QT_QPA_PLATFORM XDG_DATA_DIRS="$RUN/empty" XDG_DATA_HOME="$RUN/empty" \
    XDG_RUNTIME_DIR="$RUN/xdg" XDG_CONFIG_HOME="$RUN/config" \
    "$GAME" >"$RUN/game.log" 2>&1) &
GAME_PID=$!
game_window 10

colours=0
for _ in $(seq 50); do
    import -window "$WIN" "$RUN/window.png" 2>/dev/null &&
        colours=$(convert "$RUN/window.png" -gravity center -crop 200x200+0+0 +repage -format '%k' info:)
    [ "$colours" -ge 256 ] && break
    sleep 0.1
done
running || { cat "$RUN/game.log"; fail "the installed program ended"; }
[ "$(xdotool getwindowname "$WIN")" = "ヴェルモリア" ] || { cat "$RUN/game.log"; fail "window is not the game's"; }
[ "$colours" -ge 256 ] || fail "no start picture in the window ($colours colours): pictures not found?"
pass "installed program finds its pictures and shows the start picture ($colours colours)"

wm_class=$(xprop -id "$WIN" WM_CLASS)
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$startup_class" ] || startup_class=$ID
[[ "$wm_class" == *", \"$startup_class\"" ]] ||
    fail "window class $wm_class does not match the desktop entry's '$startup_class'"
xprop -len 100000000 -id "$WIN" _NET_WM_ICON >"$RUN/icon.txt" 2>&1
for n in $WINDOW_ICON_SIZES; do
    grep -q "Icon ($n x $n)" "$RUN/icon.txt" ||
        fail "window carries no ${n}x${n} icon: $(head -c 200 "$RUN/icon.txt")"
done
pass "window class ${wm_class#*= } matches the desktop entry; window icon at $WINDOW_ICON_SIZES px"

xdotool windowclose "$WIN"
game_end "after its window was destroyed"
[ "$STATUS" -eq 0 ] || fail "the installed program ended with status $STATUS"
pass "installed program ends with status 0 when its window is destroyed"

echo "$PASSED passed, 0 failed"
