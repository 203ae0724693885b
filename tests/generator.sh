#!/bin/sh
# The picture generator refuses to draw without a Japanese font, or with only
# Chinese ones, and names the package to install.
#   generator.sh GENERATOR nofont|chinese
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$tmp/fonts.conf"
if [ "$2" = nofont ]; then
    fonts="<dir>$tmp/no-fonts</dir>"
else
    # Only the Chinese faces of the CJK collections are left: they cover
    # every kanji and kana but draw Chinese forms.
    fonts='<include ignore_missing="yes">/etc/fonts/fonts.conf</include><selectfont><rejectfont>'
    for family in 'Noto Sans CJK JP' 'Noto Serif CJK JP' 'Noto Sans Mono CJK JP' 'Noto Sans CJK KR' \
        'Noto Serif CJK KR' 'Noto Sans Mono CJK KR' IPAGothic IPAPGothic IPAMincho IPAPMincho IPAexGothic \
        IPAexMincho TakaoGothic 'VL Gothic'; do
        fonts="$fonts<pattern><patelt name=\"family\"><string>$family</string></patelt></pattern>"
    done
    fonts="$fonts</rejectfont></selectfont>"
fi
echo "<?xml version=\"1.0\"?><fontconfig>$fonts<cachedir>$tmp/cache</cachedir></fontconfig>" >"$tmp/fonts.conf"
if "$1" "$tmp/GF" "$tmp/icons" 2>"$tmp/err"; then
    echo "FAIL: the generator drew without a Japanese font" >&2
    exit 1
fi
cat "$tmp/err" >&2
grep -q 'fonts-noto-cjk' "$tmp/err" || { echo "FAIL: the message does not name fonts-noto-cjk" >&2; exit 1; }
[ ! -e "$tmp/GF/stt.bmp" ] || { echo "FAIL: a title picture was written anyway" >&2; exit 1; }
echo PASS
