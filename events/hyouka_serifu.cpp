// Evaluation ceremony lines: opening, verdicts and closings.
#include "scenes/serifu.h"

namespace serifu {

const Box HyoukaKaimaku = {"これより…申し開きの儀式を開幕します…。"};
const Box HyoukaOkotoba = {"以上を踏まえまして、主様よりお言葉がございます。"};

// high group
const Scenario Kaika = {
    Serifu({"お前すごいじゃん、完璧じゃん！"}),
    Serifu({"素晴らしいぞ！",
            "お前のおかげで、余は開花できるやもしれぬ！"}),
    Serifu({"主様…！"}),
    Kao("fce8"),
    Serifu({"主様、もしや…",
            "その時が来たのですか？"}),
    Kao("fce9"),
    Serifu({"うむ、そのようじゃ。",
            "しばし待て。"}),
    Kao("fce8"),
    Serifu({"主様っ！"}),
    Serifu({"ま、眩しいっ…！"}),
    Kao("fce0"),
    Serifu({"ふぅ…"}),
    Kao("fce8"),
    Serifu({"主様…",
            "とてもお美しくなられましたね。"}),
    Kao("fce0"),
    Serifu({"どうじゃ、驚いたか？",
            "まあ、そういうことじゃ。"}),
    Serifu({"これからも引き続き、",
            "「食事」たちの世話をよろしく頼むぞ。"}),
};

const Scenario Kiniitta = {
    Serifu({"うむ、よくやった。",
            "「食事」たちからの人気も悪くない。",
            "余はお前が気に入ったぞ。"}),
    Serifu({"この調子を保つがよい。",
            "期待しておるぞ。"}),
    Serifu({"これから長い付き合いになりそうじゃな。"}),
};

const Scenario Zankoku = {
    Serifu({"「食事」たちからの人気は最悪じゃが…"}),
    Serifu({"所詮、我らは化け物よ。",
            "人間どもに用などないわ。"}),
    Serifu({"これからもお前を雇ってやろう。",
            "その冷酷さも、余は気に入ったぞ。"}),
    Serifu({"これから長い付き合いになりそうじゃな。"}),
};

const Scenario UeShime = {
    Kao("fce8"),
    Serifu({"主様は、貴方をとても気に入られたようですね。"}),
    Serifu({"ですが、主様のお気に入りだからといって、",
            "だらしない働きをすれば…判っていますね？"}),
    Serifu({"その時は主様に代わって、",
            "私が貴方をいただくかもしれませんよ？"}),
    Serifu({"ふふふ…"}),
    Serifu({"これからも、共にお仕えしてまいりましょうね。"}),
};

// middle group
const Scenario Hyouban = {
    Serifu({"可もなく不可もなく、といったところか。"}),
    Serifu({"「食事」たちからの評判も上々じゃ。",
            "引き続き、お前を雇ってやろう。"}),
};

const Scenario Akuhyou = {
    Serifu({"まあまあじゃな。"}),
    Serifu({"「食事」たちからの評判は悪いようじゃが、",
            "どうせ我らは人間に嫌われる身じゃ。"}),
    Serifu({"これからの働きに期待して、",
            "引き続き、お前を雇ってやろう。"}),
};

const Scenario NakaShime = {
    Kao("fce8"),
    Serifu({"また一緒にお仕事ができて嬉しいです。",
            "ですが、気を抜いてはいけませんよ。"}),
    Serifu({"少しでも怠けようものなら、すぐに…"}),
    Serifu({"食べられてしまいますからね。"}),
    Serifu({"うふふ…"}),
};

// low group
const Scenario Amai = {
    Serifu({"「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。"}),
    Serifu({"お前は甘すぎる。",
            "失格"}),
};

const Scenario Dame = {
    Serifu({"お前はまるで駄目じゃな。"}),
    Serifu({"貴様を喰らってくれるわ！"}),
};

const Scenario ShitaShime = {
    Serifu({"がぶっ…むしゃむしゃ…"}),
    Kao("fce8"),
    Serifu({"はぁ…また一人、食べられてしまいましたね。"}),
};

const Box Endo = {"エンＤ"};

}  // namespace serifu
