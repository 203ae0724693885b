// The window: start screen, new game, the three screens, press feedback
// and the picture folder (its layout on each screen: test_screens).
#include "harness.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QMenuBar>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTemporaryDir>

namespace {
const QStringList kPictures = {
    "stt", "end", "Fce1", "Fce2", "Fce3", "Fce4", "Fce5", "Fce6", "Fce7", "fce8", "fce9", "fce0",
    "fce1k", "fce2k", "fce3k", "fce4k", "fce5k", "fce6k", "fce7k",
    "Fce1d", "Fce2d", "Fce3d", "Fce4d", "Fce5d", "Fce6d", "Fce7d"};

QPoint centreOf(const tk::Graphic& g) { return g.pixelRect().center(); }
}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void startScreenAndStackingOrder() {
        Game g;
        QVERIFY(g->ImgStt->Visible());
        QCOMPARE(pictureName(g->ImgStt->picture()), QString("stt"));
        for (int i = 0; i < 7; ++i) {
            QVERIFY(!g->Pic(i).Visible());
            QCOMPARE(pictureName(g->ImgFce(i).picture()), QString("fce%1").arg(i + 1));
            QVERIFY(!g->ShpFce(i).Visible());
            if (i > 0) QVERIFY(!g->ImgFce(i).Visible());
        }
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
        QCOMPARE(g->Tim.Interval(), 300);

        const auto order = g->client()->stackingOrder();
        auto pos = [&](const tk::Graphic* x) { return std::find(order.begin(), order.end(), x) - order.begin(); };
        // front to back: flashes, start picture, value labels, marker, faces, text, speaker, captions
        QVERIFY(pos(&g->ShpFce(6)) > pos(g->ImgStt));
        QVERIFY(pos(&g->ShpFce(0)) > pos(g->ImgStt));
        QVERIFY(pos(g->ImgStt) > pos(g->LblGhb));
        QVERIFY(pos(g->LblDay) > pos(g->ShpGosyoumou));
        QVERIFY(pos(g->ShpGosyoumou) > pos(&g->ImgFce(6)));
        QVERIFY(pos(&g->ImgFce(0)) > pos(g->Lbl));
        QVERIFY(pos(g->Lbl) > pos(g->Img));
        QVERIFY(pos(g->Img) > pos(g->LblNamGhb));

        const QList<QAction*> menus = g->menuBar()->actions();
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus[0]->text(), QString("設定"));
        QCOMPARE(g->Mnu1->title(), QString("難易度"));
        QCOMPARE(g->Mnu11.size(), size_t(3));
        QCOMPARE(g->Mnu11[2]->text(), QString("激重"));
        QCOMPARE(g->Mnu2->text(), QString("バージョン情報"));
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
            QCOMPARE(g->Blood[i], 100);
            QCOMPARE(g->Cp[i], qint16(500));
            QVERIFY(g->Sonzai[i] && !g->Hitorigoto_Zumi[i]);
            QCOMPARE(g->BloodShp(i).rect(), QRectF(1, 0, 1, 100));
            QCOMPARE(g->CpShp(i).rect(), QRectF(0, 0, 1, 500));
            QVERIFY(!g->Pic(i).Visible());
        }
        QCOMPARE(g->Tousou_Su, qint16(0));
        QCOMPARE(g->Ghb, qint16(0));
        QCOMPARE(g->Day, 1);
        QCOMPARE(g->Week, qint16(1));
        QCOMPARE(g->Tim.Interval(), 500);
        QCOMPARE(g->DayTim.Interval(), 3000);
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
        QCOMPARE(g->LblDay->text(), QString("1"));
        QCOMPARE(g->LblWeek->text(), QString("1"));
        QCOMPARE(g->LblGhb->text(), QString("0"));
        QVERIFY(!g->ImgStt->Visible());
        QCOMPARE(pictureName(g->ImgStt->picture()), QString("stt"));
    }

    void barHeightsFollowThePanelScale() {
        Game g;
        startRaising(*g);
        g->Senrei(3, 900);  // blood 1000: the bar fills the panel
        const QRect inner = g->Pic(3).innerRect();
        QCOMPARE(g->BloodShp(3).pixelRect().height(), inner.height());
        QCOMPARE(g->BloodShp(3).pixelRect().top(), inner.top());
        QVERIFY(qAbs(g->CpShp(3).pixelRect().height() - inner.height() / 2.0) <= 1);
        QVERIFY(g->CpShp(3).pixelRect().right() < g->BloodShp(3).pixelRect().left());
        g->Senrei(3, -2000);
        QCOMPARE(g->BloodShp(3).pixelRect().height(), 0);
    }

    void screensSwitchControlsAndTimers() {
        Game g;
        startRaising(*g, 4);
        g->Sonzai[1] = false;
        g->Gamen_Ikusei();
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(g->ImgFce(i).Visible(), i != 1);
            QCOMPARE(g->Pic(i).Visible(), i != 1);
        }
        QVERIFY(g->ShpGosyoumou->Visible());
        QCOMPARE(g->ShpGosyoumou->rect(), QRectF(4, 0, 1, 1));
        QVERIFY(!g->Img->Visible() && !g->Lbl->Visible());
        QVERIFY(g->Tim.running() && g->DayTim.running());

        g->ImgFce_MouseDown(2);
        g->Gamen_Ivent("FCE3K");
        QCOMPARE(pictureName(g->Img->picture()), QString("fce3k"));
        for (int i = 0; i < 7; ++i)
            QVERIFY(!g->ImgFce(i).Visible() && !g->Pic(i).Visible() && !g->ShpFce(i).Visible());
        QVERIFY(!g->ShpGosyoumou->Visible());
        QVERIFY(g->Img->Visible() && g->Lbl->Visible());
        QCOMPARE(g->Lbl->text(), QString());
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
        QVERIFY(g->ImgFce(2).border());  // kept until a release is reported

        g->Img_Yomikomi("Fce9");
        QCOMPARE(pictureName(g->Img->picture()), QString("fce9"));
        QVERIFY(g->Img->Visible());

        g->Form_Activate();
        QVERIFY(g->ImgStt->Visible());
        QVERIFY(!g->Tim.Enabled());
    }

    void pressFlashesTheMealsColour() {
        Game g;
        Draws draws;
        Boxes boxes(&*g);
        startRaising(*g);
        QWidget* w = g->client();
        const QPoint face = centreOf(g->ImgFce(5));
        // What reached the screen, partial repaints included.
        auto onScreen = [&](QPoint at) {
            QApplication::processEvents();
            const QPoint p = w->mapTo(&*g, at);
            return g->screen()->grabWindow(g->winId()).toImage().pixelColor(p);
        };
        const QPoint counters = g->LblGhb->pixelRect().center();
        const QPoint otherFace = centreOf(g->ImgFce(2));
        const QColor faceBefore = onScreen(otherFace);
        QTest::mousePress(w, Qt::LeftButton, {}, face);
        QVERIFY(g->ShpFce(5).Visible());
        QVERIFY(g->ImgFce(5).border());
        // The meal's colour is blended over the window, not painted flat:
        // about half of cyan over the black counters, and a mix over a face.
        const QColor c = onScreen(counters);
        QVERIFY2(c.red() == 0 && c.green() == c.blue() && c.green() > 100 && c.green() < 170,
                 qPrintable(c.name()));
        const QColor f = onScreen(otherFace);
        QVERIFY(f != faceBefore && f != QColor(0, 255, 255));
        QVERIFY(qAbs(f.red() - faceBefore.red() * (255 - c.green()) / 255) <= 2);
        draws << 0.5f << 0.5f;
        QTest::mouseRelease(w, Qt::LeftButton, {}, face);
        QVERIFY(!g->ShpFce(5).Visible());
        QVERIFY(!g->ImgFce(5).border());
        QCOMPARE(onScreen(counters), QColor(Qt::black));
        QVERIFY(g->Blood[5] > 100);  // the click purified, through the flash
        QCOMPARE(draws.taken, 2);

        // The marker lies over the face but a click still reaches the face.
        g->ShpGosyoumou->Move(5, 0, 1, 1);
        draws << 0.5f << 0.5f;
        QTest::mouseClick(w, Qt::LeftButton, {}, face);
        QCOMPARE(draws.taken, 4);
        // The start picture takes the click while it is shown.
        g->Form_Activate();
        QCOMPARE(g->client()->pictureAt(face), g->ImgStt);
    }

    // Every meal's flash shows clearly over the black window, the dark grey
    // of the seventh included.
    void everyFlashColourShows() {
        Game g;
        startRaising(*g);
        for (int i = 0; i < 7; ++i) {
            g->ImgFce_MouseDown(i);
            QImage shot = g->client()->grab().toImage();
            const QColor c = shot.pixelColor(g->LblGhb->pixelRect().center());
            QVERIFY2(std::max({c.red(), c.green(), c.blue()}) >= 50, qPrintable(c.name()));
            g->ImgFce_MouseUp(i);
        }
    }

    // The value labels keep half a character clear of their neighbours, so
    // the week number never runs into the day's caption.
    void countersKeepClearOfTheCaptions() {
        Game g;
        startRaising(*g);
        g->LblWeek->setText("4");
        const QImage shot = g->client()->grab().toImage();
        const QRect caption = g->LblNamDay->pixelRect();
        const int pad = QFontInfo(g->LblWeek->font()).pixelSize() / 2 - 1;  // about half a character
        for (int x = caption.left() - pad + 1; x < caption.left(); ++x)
            for (int y = caption.top(); y < caption.bottom(); ++y)
                QVERIFY2(qGray(shot.pixel(x, y)) < 32, qPrintable(QString("lit at %1,%2").arg(x).arg(y)));
        // and the number is still drawn, just left of that gap
        bool lit = false;
        for (int x = caption.left() - 4 * pad; x < caption.left() - pad; ++x)
            for (int y = caption.top(); y < caption.bottom(); ++y) lit = lit || qGray(shot.pixel(x, y)) > 128;
        QVERIFY(lit);
    }

    // The start screen asks for a click; nothing else that shows the start
    // picture does.
    void startPromptOnlyOnTheStartScreen() {
        Game g;
        QVERIFY(g->LblStt->Visible() && g->ImgStt->Visible());
        const auto order = g->client()->stackingOrder();
        QVERIFY(std::find(order.begin(), order.end(), g->LblStt) >
                std::find(order.begin(), order.end(), g->ImgStt));
        QCOMPARE(g->client()->pictureAt(g->LblStt->pixelRect().center()), g->ImgStt);
        Draws d;
        d.fallback = [] { return 0.0f; };
        Boxes b(&*g);
        bool promptDuringNotice = true;
        b.onBox = [&](const ShownBox& box) {
            if (box.prompt == joined(serifu::Asa)) promptDuringNotice = g->LblStt->Visible();
        };
        b.answers = {tk::vbYes};
        g->ImgStt_Click();
        QVERIFY(!promptDuringNotice);
        QVERIFY(!g->LblStt->Visible());
        g->Form_Activate();  // an ending returns to the start screen
        QVERIFY(g->LblStt->Visible());
    }

    // Every name as the game writes it finds a picture that decodes.
    void everyPictureNameFindsItsFile() {
        Game g;
        QDir gf(g->AppPath + "GF");
        QCOMPARE(gf.entryList(QDir::Files).size(), kPictures.size());
        for (const QString& n : kPictures) {
            QImage image;
            QCOMPARE(tk::bmp::loadFile(g->Gazou(n).source(), &image), tk::bmp::Status::Ok);
        }
    }

    // Every picture is drawn in the shape of the place it is shown in, so
    // nothing is stretched: faces in a cell, speakers in 2 x 2 cells, the start
    // and end pictures across the whole client area.
    void everyPictureHasItsPlacesShape() {
        Game g;
        auto aspect = [](QSizeF s) { return s.width() / s.height(); };
        for (const QString& n : kPictures) {
            QImage image;
            tk::bmp::loadFile(g->Gazou(n).source(), &image);
            const tk::Graphic* place = n == "stt" || n == "end" ? static_cast<tk::Graphic*>(g->ImgStt)
                                       : QRegularExpression("^Fce[1-7]$").match(n).hasMatch() ? &g->ImgFce(0)
                                                                                              : g->Img;
            const double want = aspect(place->pixelRect().size()), got = aspect(image.size());
            QVERIFY2(std::abs(got / want - 1) < 0.03,
                     qPrintable(QString("%1: %2 x %3 for a place of %4 x %5").arg(n).arg(image.width()).arg(image.height())
                                    .arg(place->pixelRect().width()).arg(place->pixelRect().height())));
            // crisp on a 1080-pixel screen, yet no bigger than it needs
            const double scale1080 = 1080.0 / 768;
            QVERIFY2(image.width() >= place->pixelRect().width() * scale1080 * 0.97, qPrintable(n));
            QVERIFY2(image.width() <= place->pixelRect().width() * scale1080 * 1.15, qPrintable(n));
        }
    }

    void programFolderGetsOneTrailingSeparator() {
        QTemporaryDir dir;
        const QString folder = linkPictures(dir);
        {
            Game g(768, folder);
            QCOMPARE(g->AppPath, folder + "/");
        }
        Game g(768, folder + "/");
        QCOMPARE(g->AppPath, folder + "/");
    }

    // Run once more under a Chinese locale: Han characters must keep their
    // Japanese forms whatever the locale.
    void hanCharactersUseAJapaneseFont() {
        Game g;
        for (const QFont& font : {g->LblNamGhb->font(), g->Lbl->font(), g->menuBar()->font()}) {
            QTextLayout layout(QString("働き 週 日にち 設定 難易度 軽い 重い 激重 主様"), font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const QList<QGlyphRun> runs = layout.glyphRuns();
            QVERIFY(!runs.isEmpty());
            for (const QGlyphRun& run : runs) {
                const QString family = run.rawFont().familyName();
                QVERIFY2(family == "Noto Sans CJK JP" || family == "IPAGothic", qPrintable(family));
            }
        }
    }

    void missingPictureFolderStops() {
        QTemporaryDir dir;
        try {
            Game g(768, dir.path());
            QFAIL("started without pictures");
        } catch (const FatalError& e) {
            QVERIFY(QString::fromStdString(e.what()).contains("stt.bmp"));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
