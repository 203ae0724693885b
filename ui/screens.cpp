// The raising and event screens, speaker pictures, press feedback and the
// way every scene speaks: one modal box after another.
#include "game/fom.h"

#include "pictures/names.h"
#include "toolkit/runtime.h"

#include <algorithm>

void Fom::Gamen_Ikusei() {
    for (int i = 0; i < Meals; ++i) {
        ImgFce(i).setVisible(Sonzai[i]);
        Pic(i).setVisible(Sonzai[i]);
    }
    ShpGosyoumou->Show();
    Img->Hide();
    Lbl->Hide();
    Tim.setEnabled(true);
    DayTim.setEnabled(true);
    Teishi_Hyouji();
}

void Fom::Gamen_Ivent(const QString& name) {
    Img_Yomikomi(name);
    for (int i = 0; i < Meals; ++i) {
        ShpFce(i).Hide();
        ImgFce(i).Hide();
        Pic(i).hide();
    }
    ShpGosyoumou->Hide();
    Img->Show();
    Lbl->Show();
    Lbl->setText(QString());
    Tim.setEnabled(false);
    DayTim.setEnabled(false);
    Teishi_Hyouji();
}

void Fom::Img_Yomikomi(const QString& name) { Img->setPicture(Gazou(name)); }

tk::PictureFile Fom::Gazou(const QString& name) const {
    // Whatever case the game writes a name in, the file is the list's.
    const auto known = std::find(pics::kPictureNames.begin(), pics::kPictureNames.end(), name.toLower());
    const QString file = known == pics::kPictureNames.end() ? name : QLatin1String(*known);
    return tk::LoadPicture(AppPath + "GF/" + file + ".bmp");
}

void Fom::ImgFce_MouseDown(int Index) {
    ShpFce(Index).Show();
    ImgFce(Index).setBorder(true);
}

void Fom::ImgFce_MouseUp(int Index) {
    ShpFce(Index).Hide();
    ImgFce(Index).setBorder(false);
}

int Fom::Hanasu(const Box& lines, int buttons) {
    QStringList text;
    for (const char* line : lines) text << QString::fromUtf8(line);
    return tk::MsgBox(text.join(QStringLiteral("\r\n")), buttons, QString(""));
}

void Fom::Hanasu(const Script& boxes) {
    for (const Box& box : boxes) Hanasu(box);
}

void Fom::Hanasu(const Scenario& steps) {
    for (const Step& step : steps) {
        if (step.face) Img_Yomikomi(QString::fromUtf8(step.face));
        else Hanasu(step.lines);
    }
}
