// The morning notice: each week's wish is drawn and marked.
#include "game/fom.h"
#include "scenes/serifu.h"

#include "toolkit/runtime.h"

#include <cmath>

void Fom::DengonIvent() {
    ImgStt->Show();
    Hanasu(serifu::Asa);
    ImgStt->Hide();
    Gamen_Ivent("Fce8");

    bool anyone = false;
    for (int i = 0; i < 6; ++i) anyone = anyone || Sonzai[i];
    // Meal 6 is never wished. With none of the others left, a single draw is
    // kept, and the weekly meal finds that meal gone.
    do {
        Gosyoumou = qint16(std::floor(double(tk::Rnd()) * 6));
    } while (anyone && !Sonzai[Gosyoumou]);

    Hanasu(serifu::Oshirase);
    ShpGosyoumou->Move(Gosyoumou, 0, 1, 1);
    Gamen_Ikusei();
}
