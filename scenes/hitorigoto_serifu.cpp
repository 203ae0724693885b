// Monologues, by meal index.
#include "scenes/serifu.h"

namespace serifu {

const std::array<Script, 7> Hitorigoto = {{
    // 0: red
    {"Monologue, meal 1", {
        QT_TRANSLATE_NOOP("Monologue, meal 1", "最近、思うようになったんだ。\n"
                                               "ここの暮らしも、案外捨てたもんじゃないってな。"),
        QT_TRANSLATE_NOOP("Monologue, meal 1", "こうして求められるってのも…"),
        QT_TRANSLATE_NOOP("Monologue, meal 1", "悪くないな"),
    }},
    // 1: green
    {"Monologue, meal 2", {
        QT_TRANSLATE_NOOP("Monologue, meal 2", "最初は、ほんとに嫌だったんだ。"),
        QT_TRANSLATE_NOOP("Monologue, meal 2", "なんて言うか…僕さ、"),
        QT_TRANSLATE_NOOP("Monologue, meal 2", "今はもう、別に嫌じゃないんだ。\n"
                                               "ここにいることも…"),
        QT_TRANSLATE_NOOP("Monologue, meal 2", "君のことも"),
    }},
    // 2: blue
    {"Monologue, meal 3", {
        QT_TRANSLATE_NOOP("Monologue, meal 3", "ここに来てから、私、\n"
                                               "生まれて初めて…"),
        QT_TRANSLATE_NOOP("Monologue, meal 3", "生きがいというものが\n"
                                               "どういうものなのか、\n"
                                               "判りました。"),
    }},
    // 3: yellow
    {"Monologue, meal 4", {
        QT_TRANSLATE_NOOP("Monologue, meal 4", "はぁい、げんきしてる？"),
        QT_TRANSLATE_NOOP("Monologue, meal 4", "最初はねー、ツイてないなぁって思ってたんだ。\n"
                                               "でも最近、考え方が変わってきたんだよねぇ。"),
        QT_TRANSLATE_NOOP("Monologue, meal 4", "こーんなに必死に\n"
                                               "必要とされちゃうとさぁ…"),
        QT_TRANSLATE_NOOP("Monologue, meal 4", "正直、気分いいじゃん？"),
    }},
    // 4: magenta
    {"Monologue, meal 5", {
        QT_TRANSLATE_NOOP("Monologue, meal 5", "ここにいると、しみじみ感じますわ…"),
        QT_TRANSLATE_NOOP("Monologue, meal 5", "あたくしのような者でも、\n"
                                               "必要とされることがあるのですわね。"),
        QT_TRANSLATE_NOOP("Monologue, meal 5", "ふふ"),
    }},
    // 5: cyan
    {"Monologue, meal 6", {
        QT_TRANSLATE_NOOP("Monologue, meal 6", "…なんだか…不思議です…"),
        QT_TRANSLATE_NOOP("Monologue, meal 6", "…幸せ、なんです…"),
        QT_TRANSLATE_NOOP("Monologue, meal 6", "こんな状況でも…幸せ。"),
    }},
    // 6: grey
    {"Monologue, meal 7", {
        QT_TRANSLATE_NOOP("Monologue, meal 7", "貴方は、今の私を不幸だとお思いでしょうか。"),
        QT_TRANSLATE_NOOP("Monologue, meal 7", "ふふふ…"),
        QT_TRANSLATE_NOOP("Monologue, meal 7", "不思議なものですね。\n"
                                               "貴方のおかげでしょうか、求められていると思えば、\n"
                                               "不幸だなどとは思わないのです。"),
        QT_TRANSLATE_NOOP("Monologue, meal 7", "ちっとも…"),
    }},
}};

}  // namespace serifu
