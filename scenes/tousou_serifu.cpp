// Farewells of a fleeing meal, by meal index.
#include "scenes/serifu.h"

namespace serifu {

const std::array<Script, 7> Tousou = {{
    // 0: red
    {"Flight, meal 1", {
        QT_TRANSLATE_NOOP("Flight, meal 1", "悪いが、俺は降りさせてもらう。\n"
                                            "もう二度と会わないだろうな"),
    }},
    // 1: green
    {"Flight, meal 2", {
        QT_TRANSLATE_NOOP("Flight, meal 2", "もう耐えられないよ！\n"
                                            "僕がいてもいなくても、同じだろ！"),
        QT_TRANSLATE_NOOP("Flight, meal 2", "僕は出ていく！！\n"
                                            "探したって無駄だからな！"),
    }},
    // 2: blue
    {"Flight, meal 3", {
        QT_TRANSLATE_NOOP("Flight, meal 3", "もう、これ以上は耐えられません。\n"
                                            "…探さないで下さい………"),
    }},
    // 3: yellow
    {"Flight, meal 4", {
        QT_TRANSLATE_NOOP("Flight, meal 4", "こんな扱いされるために来たんじゃないしー！"),
        QT_TRANSLATE_NOOP("Flight, meal 4", "さよなら\n"
                                            "もう二度と顔も見たくなーい！"),
    }},
    // 4: magenta
    {"Flight, meal 5", {
        QT_TRANSLATE_NOOP("Flight, meal 5", "あたくし、切れちゃいましたわ"),
        QT_TRANSLATE_NOOP("Flight, meal 5", "失礼ながら、あたくしはここで降りますわ。\n"
                                            "もう二度とお会いしないといいですわね。"),
    }},
    // 5: cyan
    {"Flight, meal 6", {
        QT_TRANSLATE_NOOP("Flight, meal 6", "…すいません…"),
        QT_TRANSLATE_NOOP("Flight, meal 6", "…自分には…とても務まりません…"),
        QT_TRANSLATE_NOOP("Flight, meal 6", "…出ていった方が…皆さんのためです…"),
        QT_TRANSLATE_NOOP("Flight, meal 6", "…すいません…\n"
                                            "さようなら"),
    }},
    // 6: grey
    {"Flight, meal 7", {
        QT_TRANSLATE_NOOP("Flight, meal 7", "私には、荷が重すぎたようです。"),
        QT_TRANSLATE_NOOP("Flight, meal 7", "遑を告げさせて下さい、\n"
                                            "これ以上、此処に留まることは叶いません。"),
    }},
}};

}  // namespace serifu
