// The weekly meal: the master drinks the wished meal's blood.
#include "game/fom.h"
#include "scenes/serifu.h"

#include "toolkit/runtime.h"

#include <cmath>

void Fom::GosyoumouIvennt() {
    Gamen_Ivent("fce8");
    Hanasu(serifu::Oshokuji);
    Img_Yomikomi("Fce9");

    if (Sonzai[Gosyoumou]) {
        const double r1 = tk::Rnd();
        const int t1 = static_cast<int>(std::floor(5 * Week * r1)) + 5 * Week;
        const double r2 = tk::Rnd();
        const int m = static_cast<int>(std::floor(2 * r2 + 1));
        const int t = m * t1;
        const int b = Blood[Gosyoumou];
        if (b > t) {
            Hanasu(serifu::Umai);
            Ghb += 1;
        } else if (b == t) {
            Hanasu(serifu::Mamaa);
        } else {
            Hanasu(serifu::Mazui);
            Ghb -= 1;
        }
    } else {
        Hanasu(serifu::Nigeta);
        Ghb -= 3;
    }

    LblGhb->setText(QString::number(Ghb));
    Week += 1;
    if (Week < 5) {
        LblWeek->setText(QString::number(Week));
        DengonIvent();
    } else {
        Hyouka_Ivent();
    }
}
