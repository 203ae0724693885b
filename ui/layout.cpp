// The window's controls, their colours and their start-up layout.
#include "game/fom.h"

#include "toolkit/runtime.h"

#include <QLayout>
#include <QMenuBar>

#include <algorithm>
#include <cmath>

namespace {
struct MealColours {
    QColor cp, blood, flash;
};
const std::array<MealColours, Fom::Meals> kColours = {{
    {{255, 192, 192}, {128, 0, 0}, {255, 0, 0}},
    {{192, 255, 192}, {0, 128, 0}, {0, 255, 0}},
    {{192, 192, 255}, {0, 0, 128}, {0, 0, 255}},
    {{255, 255, 192}, {128, 128, 0}, {255, 255, 0}},
    {{255, 192, 255}, {128, 0, 128}, {255, 0, 255}},
    {{192, 255, 255}, {0, 128, 128}, {0, 255, 255}},
    {{255, 255, 255}, {64, 64, 64}, {100, 100, 100}},
}};
const QColor kOrange(255, 128, 0);
// The press flash tints the window with the meal's colour rather than
// covering it: faces and counters stay readable through it.
constexpr int kFlashAlpha = 140;

QColor flashColour(int meal) {
    QColor c = kColours[meal].flash;
    c.setAlpha(kFlashAlpha);
    return c;
}
}  // namespace

Fom::Fom() {
    createControls();
    createMenus();
    Kotoba();
    Tim.onTimer = [this] { Tim_Timer(); };
    DayTim.onTimer = [this] { DayTim_Timer(); };
}

void Fom::createControls() {
    tk::Surface* s = client();
    // Captions come from Kotoba(), in the language spoken.
    auto label = [s](const char* caption) {
        auto* l = s->create<tk::Label>();
        l->setText(QString::fromUtf8(caption));
        return l;
    };
    // Created back to front, which is their stacking order.
    LblNamGhb = label("");
    LblNamWeek = label("");
    LblNamDay = label("");
    Img = s->create<tk::Picture>();
    Lbl = label("Label1");
    ImgFce.add(0, s->create<tk::Picture>());
    ShpGosyoumou = s->create<tk::Shape>();
    ShpWaku = s->create<tk::Shape>();
    LblGhb = label("Label1");
    LblWeek = label("Label1");
    LblDay = label("Label1");
    ImgStt = s->create<tk::Picture>();
    LblStt = label("");
    ShpFce.add(0, s->create<tk::Shape>());

    for (tk::Label* l : {LblNamGhb, LblNamWeek, LblNamDay}) l->setAutoSize(true);
    for (tk::Label* l : {LblGhb, LblWeek, LblDay}) {
        l->setAlignRight(true);
        l->setPadding(0.5);  // a number never touches the next caption
    }
    LblStt->setAlignCentre(true);
    LblStt->Hide();

    ShpFce(0).setFill(tk::Shape::Solid, flashColour(0));
    ShpFce(0).setBorder(false);
    ShpGosyoumou->setFill(tk::Shape::HorizontalLines, kOrange);
    ShpGosyoumou->setBorder(true, kOrange);
    // Thick and white: unlike the orange marker and the thin black border
    // of a pressed face on the same cell.
    ShpWaku->setFill(tk::Shape::Transparent, Qt::white);
    ShpWaku->setBorder(true, Qt::white, 4);
    ShpWaku->Hide();

    ImgStt->onClick = [this] { ImgStt_Click(); };
    ImgFce.MouseDown = [this](int i) { ImgFce_MouseDown(i); };
    ImgFce.MouseUp = [this](int i) { ImgFce_MouseUp(i); };
    ImgFce.Click = [this](int i) {
        if (faceTakesClick(i)) ImgFce_Click(i);
    };

    const QColor outline = palette().color(QPalette::WindowText);
    for (int i = 0; i < Meals; ++i) {
        auto* panel = new tk::Panel(s);
        Pic.add(i, panel);
        CpShp.add(i, panel->create<tk::Shape>());
        BloodShp.add(i, panel->create<tk::Shape>());
        CpShp(i).setFill(tk::Shape::Solid, kColours[i].cp);
        CpShp(i).setBorder(true, outline);
        BloodShp(i).setFill(tk::Shape::Solid, kColours[i].blood);
        BloodShp(i).setBorder(true, outline);
    }
    createPause();
}

