#!/bin/sh
# The picture generator: refuses to draw without a Japanese font; with one it draws
# everything, the same bytes every run.
#   generator.sh GENERATOR nofont|chinese|draws
set -eu
gen=$1
mode=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen

# A font setup of our own: the system's fonts minus the rejected families.
fontconfig() {
    {
        echo '<?xml version="1.0"?>'
        echo '<!DOCTYPE fontconfig SYSTEM "fonts.dtd">'
        echo '<fontconfig>'
        echo "$1"
        echo '<cachedir>'"$tmp"'/cache</cachedir>'
        echo '<selectfont><rejectfont>'
        shift
        for family in "$@"; do
            echo "<pattern><patelt name=\"family\"><string>$family</string></patelt></pattern>"
        done
        echo '</rejectfont></selectfont>'
        echo '</fontconfig>'
    } >"$tmp/fonts.conf"
    export FONTCONFIG_FILE="$tmp/fonts.conf"
}

refuses() {
    if "$gen" "$tmp/GF" "$tmp/icons" 2>"$tmp/err"; then
        echo "FAIL: the generator drew without a Japanese font" >&2
        exit 1
    fi
    cat "$tmp/err" >&2
    grep -q 'fonts-noto-cjk' "$tmp/err" || { echo "FAIL: the message does not name fonts-noto-cjk" >&2; exit 1; }
    if [ -e "$tmp/GF/stt.bmp" ]; then
        echo "FAIL: a title picture was written anyway" >&2
        exit 1
    fi
}

case $mode in
nofont)
    fontconfig "<dir>$tmp/no-fonts</dir>"
    refuses
    ;;
chinese)
    # Only the Chinese faces of the CJK collections are left: they cover every
    # kanji and kana but draw Chinese forms.
    set --
    for style in 'Sans' 'Serif' 'Sans Mono'; do
        for region in JP KR; do
            set -- "$@" "Noto $style CJK $region"
        done
    done
    fontconfig '<include ignore_missing="yes">/etc/fonts/fonts.conf</include>' "$@" IPAGothic IPAPGothic \
        IPAMincho IPAPMincho 'IPAexGothic' 'IPAexMincho' 'TakaoGothic' 'VL Gothic'
    refuses
    ;;
draws)
    # twice, into two folders: fixed seeds and vector shapes give the same bytes
    "$gen" "$tmp/GF" "$tmp/icons"
    "$gen" "$tmp/GF2" "$tmp/icons2"
    n=$(ls "$tmp/GF" | wc -l)
    [ "$n" -eq 26 ] || { echo "FAIL: $n pictures instead of 26" >&2; exit 1; }
    n=$(find "$tmp/icons" -name org.velmoria.Velmoria.png | wc -l)
    [ "$n" -eq 8 ] || { echo "FAIL: $n icons instead of 8" >&2; exit 1; }
    (cd "$tmp" && find GF icons -type f) | while read -r f; do
        other=$(echo "$f" | sed 's,^GF/,GF2/,; s,^icons/,icons2/,')
        cmp "$tmp/$f" "$tmp/$other" || { echo "FAIL: $f differs between two runs" >&2; exit 1; }
    done
    ;;
*)
    echo "usage: generator.sh GENERATOR nofont|chinese|draws" >&2
    exit 2
    ;;
esac
echo PASS
