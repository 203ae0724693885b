// The settings menu: the pace of the game tick, the player's pause, the
// record of endings and the version box.
#include "game/fom.h"
#include "scenes/serifu.h"

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

void Fom::Mnu4_Click() {
    const tk::HoldWhile reading(QStringLiteral("box"));
    tk::MsgBox(kiroku_.text(), tk::vbOKOnly, QStringLiteral("記録"));
}

void Fom::Kiroku_Hyouka(const Scenario& verdict) {
    const std::pair<const Scenario*, Kiroku::Ketsumatsu> verdicts[] = {
        {&serifu::Kaika, Kiroku::Kaika},     {&serifu::Kiniitta, Kiroku::Kiniitta},
        {&serifu::Zankoku, Kiroku::Zankoku}, {&serifu::Hyouban, Kiroku::Hyouban},
        {&serifu::Akuhyou, Kiroku::Akuhyou}, {&serifu::Amai, Kiroku::Amai},
        {&serifu::Dame, Kiroku::Dame}};
    // A ceremony played on after the window was closed ends nowhere.
    if (tk::msgBoxesAbandoned()) return;
    for (const auto& [scenario, ending] : verdicts)
        if (scenario == &verdict) kiroku_.kinyuu(ending);
}

void Fom::Kiroku_Kubi() {
    if (!tk::msgBoxesAbandoned()) kiroku_.kinyuu(Kiroku::Kubi);
}
