// The settings menu: the pace of the game tick, the player's pause, the
// record of endings and the version box.
#include "game/fom.h"

#include "toolkit/runtime.h"

void Fom::Mnu11_Click(int Index) {
    static constexpr int kIntervals[] = {0, 500, 300};
    if (Index < 0 || Index > 2) return;
    Tim.setInterval(kIntervals[Index]);
}

void Fom::Mnu2_Click() {
    // The game holds still while the box is read, so no scene can open over
    // it; the day then resumes with a fresh interval.
    const tk::HoldWhile reading(tk::Hold::Box);
    tk::MsgBox(tr("ヴェルモリア\nバージョン %1").arg(QStringLiteral(VELMORIA_VERSION)).replace(QLatin1Char('\n'), QLatin1String("\r\n")),
               tk::vbOKOnly, tr("ヴェルモリア"));
}

void Fom::Mnu4_Click() {
    const tk::HoldWhile reading(tk::Hold::Box);
    tk::MsgBox(kiroku_.text(), tk::vbOKOnly, tr("記録"));
}

void Fom::Kiroku_Kinyuu(Kiroku::Ketsumatsu ending) {
    // A game played on after the window was closed ends nowhere.
    if (!tk::msgBoxesAbandoned()) kiroku_.kinyuu(ending);
}
