// The raising and event screens, speaker pictures, press feedback and the
// way every scene speaks: one modal box after another.
#include "game/fom.h"

#include "pictures/names.h"
#include "toolkit/runtime.h"
#include "ui/language.h"

#include <QCoreApplication>

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
    // Whatever case the game writes a name in, the file is the list's; a
    // picture with words in it has one of its own in the language spoken.
    auto listed = [](const QString& n) {
        return std::find(pics::kPictureNames.begin(), pics::kPictureNames.end(), n) != pics::kPictureNames.end();
    };
    QString file = name.toLower();
    if (const QString own = file + QLatin1Char('_') + lang::current(); listed(own)) file = own;
    else if (!listed(file)) file = name;
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

int Fom::Hanasu(const char* context, Box box, int buttons) {
    QString text = QCoreApplication::translate(context, box);
    return tk::MsgBox(text.replace(QLatin1Char('\n'), QLatin1String("\r\n")), buttons, QString(""));
}

void Fom::Hanasu(const Script& script) {
    for (Box box : script.boxes) Hanasu(script.context, box);
}

void Fom::Hanasu(const Scenario& scenario) {
    for (const Step& step : scenario.steps) {
        if (step.face) Img_Yomikomi(QString::fromUtf8(step.face));
        else Hanasu(scenario.context, step.box);
    }
}
