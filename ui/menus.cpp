// The settings menu: the pace of the game tick, the player's pause and the
// version box.
#include "game/fom.h"

#include "toolkit/runtime.h"

#ifndef VELMORIA_VERSION
#define VELMORIA_VERSION "1.0.0"
#endif

void Fom::Mnu11_Click(int Index) {
    static constexpr int kIntervals[] = {0, 500, 300};
    if (Index < 0 || Index > 2) return;
    Tim.setInterval(kIntervals[Index]);
}

void Fom::Mnu2_Click() {
    // The game holds still while the box is read, so no scene can open over
    // it; the day then resumes with a fresh interval.
    const tk::HoldWhile reading(QStringLiteral("box"));
    tk::MsgBox(QStringLiteral("ヴェルモリア\r\nバージョン " VELMORIA_VERSION), tk::vbOKOnly,
               QStringLiteral("ヴェルモリア"));
}

void Fom::Mnu3_Click(bool on) {
    tk::hold().set(QStringLiteral("player"), on);
}
