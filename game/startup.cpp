// Start-up, the start screen and the new-game initialisation.
#include "game/fom.h"

#include "toolkit/runtime.h"
#include "ui/access.h"
#include "ui/language.h"

#include <QFileInfo>

namespace {
// Beside the program (build tree, portable copy) or installed under share/.
QString dataFolder() {
    const QString here = tk::programFolder();
    const QString installed = here + "/../share/games/velmoria";
    if (!QFileInfo::exists(here + "/GF/stt.bmp") && QFileInfo::exists(installed + "/GF/stt.bmp"))
        return installed;
    return here;
}
}  // namespace

QString Fom::firstPicture() { return dataFolder() + "/GF/stt.bmp"; }

void Fom::prepareProcess() {
    // Han characters take the locale's language otherwise; the faces of the
    // language spoken keep its own forms in every text.
    lang::useFaces();
    a11y::install();
}

void Fom::Form_Load() {
    tk::Randomize();
    AppPath = dataFolder();
    if (!AppPath.endsWith('/')) AppPath += '/';
    Haichi();
}

void Fom::Form_Activate() {
    for (int i = 0; i < Meals; ++i) Pic(i).hide();
    ImgStt->Show();
    LblStt->Show();
    Tim.setEnabled(false);
}

void Fom::Form_Unload() {
    Tim.setEnabled(false);
    DayTim.setEnabled(false);
}

void Fom::ImgStt_Click() { Setumei_Ivent(); }

void Fom::NewGame() {
    ImgStt->setPicture(Gazou("stt"));
    ImgStt->Hide();
    LblStt->Hide();
    Tousou_Su = 0;
    Ghb = 0;
    Day = 1;
    Week = 1;
    for (int i = 0; i < Meals; ++i) {
        Blood[i] = 100;
        BloodShp(i).Move(1, 0, 1, Blood[i]);
        Cp[i] = 500;
        CpShp(i).Move(0, 0, 1, Cp[i]);
        Sonzai[i] = true;
        Hitorigoto_Zumi[i] = false;
    }
    Tim.setInterval(500);
    DayTim.setInterval(3000);
    LblDay->setText(QString::number(Day));
    LblWeek->setText(QString::number(Week));
    LblGhb->setText(QString::number(Ghb));
    for (int i = 0; i < Meals; ++i) Pic(i).hide();
}
