// Evaluation ceremony lines: opening, verdicts and closings.
#include "scenes/serifu.h"

namespace serifu {

const Script HyoukaKaimaku = {"Ceremony", {
    //: the guide
    QT_TRANSLATE_NOOP("Ceremony", "これより…申し開きの儀式を開幕します…。"),
}};

const Script HyoukaOkotoba = {"Ceremony", {
    //: the guide
    QT_TRANSLATE_NOOP("Ceremony", "以上を踏まえまして、主様よりお言葉がございます。"),
}};

// high group
const Scenario Kaika = {"Ceremony", {
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "お前すごいじゃん、完璧じゃん！")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "素晴らしいぞ！\n"
                                         "お前のおかげで、余は開花できるやもしれぬ！")),
    //: the guide, while the Master still shows
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "主様…！")),
    Kao("fce8"),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "主様、もしや…\n"
                                         "その時が来たのですか？")),
    Kao("fce9"),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "うむ、そのようじゃ。\n"
                                         "しばし待て。")),
    Kao("fce8"),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "主様っ！")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "ま、眩しいっ…！")),
    Kao("fce0"),
    //: the Master, in bloom
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "ふぅ…")),
    Kao("fce8"),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "主様…\n"
                                         "とてもお美しくなられましたね。")),
    Kao("fce0"),
    //: the Master, in bloom
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "どうじゃ、驚いたか？\n"
                                         "まあ、そういうことじゃ。")),
    //: the Master, in bloom
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "これからも引き続き、\n"
                                         "「食事」たちの世話をよろしく頼むぞ。")),
}};

const Scenario Kiniitta = {"Ceremony", {
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "うむ、よくやった。\n"
                                         "「食事」たちからの人気も悪くない。\n"
                                         "余はお前が気に入ったぞ。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "この調子を保つがよい。\n"
                                         "期待しておるぞ。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "これから長い付き合いになりそうじゃな。")),
}};

const Scenario Zankoku = {"Ceremony", {
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "「食事」たちからの人気は最悪じゃが…")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "所詮、我らは化け物よ。\n"
                                         "人間どもに用などないわ。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "これからもお前を雇ってやろう。\n"
                                         "その冷酷さも、余は気に入ったぞ。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "これから長い付き合いになりそうじゃな。")),
}};

const Scenario UeShime = {"Ceremony", {
    Kao("fce8"),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "主様は、貴方をとても気に入られたようですね。")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "ですが、主様のお気に入りだからといって、\n"
                                         "だらしない働きをすれば…判っていますね？")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "その時は主様に代わって、\n"
                                         "私が貴方をいただくかもしれませんよ？")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "ふふふ…")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "これからも、共にお仕えしてまいりましょうね。")),
}};

// middle group
const Scenario Hyouban = {"Ceremony", {
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "可もなく不可もなく、といったところか。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "「食事」たちからの評判も上々じゃ。\n"
                                         "引き続き、お前を雇ってやろう。")),
}};

const Scenario Akuhyou = {"Ceremony", {
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "まあまあじゃな。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "「食事」たちからの評判は悪いようじゃが、\n"
                                         "どうせ我らは人間に嫌われる身じゃ。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "これからの働きに期待して、\n"
                                         "引き続き、お前を雇ってやろう。")),
}};

const Scenario NakaShime = {"Ceremony", {
    Kao("fce8"),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "また一緒にお仕事ができて嬉しいです。\n"
                                         "ですが、気を抜いてはいけませんよ。")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "少しでも怠けようものなら、すぐに…")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "食べられてしまいますからね。")),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "うふふ…")),
}};

// low group
const Scenario Amai = {"Ceremony", {
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "お前は甘すぎる。\n"
                                         "失格")),
}};

const Scenario Dame = {"Ceremony", {
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "お前はまるで駄目じゃな。")),
    //: the Master
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "貴様を喰らってくれるわ！")),
}};

const Scenario ShitaShime = {"Ceremony", {
    //: the Master eating the player
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "がぶっ…むしゃむしゃ…")),
    Kao("fce8"),
    //: the guide
    Serifu(QT_TRANSLATE_NOOP("Ceremony", "はぁ…また一人、食べられてしまいましたね。")),
}};

const Script Endo = {"Ceremony", {
    //: the notice that the game is over
    QT_TRANSLATE_NOOP("Ceremony", "エンＤ"),
}};

}  // namespace serifu
