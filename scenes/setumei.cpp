// The introduction that opens every game.
#include "game/fom.h"
#include "scenes/serifu.h"

#include "toolkit/runtime.h"

void Fom::Setumei_Ivent() {
    NewGame();
    Gamen_Ivent("fce8");
    const Script& s = serifu::Setumei;
    Hanasu(s.context, s.boxes[0]);
    Hanasu(s.context, s.boxes[1]);
    const int answer = Hanasu(s.context, s.boxes[serifu::SetumeiShitsumon], tk::vbYesNo);
    const int from = answer == tk::vbNo ? serifu::SetumeiKaisetsuFirst : serifu::SetumeiKaisetsuLast + 1;
    for (int i = from; i < static_cast<int>(s.boxes.size()); ++i) Hanasu(s.context, s.boxes[i]);
    DengonIvent();
}
