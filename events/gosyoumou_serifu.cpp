// Weekly meal lines: the guide's call and the master's reactions.
#include "scenes/serifu.h"

namespace serifu {

const Box Oshokuji = {"主様の、お食事ぃいいいいい"};

const Box Umai = {
    "うむ・・・うまい",
    "なかなか良い味じゃ。",
};

const Box Mamaa = {"ふむ、まあまあといったところじゃな。"};

const Box Mazui = {
    "うぐっ…！",
    "ま・まずい！！",
    "こんなものを余に飲ませるとは、この愚か者め！",
};

const Script Nigeta = {
    {"む…？余の「食事」がおらぬではないか。",
     "貴様っ！",
     "さては逃がしおったな！",
     "ならば代わりに、貴様の血を吸ってくれるわ！"},
    {"ずずずずず…"},
    {"まずうぅぅぅぅぅいいいっ！！"},
};

}  // namespace serifu
