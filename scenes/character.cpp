// The meals' own scenes: a monologue at full confidence, a flight at none.
#include "game/fom.h"
#include "scenes/serifu.h"

void Fom::Hitorigoto_Ivent(int Index) {
    Gamen_Ivent("fce" + QString::number(Index + 1) + "k");
    Hanasu(serifu::Hitorigoto.at(Index));
    Ghb += 1;
    Gamen_Ikusei();
}

void Fom::Tousou_Ivent(int Index) {
    Gamen_Ivent("Fce" + QString::number(Index + 1) + "d");
    Sonzai.at(Index) = false;
    Tousou_Su += 1;
    Hanasu(serifu::Tousou.at(Index));
    Gamen_Ikusei();
}
