#!/bin/sh
# The picture generator refuses to draw without a Japanese font, with only
# Chinese ones, or without the Simplified Chinese one, and names the package
# to install.
#   generator.sh GENERATOR nofont|chinese|japanese
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$tmp/fonts.conf" XDG_RUNTIME_DIR="$tmp"
fonts="<dir>$tmp/no-fonts</dir>"
# Only the Chinese faces of the CJK collections are left: they cover every
# kanji and kana but draw Chinese forms; or every face but the Chinese ones.
gen=$1 mode=$2
if [ "$mode" = japanese ]; then
    set -- 'Noto Sans CJK SC' 'Noto Serif CJK SC' 'Noto Sans Mono CJK SC' 'Noto Sans CJK TC' 'Noto Serif CJK TC' \
        'Noto Sans Mono CJK TC' 'Noto Sans CJK HK' 'Noto Sans Mono CJK HK'
else
    set -- 'Noto Sans CJK JP' 'Noto Serif CJK JP' 'Noto Sans Mono CJK JP' 'Noto Sans CJK KR' 'Noto Serif CJK KR' \
        'Noto Sans Mono CJK KR' IPAGothic IPAPGothic IPAMincho IPAPMincho IPAexGothic IPAexMincho TakaoGothic 'VL Gothic'
fi
[ "$mode" = nofont ] || fonts='<include ignore_missing="yes">/etc/fonts/fonts.conf</include><selectfont><rejectfont>'$(
    printf '<pattern><patelt name="family"><string>%s</string></patelt></pattern>' "$@")'</rejectfont></selectfont>'
echo "<?xml version=\"1.0\"?><fontconfig>$fonts<cachedir>$tmp/cache</cachedir></fontconfig>" >"$tmp/fonts.conf"
! "$gen" "$tmp/GF" "$tmp/icons" 2>"$tmp/err" || { echo "FAIL: the generator drew without the faces it needs"; exit 1; }
cat "$tmp/err"
grep -q fonts-noto-cjk "$tmp/err" || { echo "FAIL: the message does not name fonts-noto-cjk"; exit 1; }
[ ! -e "$tmp/GF/stt.bmp" ] || { echo "FAIL: a title picture was written anyway"; exit 1; }
echo PASS
