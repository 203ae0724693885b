// The game tick: decay, confidence, the meals' scenes and the dismissal.
#include "game/fom.h"

#include "toolkit/runtime.h"

#include <cmath>

namespace {
// n / 50 to the nearest integer, halves to the even neighbour.
int roundHalfEvenDiv50(int n) {
    int q = n / 50;
    int r = n % 50;
    if (r < 0) {
        r += 50;
        --q;
    }
    if (r > 25 || (r == 25 && (q & 1))) ++q;
    return q;
}
}  // namespace

void Fom::Tim_Timer() { Jikan_Keika(); }

void Fom::Jikan_Keika() {
    for (int i = 0; i < Meals; ++i) {
        const double r = tk::Rnd();
        const int d = static_cast<int>(std::floor(r * (Cp[i] / 4.0 / 10) + Cp[i] / 3.0 / 10));
        Senrei(i, -d);
    }

    for (int i = 0; i < Meals; ++i) {
        for (int j = 0; j < Meals; ++j) {
            if (!Sonzai[j]) continue;
            const int u = Cp[i] + roundHalfEvenDiv50(Blood[i] - Blood[j]);
            Cp[i] = qint16(u <= 0 ? 0 : u >= 1000 ? 1000 : u);
        }
        CpShp(i).Move(0, 0, 1, Cp[i]);
    }

    for (int i = 0; i < Meals; ++i) {
        if (Cp[i] <= 10 && Sonzai[i]) {
            Tousou_Ivent(i);
        } else if (Cp[i] >= 1000 && !Hitorigoto_Zumi[i]) {
            Hitorigoto_Ivent(i);
            Hitorigoto_Zumi[i] = true;
        }
    }

    if (Tousou_Su == 5) Kubi_Ivent();
}
