// Morning notice lines.
#include "scenes/serifu.h"

namespace serifu {

const Script Asa = {"Morning notice", {
    QT_TRANSLATE_NOOP("Morning notice", "朝になりました…"),
}};

const Script Oshirase = {"Morning notice", {
    QT_TRANSLATE_NOOP("Morning notice", "主様の御所望なさる「食事」に\n"
                                        "印を付けておきました\n"
                                        "その「食事」をメインに洗礼して下さい"),
}};

}  // namespace serifu
