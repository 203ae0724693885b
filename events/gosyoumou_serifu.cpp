// Weekly meal lines: the guide's call and the master's reactions.
#include "scenes/serifu.h"

namespace serifu {

const Script Oshokuji = {"Weekly meal", {
    //: the guide
    QT_TRANSLATE_NOOP("Weekly meal", "主様の、お食事ぃいいいいい"),
}};

const Script Umai = {"Weekly meal", {
    //: the Master
    QT_TRANSLATE_NOOP("Weekly meal", "うむ・・・うまい\n"
                                     "なかなか良い味じゃ。"),
}};

const Script Mamaa = {"Weekly meal", {
    //: the Master
    QT_TRANSLATE_NOOP("Weekly meal", "ふむ、まあまあといったところじゃな。"),
}};

const Script Mazui = {"Weekly meal", {
    //: the Master
    QT_TRANSLATE_NOOP("Weekly meal", "うぐっ…！\n"
                                     "ま・まずい！！\n"
                                     "こんなものを余に飲ませるとは、この愚か者め！"),
}};

const Script Nigeta = {"Weekly meal", {
    //: the Master
    QT_TRANSLATE_NOOP("Weekly meal", "む…？余の「食事」がおらぬではないか。\n"
                                     "貴様っ！\n"
                                     "さては逃がしおったな！\n"
                                     "ならば代わりに、貴様の血を吸ってくれるわ！"),
    //: the Master
    QT_TRANSLATE_NOOP("Weekly meal", "ずずずずず…"),
    //: the Master
    QT_TRANSLATE_NOOP("Weekly meal", "まずうぅぅぅぅぅいいいっ！！"),
}};

}  // namespace serifu
