// The window: start screen, new game, press feedback and the Japanese font
// (the layout per screen size is in test_screens).
#include "harness.h"

#include <QGlyphRun>
#include <QMenuBar>
#include <QRawFont>
#include <QTextLayout>

namespace {
// What reached the screen, partial repaints included, once they are done:
// when it shows what a full repaint would.
QImage onScreen(Fom& f) {
    auto screen = [&f] { return f.screen()->grabWindow(f.winId()).toImage().convertToFormat(QImage::Format_RGB32); };
    const bool settled = QTest::qWaitFor([&] { return screen() == f.grab().toImage().convertToFormat(QImage::Format_RGB32); });
    return settled ? screen() : QImage();
}
QColor onScreen(Fom& f, QPoint at) { return onScreen(f).pixelColor(f.client()->mapTo(&f, at)); }
}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void startScreen() {
        Game g;
        QVERIFY(g->ImgStt->Visible() && g->LblStt->Visible());
        QCOMPARE(pictureName(g->ImgStt->picture()), QString("stt"));
        QCOMPARE(g->client()->pictureAt(g->ImgFce(3).pixelRect().center()), g->ImgStt);
        for (int i = 0; i < 7; ++i) QVERIFY(!g->Pic(i).Visible() && !g->ShpFce(i).Visible());
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());

        // Only the start screen asks for a click, not the morning notice.
        Draws d;
        d.fallback = [] { return 0.0f; };
        Boxes b(&*g);
        bool promptDuringNotice = true;
        b.onBox = [&](const ShownBox& box) {
            if (box.prompt == "朝になりました…") promptDuringNotice = g->LblStt->Visible();
        };
        b.answers = {tk::vbYes};
        g->ImgStt_Click();
        QVERIFY(!promptDuringNotice && !g->LblStt->Visible());
        g->Form_Activate();
        QVERIFY(g->LblStt->Visible());
    }

    void newGameSetsEveryValueAndBar() {
        Game g;
        g->Blood.fill(700);
        g->Cp.fill(3);
        g->Sonzai[2] = false;
        g->Hitorigoto_Zumi[4] = true;
        g->Tousou_Su = 1;
        g->Ghb = -4;
        g->Day = 5;
        g->Week = 3;
        g->Tim.setInterval(0);
        g->ImgStt->setPicture(g->Gazou("end"));
        g->NewGame();
        for (int i = 0; i < 7; ++i) {
            QVERIFY(g->Blood[i] == 100 && g->Cp[i] == 500 && g->Sonzai[i] && !g->Hitorigoto_Zumi[i]);
            QCOMPARE(g->BloodShp(i).rect(), QRectF(1, 0, 1, 100));
            QCOMPARE(g->CpShp(i).rect(), QRectF(0, 0, 1, 500));
        }
        QVERIFY(g->Tousou_Su == 0 && g->Ghb == 0 && g->Day == 1 && g->Week == 1 && g->Tim.Interval() == 500);
        QCOMPARE(g->LblDay->text() + g->LblWeek->text() + g->LblGhb->text(), QString("110"));
        QVERIFY(pictureName(g->ImgStt->picture()) == "stt" && !g->ImgStt->Visible());
        // A full bar fills its panel's inside; an empty one has no height.
        startRaising(*g);
        g->Senrei(3, 900);
        QCOMPARE(g->BloodShp(3).pixelRect().height(), g->Pic(3).innerRect().height());
        QVERIFY(g->CpShp(3).pixelRect().right() < g->BloodShp(3).pixelRect().left());
        g->Senrei(3, -2000);
        QCOMPARE(g->BloodShp(3).pixelRect().height(), 0);
    }

    // A press tints the whole client area, panels excepted, with the meal's
    // colour blended over what lies beneath; the release purifies.
    void pressFlashesTheMealsColour() {
        Game g;
        Draws draws;
        Boxes boxes(&*g);
        startRaising(*g);
        const QPoint counters = g->LblGhb->pixelRect().center(), otherFace = g->ImgFce(2).pixelRect().center();
        const QColor faceBefore = onScreen(*g, otherFace);
        QTest::mousePress(g->client(), Qt::LeftButton, {}, g->ImgFce(5).pixelRect().center());
        QVERIFY(g->ImgFce(5).border());
        const QColor c = onScreen(*g, counters);  // about half of cyan over black
        QVERIFY2(c.red() == 0 && c.green() == c.blue() && c.green() > 100 && c.green() < 170, qPrintable(c.name()));
        const QColor f = onScreen(*g, otherFace);
        QVERIFY(qAbs(f.red() - faceBefore.red() * (255 - c.green()) / 255) <= 2);
        QCOMPARE(onScreen(*g, g->Pic(5).geometry().bottomLeft() + QPoint(4, -4)), g->palette().color(QPalette::Button));
        draws << 0.5f << 0.5f;
        QTest::mouseRelease(g->client(), Qt::LeftButton, {}, g->ImgFce(5).pixelRect().center());
        QVERIFY(!g->ImgFce(5).border() && g->Blood[5] == 100 + 25 + 51 + 100);
        QCOMPARE(onScreen(*g, counters), QColor(Qt::black));
        // Every meal's flash shows clearly over the black window, the dark
        // grey of the seventh too.
        for (int i = 0; i < 7; ++i) {
            g->ImgFce_MouseDown(i);
            const QColor x = onScreen(*g, counters);
            QVERIFY2(std::max({x.red(), x.green(), x.blue()}) >= 50, qPrintable(x.name()));
            g->ImgFce_MouseUp(i);
        }
    }

    // Run once more under a Chinese locale: Han characters keep their
    // Japanese forms whatever the locale.
    void hanCharactersUseAJapaneseFont() {
        Game g;
        for (const QFont& font : {g->LblNamGhb->font(), g->Lbl->font(), g->menuBar()->font()}) {
            QTextLayout layout(QString("働き 週 日にち 設定 難易度 軽い 重い 激重 主様"), font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns()) {
                const QString family = run.rawFont().familyName();
                QVERIFY2(family == "Noto Sans CJK JP" || family == "IPAGothic", qPrintable(family));
            }
        }
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