void Fom::createMenus() {
    // Captions come from Kotoba(), in the language spoken.
    Mnu0 = menuBar()->addMenu(QString());
    Mnu1 = Mnu0->addMenu(QString());
    Mnu11 = addMenuArray(Mnu1, {QString(), QString(), QString()}, [this](int i) { Mnu11_Click(i); });
    // Added to the game's own menu: the player's pause, the record, the language.
    Mnu3 = Mnu0->addAction(QString());
    Mnu3->setCheckable(true);
    connect(Mnu3, &QAction::toggled, this, [this](bool on) { Mnu3_Click(on); });
    Mnu0->addSeparator();
    Mnu4 = addMenuItem(Mnu0, QString(), [this] { Mnu4_Click(); });
    createLanguageMenu();
    Mnu2 = addMenuItem(Mnu0, QString(), [this] { Mnu2_Click(); });
    // Time stands still while the menu is open.
    connect(Mnu0, &QMenu::aboutToShow, this, [this] {
        tk::hold().set(tk::Hold::Menu, true);
        Mnu3->setEnabled(Ikusei() || Mnu3->isChecked());
    });
    connect(Mnu0, &QMenu::aboutToHide, this, [] { tk::hold().set(tk::Hold::Menu, false); });
}

void Fom::Haichi() {
    client()->setBackground(Qt::black);

    // The window spans 1.2 x 0.6 screen heights, smaller where that would
    // not fit on the screen; text sizes follow its real width in twips (15 to
    // the pixel), as the game was designed.
    const double h = tk::screenHeight();
    const QSize frame = setFixedFrameOnScreen(
        QSize(static_cast<int>(std::lround(1.2 * h)), static_cast<int>(std::lround(0.6 * h))));
    if (layout()) layout()->activate();
    client()->Scale(0, 0, 7, 3);
    const double widthTwips = std::min(2 * 0.6 * h, double(frame.width())) * 15;
    MojiSize = static_cast<int>(std::floor(widthTwips / 7 / 100));
    // The dialogue reads at half the counters' size.
    tk::setMsgBoxPointSize(MojiSize);

    Lbl->Move(2, 0, 5, 3);
    Lbl->setPointSize(MojiSize);
    Img->Move(0, 0, 2, 2);
    ImgStt->Move(0, 0, 7, 3);
    ImgStt->setPicture(Gazou("stt"));
    LblStt->Move(0, 2.5, 7, 0.5);
    LblStt->setPointSize(MojiSize);

    for (int i = 1; i < Meals; ++i) {
        ImgFce.Load(i);
        ShpFce.Load(i);
    }
    for (int i = 0; i < Meals; ++i) {
        ImgFce(i).Move(i, 0, 1, 1);
        ImgFce(i).setPicture(Gazou("Fce" + QString::number(i + 1)));
        ShpFce(i).Move(0, 0, 7, 3);
        ShpFce(i).Hide();
        ShpFce(i).ZOrder();
        Pic(i).Move(i, 1, 1, 1);
        Pic(i).Scale(0, 0, 2, 1000);
        CpShp(i).Move(0, 0, 1, 500);
        BloodShp(i).Move(1, 0, 1, 1);
    }
    for (int i = 0; i < Meals; ++i) ShpFce(i).setFill(tk::Shape::Solid, flashColour(i));

    LblNamWeek->Move(0, 2);
    LblWeek->Move(0, 2, 3.5, 0.5);
    LblNamDay->Move(3.5, 2);
    LblDay->Move(3.5, 2, 3.5, 0.5);
    LblNamGhb->Move(0, 2.5);
    LblGhb->Move(0, 2.5, 7, 0.5);
    for (tk::Label* l : {LblNamWeek, LblWeek, LblNamDay, LblDay, LblNamGhb, LblGhb})
        l->setPointSize(2 * MojiSize);
}
