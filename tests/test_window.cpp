// The window: start screen, new game, press feedback, the fonts of each
// language, the layout on screens of every shape with boxes that read well
// beside it, and pictures read when first needed.
#include "harness.h"

#include <QDialog>
#include <QGlyphRun>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRawFont>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>

namespace {
QColor onScreen(Fom& f, QPoint at) { return onScreen(&f).pixelColor(f.client()->mapTo(&f, at)); }

QDialog* shownBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QDialog*>(w); box && box->isVisible()) return box;
    return nullptr;
}

struct Seen {
    QRect box;
    double points = 0;
    bool wrapped = true, fits = false;  // the whole text inside the box
    QString text;
};

// Shows a real box and notes what it looked like before answering it.
Seen showRealBox(const QString& prompt) {
    Seen seen;
    QTimer::singleShot(0, [&] {
        QDialog* box = shownBox();
        QApplication::processEvents();  // let it settle its size
        auto* label = box->findChild<QLabel*>();
        const QSize need = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        seen = {box->frameGeometry(), label->font().pointSizeF(), label->wordWrap(),
                need.width() <= label->width() && need.height() <= label->height() && box->rect().contains(label->geometry()),
                label->text()};
        box->findChild<QPushButton*>()->click();
    });
    tk::MsgBox(prompt);
    return seen;
}
}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    VELMORIA_SUITE_SLOTS

    void startScreen() {
        Game g;
        g.fallback = [] { return 0.0f; };
        QVERIFY(g->ImgStt->Visible() && g->LblStt->Visible() && pictureName(g->ImgStt->picture()) == "stt");
        QCOMPARE(g->client()->pictureAt(g->ImgFce(3).pixelRect().center()), g->ImgStt);
        for (int i = 0; i < 7; ++i) QVERIFY(!g->Pic(i).Visible() && !g->ShpFce(i).Visible());
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
        // Only the start screen asks for a click, not the morning notice.
        bool promptDuringNotice = true;
        g.onBox = [&](const ShownBox& box) {
            if (box.prompt == "朝になりました…") promptDuringNotice = g->LblStt->Visible();
        };
        g.answers = {tk::vbYes};
        g->ImgStt_Click();
        QVERIFY(!promptDuringNotice && !g->LblStt->Visible());
        g->Form_Activate();
        QVERIFY(g->LblStt->Visible());
    }

    // A new game, even after one played to its end, is what the player first
    // meets: every meal's blood at 100 and confidence at 500, day 1 of week 1.
    void newGameSetsEveryValueAndBar() {
        Game g;
        g->NewGame();
        QCOMPARE(g.state(), QString("1 1 0 0 0 0 500 0 0|") + QString("100/500/1/0 ").repeated(7));
        QCOMPARE(g->LblDay->text() + g->LblWeek->text() + g->LblGhb->text(), QString("110"));
        g->Blood.fill(700), g->Cp.fill(3), g->Sonzai[2] = false, g->Hitorigoto_Zumi[4] = true;
        g->Tousou_Su = 1, g->Ghb = -4, g->Day = 5, g->Week = 3, g->Tim.setInterval(0);
        g->ImgStt->setPicture(g->Gazou("end"));
        g->NewGame();
        QCOMPARE(g.state(), QString("1 1 0 0 0 0 500 0 0|") + QString("100/500/1/0 ").repeated(7));
        QVERIFY(pictureName(g->ImgStt->picture()) == "stt" && !g->ImgStt->Visible());
        for (int i = 0; i < 7; ++i)
            QVERIFY(g->BloodShp(i).rect() == QRectF(1, 0, 1, 100) && g->CpShp(i).rect() == QRectF(0, 0, 1, 500));
        // A full bar fills its panel's inside; an empty one has no height.
        g.raising();
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
        g.raising();
        const QPoint counters = g->LblGhb->pixelRect().center(), otherFace = g->ImgFce(2).pixelRect().center();
        const QColor faceBefore = onScreen(*g, otherFace);
        QTest::mousePress(g->client(), Qt::LeftButton, {}, g->ImgFce(5).pixelRect().center());
        QVERIFY(g->ImgFce(5).border());
        const QColor c = onScreen(*g, counters);  // about half of cyan over black
        QVERIFY2(c.red() == 0 && c.green() == c.blue() && c.green() > 100 && c.green() < 170, qPrintable(c.name()));
        const QColor f = onScreen(*g, otherFace);
        QVERIFY(qAbs(f.red() - faceBefore.red() * (255 - c.green()) / 255) <= 2);
        QCOMPARE(onScreen(*g, g->Pic(5).geometry().bottomLeft() + QPoint(4, -4)), g->palette().color(QPalette::Button));
        g.draws = {0.5f, 0.5f};
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

    // Han characters take the forms of the language spoken, whatever the
    // locale (run again under zh_CN) and after a switch in play: Japanese
    // never in Chinese faces, Chinese in them; each language's own name in
    // its own faces.
    void hanCharactersTakeTheLanguagesForms() {
        Game g;
        auto family = [](const QString& text, const QFont& font) {
            QTextLayout layout(text, font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            QStringList families;
            for (const QGlyphRun& run : layout.glyphRuns()) families << run.rawFont().familyName();
            families.removeDuplicates();
            return families.join('+');
        };
        for (const char* code : {"ja", "zh", "en", "ja"}) {
            lang::use(code);
            QCoreApplication::sendPostedEvents();
            const QString want = QString(code) == "zh" ? "Noto Sans CJK SC" : "Noto Sans CJK JP";
            for (const QFont& font : {g->LblNamGhb->font(), g->Lbl->font(), g->menuBar()->font(), g->Mnu0->font(),
                                      QApplication::font(), QToolTip::font()})
                QCOMPARE(family("働き 週 日にち 写 直 骨 主様", font), want);
            for (QAction* a : g->Mnu5->actions())
                QCOMPARE(family(a->text(), a->font().resolve(g->Mnu5->font())), a->data() == "zh" ? "Noto Sans CJK SC" : "Noto Sans CJK JP");
        }
    }

    // Wholly on the screen, 2 : 1, centred, text sizes following the real
    // height; boxes at half the counters' size (never below the system's),
    // centred over the window, breaking a line too long for the screen.
    void windowFitsItsScreen() {
        const struct {
            QRect screen, available;
            QSize size;  // invalid: fitted, size not fixed here
            int counters, box;  // points; box 0: the system's size
        } rows[] = {
            {{0, 0, 1366, 768}, {}, {922, 461}, 38, 19},
            {{0, 0, 1366, 768}, {0, 32, 1366, 736}, {922, 461}, 38, 19},
            {{0, 0, 1920, 1080}, {}, {1296, 648}, 54, 27},
            {{0, 0, 480, 270}, {}, {324, 162}, 12, 0},
            {{0, 0, 1024, 600}, {}, {720, 360}, 30, 15},
            {{0, 0, 640, 480}, {}, {576, 288}, 24, 12},
            {{0, 0, 3840, 2160}, {}, {2592, 1296}, 110, 55},
            {{0, 0, 1080, 1920}, {}, {}, 44, 22},
            {{1920, 0, 1080, 1920}, {1920, 0, 1080, 1872}, {}, 44, 22},
        };
        const QString longest = QStringLiteral("「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。");
        for (const auto& r : rows) {
            const QByteArray row = QString("%1 x %2").arg(r.screen.width()).arg(r.screen.height()).toUtf8();
            const QRect avail = r.available.isEmpty() ? r.screen : r.available;
            Game g(QStringLiteral(VELMORIA_BUILD_DIR), r.screen, r.available);
            const QRect frame = g->geometry();  // the inside, menu bar included
            QVERIFY2(!r.size.isValid() || frame.size() == r.size, row);
            QVERIFY2(qAbs(frame.width() - 2 * frame.height()) <= 1, row);
            // Room for a title bar and borders.
            QVERIFY2(avail.adjusted(0, 0, 0, -40).contains(frame) && avail.contains(g->frameGeometry()), row);
            QVERIFY2(frame.width() >= avail.width() * 0.9 || frame.height() >= 0.6 * r.screen.height() - 1, row);
            QVERIFY2((frame.center() - avail.center()).manhattanLength() <= 2, row);
            QCOMPARE(g->LblDay->font().pointSize(), r.counters);
            // The 7 x 3 grid tiles the client area: the panels fill row 1.
            const QRect client = g->client()->rect();
            QCOMPARE(g->Pic(6).geometry().right(), client.right());
            QVERIFY(qAbs(g->Pic(3).geometry().top() - client.height() / 3.0) <= 1);
            QVERIFY(qAbs(g->Pic(3).geometry().height() - client.height() / 3.0) <= 1);
            tk::setMsgBoxHandler({});  // the real box
            const Seen seen = showRealBox("短い\r\n" + longest);
            QCOMPARE(seen.text, "短い\n" + longest);
            QCOMPARE(seen.points, r.box ? r.box : QApplication::font().pointSizeF());
            QVERIFY2(!seen.wrapped && seen.fits && avail.contains(seen.box), row);
            QVERIFY2((seen.box.center() - g->frameGeometry().center()).manhattanLength() <= 4, row);
            const Seen wide = showRealBox(QString(100, QChar(0x3042)));
            QVERIFY2(wide.wrapped && wide.fits && avail.contains(wide.box), row);
            // Broken after its comma rather than inside a word.
            const QString a(30, QChar(0x3042)), i(30, QChar(0x3044));
            QVERIFY2(showRealBox(a + "、" + i + "、" + a).text == a + "、\n" + i + "、\n" + a, row);
        }
    }

    // Key 0: the title bar's close button; Tab: to the second button, then
    // Return, which answers with the button that has the focus.
    void boxesAnswerTheKeyboard() {
        Game g;
        tk::setMsgBoxHandler({});
        const struct { int buttons, key, answer; } cases[] = {
            {tk::vbOKOnly, Qt::Key_Return, tk::vbOK}, {tk::vbOKOnly, Qt::Key_Escape, tk::vbOK},
            {tk::vbOKOnly, 0, tk::vbOK},              {tk::vbYesNo, Qt::Key_Return, tk::vbYes},
            {tk::vbYesNo, Qt::Key_Escape, tk::vbNo},  {tk::vbYesNo, 0, tk::vbNo},
            {tk::vbYesNo, Qt::Key_Tab, tk::vbNo}};
        for (const auto& c : cases) {
            QTimer rescue;  // never hang the test: a box the key left open
            rescue.setSingleShot(true);
            QTimer::singleShot(0, [&] {
                QDialog* b = shownBox();
                b->activateWindow();
                if (c.key == Qt::Key_Tab) b->findChildren<QPushButton*>().last()->setFocus();
                if (c.key) QTest::keyClick(b->focusWidget() ? b->focusWidget() : b, c.key == Qt::Key_Tab ? Qt::Key_Return : Qt::Key(c.key));
                else b->close();
                QObject::connect(&rescue, &QTimer::timeout, b, [b] { b->findChildren<QPushButton*>().last()->click(); });
                rescue.start(3000);
            });
            const int answer = tk::MsgBox("問い", c.buttons);
            QVERIFY2(rescue.isActive(), qPrintable(QKeySequence(c.key).toString()));
            QCOMPARE(answer, c.answer);
        }
    }

    // Every picture, broken, stops the game with an error naming it where the
    // game first needs it, after the last box before, and not sooner: the
    // start picture and the raising screen's faces at start-up.
    void brokenPicturesStopWhereFirstNeeded() {
        QStringList names = {"stt", "end", "fce8", "fce9", "fce0"};
        for (int n = 1; n <= 7; ++n) names << QString("Fce%1").arg(n) << QString("fce%1k").arg(n) << QString("Fce%1d").arg(n);
        for (int i = 0; i < names.size(); ++i) {
            const QString p = names[i].toLower();
            QTemporaryDir dir;
            const QString folder = linkPictures(dir);
            QFile built(VELMORIA_BUILD_DIR "/GF/" + p + ".bmp");
            QVERIFY(built.open(QIODevice::ReadOnly) && QFile::remove(folder + "/GF/" + p + ".bmp"));
            QFile broken(folder + "/GF/" + p + ".bmp");
            // One damage each, in turn: gone, empty, cut short, not a bitmap.
            const QByteArray good = built.readAll(), bytes[] = {{}, good.left(good.size() * 2 / 3), "\x89PNG\r\n\x1a\nxxxxxxxx"};
            if (i % 4) QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write(bytes[i % 4 - 1]) >= 0 && broken.flush());
            const QString lastBox = p == "fce9" ? "主様の、お食事ぃいいいいい" : p == "fce0" ? "ま、眩しいっ…！"
                                  : p == "end" ? "うふふふふふ…"
                                  : p.size() == 5 ? "主様の御所望なさる「食事」に\r\n印を付けておきました\r\nその「食事」をメインに洗礼して下さい"
                                                  : "";
            const bool atStart = p == "stt" || (p.size() == 4 && p != "fce8" && p != "fce9" && p != "fce0");
            QString last;  // the last box before the error
            const QString error = Services::fatalOf([&] {
                Game g(folder);
                g.fallback = [] { return 0.0f; };
                QVERIFY2(!atStart, "the game started without a picture it shows at start-up");
                g.answers = {tk::vbYes};
                g.onBox = [&](const ShownBox& b) { last = b.prompt; };
                g->ImgStt_Click();
                if (p == "fce9") for (int d = 0; d < 6; ++d) g->DayTim.fire();
                if (p == "fce0") g->Ghb = 9, g->Week = 4, g->Day = 6, g->DayTim.fire();
                if (p == "end") g->Tousou_Su = 4, g->Sonzai = {false, false, false, false, true, true, true};
                if (p == "end" || p.size() == 5) g->Cp[p == "end" ? 5 : p[3].digitValue() - 1] = p.endsWith('k') ? 1000 : 0;
                if (p == "end" || p.size() == 5) g->Tim.fire();
            });
            QVERIFY2(error.contains(p + ".bmp", Qt::CaseInsensitive), qPrintable(p + ": " + error));
            QCOMPARE(last, lastBox);
        }
    }

    // Start-up checks every picture it sets but decodes only what is drawn:
    // the faces under the start picture wait until the raising screen.
    void picturesAreDecodedWhenFirstShown() {
        const int before = tk::pictureDecodes();
        auto decoded = [&] { return tk::pictureDecodes() - before; };
        Game g;
        g.fallback = [] { return 0.5f; };
        QCOMPARE(decoded(), 0);
        g->grab();
        QCOMPARE(decoded(), 1);
        g.raising();
        g->grab();
        QCOMPARE(decoded(), 8);
        g->Gamen_Ivent("fce8");
        g->grab();
        g->Gamen_Ikusei();
        g->grab();
        QCOMPARE(decoded(), 9);  // the faces are not read again
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
