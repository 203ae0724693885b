// Dismissal lines: the guide sees the player off.
#include "scenes/serifu.h"

namespace serifu {

const Script Kubi = {"Dismissal", {
    QT_TRANSLATE_NOOP("Dismissal", "仕方のない人…こんなに逃がしてしまうなんて…"),
    QT_TRANSLATE_NOOP("Dismissal", "こうなってしまっては、貴方はもうおしまいですね。"),
    QT_TRANSLATE_NOOP("Dismissal", "くすっ\n"
                                   "首ですめばいいけどね…\n"
                                   "\n"
                                   "主様は、それはもう大層お怒りですよ。"),
    QT_TRANSLATE_NOOP("Dismissal", "うふふふふふ…"),
}};

}  // namespace serifu
