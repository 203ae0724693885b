// The evaluation ceremony after the fourth weekly meal.
#include "game/fom.h"
#include "scenes/serifu.h"

#include "toolkit/runtime.h"

void Fom::Hyouka_Ivent() {
    Tim.setEnabled(false);
    Img_Yomikomi("fce8");
    Hanasu(serifu::HyoukaKaimaku);
    tk::MsgBox(QStringLiteral("貴方の働きは、") + "\r\n" + QStringLiteral("ご褒美が") +
                   QString::number(Ghb) + QStringLiteral("、") + "\r\n" +
                   QStringLiteral("逃げ出した「食事」が") + QString::number(Tousou_Su) +
                   QStringLiteral("、"),
               tk::vbOKOnly, QString(""));
    Hanasu(serifu::HyoukaOkotoba);
    Img_Yomikomi("fce9");

    const int g = Ghb;
    const int f = Tousou_Su;
    const Scenario* verdict;
    if (g >= 5) {
        verdict = f == 0 ? &serifu::Kaika : f <= 3 ? &serifu::Kiniitta : &serifu::Zankoku;
        Hanasu(*verdict);
        Hanasu(serifu::UeShime);
    } else if (g >= 3) {
        verdict = f >= 3 ? &serifu::Hyouban : &serifu::Akuhyou;
        Hanasu(*verdict);
        Hanasu(serifu::NakaShime);
    } else {
        verdict = f >= 3 ? &serifu::Amai : &serifu::Dame;
        Hanasu(*verdict);
        Hanasu(serifu::ShitaShime);
    }

    ImgStt->Show();
    ImgStt->setPicture(tk::LoadPicture(AppPath + "gf\\end.bmp"));
    Kiroku_Hyouka(*verdict);
    Hanasu(serifu::Endo);
    Form_Activate();
}
