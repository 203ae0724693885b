// Morning notice lines.
#include "scenes/serifu.h"

namespace serifu {

const Box Asa = {"朝になりました…"};

const Box Oshirase = {
    "主様の御所望なさる「食事」に",
    "印を付けておきました",
    "その「食事」をメインに洗礼して下さい",
};

}  // namespace serifu
