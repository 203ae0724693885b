// The dismissal: five meals have fled.
#include "game/fom.h"
#include "scenes/serifu.h"

#include "toolkit/runtime.h"

void Fom::Kubi_Ivent() {
    Tim.setEnabled(false);
    Gamen_Ivent("fce8");
    Hanasu(serifu::Kubi);
    ImgStt->setPicture(Gazou("end"));
    ImgStt->Show();
    Kiroku_Kinyuu(Kiroku::Kubi);
    Form_Activate();
}
