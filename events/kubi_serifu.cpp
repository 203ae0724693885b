// Dismissal lines: the guide sees the player off.
#include "scenes/serifu.h"

namespace serifu {

const Script Kubi = {
    {"仕方のない人…こんなに逃がしてしまうなんて…"},
    {"こうなってしまっては、貴方はもうおしまいですね。"},
    {"くすっ",
     "首ですめばいいけどね…",
     "",
     "主様は、それはもう大層お怒りですよ。"},
    {"うふふふふふ…"},
};

}  // namespace serifu
