// The dismissal: five meals have fled.
#include "game/fom.h"
#include "scenes/serifu.h"

#include "toolkit/runtime.h"

void Fom::Kubi_Ivent() {
    Tim.setEnabled(false);
    Gamen_Ivent("fce8");
    Hanasu(serifu::Kubi);
    ImgStt->setPicture(tk::LoadPicture(AppPath + "gf\\end.bmp"));
    ImgStt->Show();
    Kiroku_Kubi();
    Form_Activate();
}
