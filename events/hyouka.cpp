// The evaluation ceremony after the fourth weekly meal.
#include "game/fom.h"
#include "scenes/serifu.h"

#include "toolkit/runtime.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace {
// The verdicts, by the rewards earned and the meals that fled (both ranges
// inclusive): what the master says, how the guide closes, and the ending
// the record keeps.
struct Hanketsu {
    int ghbFrom, ghbTo;
    int fledFrom, fledTo;
    const Scenario* verdict;
    const Scenario* closing;
    Kiroku::Ketsumatsu ending;
};
constexpr int kLeast = std::numeric_limits<qint16>::min();
constexpr int kMost = std::numeric_limits<qint16>::max();
const Hanketsu kHanketsu[] = {
    {5, kMost, 0, 0, &serifu::Kaika, &serifu::UeShime, Kiroku::Kaika},
    {5, kMost, 1, 3, &serifu::Kiniitta, &serifu::UeShime, Kiroku::Kiniitta},
    {5, kMost, 4, Fom::Meals, &serifu::Zankoku, &serifu::UeShime, Kiroku::Zankoku},
    {3, 4, 3, Fom::Meals, &serifu::Hyouban, &serifu::NakaShime, Kiroku::Hyouban},
    {3, 4, 0, 2, &serifu::Akuhyou, &serifu::NakaShime, Kiroku::Akuhyou},
    {kLeast, 2, 3, Fom::Meals, &serifu::Amai, &serifu::ShitaShime, Kiroku::Amai},
    {kLeast, 2, 0, 2, &serifu::Dame, &serifu::ShitaShime, Kiroku::Dame},
};
}  // namespace

void Fom::Hyouka_Ivent() {
    Tim.setEnabled(false);
    Img_Yomikomi("fce8");
    Hanasu(serifu::HyoukaKaimaku);
    //: the guide reads out the work: %1 the rewards, %n the meals that fled
    QString work = QCoreApplication::translate("Ceremony", "貴方の働きは、\nご褒美が%1、\n逃げ出した「食事」が%n、",
                                               nullptr, Tousou_Su);
    tk::MsgBox(work.arg(Ghb).replace(QLatin1Char('\n'), QLatin1String("\r\n")), tk::vbOKOnly, QString(""));
    Hanasu(serifu::HyoukaOkotoba);
    Img_Yomikomi("fce9");

    // Every count the game can reach has its row.
    const Hanketsu& h = *std::find_if(std::begin(kHanketsu), std::end(kHanketsu), [this](const Hanketsu& r) {
        return Ghb >= r.ghbFrom && Ghb <= r.ghbTo && Tousou_Su >= r.fledFrom && Tousou_Su <= r.fledTo;
    });
    Hanasu(*h.verdict);
    Hanasu(*h.closing);

    ImgStt->Show();
    ImgStt->setPicture(Gazou("end"));
    Kiroku_Kinyuu(h.ending);
    Hanasu(serifu::Endo);
    Form_Activate();
}
