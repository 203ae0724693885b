// Purification: the player's click, and the one way blood ever changes.
#include "game/fom.h"

#include "toolkit/runtime.h"

#include <cmath>

void Fom::ImgFce_Click(int Index) {
    const float r1 = tk::Rnd();
    ImgFce.at(Index);  // an impossible index stops here, as any other would
    const float r2 = tk::Rnd();
    const int a = static_cast<int>(std::floor(double(r2) * 100 + 1));
    const qint16 lack = qint16(1000 - Cp[Index]);
    const int b = static_cast<int>(std::floor(lack / 10.0 * double(r1)));
    Senrei(Index, b + a + 100);
    if (Tim.Interval() == 0) Jikan_Keika();
}

void Fom::Senrei(int Index, int Amount) {
    const int s = Blood.at(Index) + Amount;
    Blood[Index] = s <= 0 ? 0 : s >= 1000 ? 1000 : s;
    BloodShp(Index).Move(1, 0, 1, Blood[Index]);
}
