// Pausing: every cause of the hold, the overlay that says so, play from the
// keyboard, and a paused game playing exactly as one that never paused.
#include "harness.h"

#include <QDialog>
#include <QMenu>

#include <random>

namespace {
// Nothing is delivered, by the clock or by hand, yet the game's own
// switches stay as the game set them.
bool held(Fom& f) {
    return !f.Tim.running() && !f.DayTim.running() && !f.Tim.fire() && !f.DayTim.fire() &&
           f.Tim.Enabled() && f.DayTim.Enabled();
}

// Both timers run again, each a whole interval away from its next event.
bool freshlyRunning(Fom& f) {
    return f.Tim.running() && f.DayTim.running() && f.Tim.remainingTime() > f.Tim.Interval() - 100 &&
           f.DayTim.remainingTime() > f.DayTim.Interval() - 100;
}

void key(QWidget* w, QEvent::Type type, int k, bool autoRepeat = false) {
    QKeyEvent e(type, k, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
}

void pressKey(QWidget* w, int k) {
    key(w, QEvent::KeyPress, k);
    key(w, QEvent::KeyRelease, k);
}

// Another program's window takes the focus, or gives it back.
void otherProgram(QWidget& other, Fom& f, bool takes) {
    other.setVisible(takes);
    (takes ? static_cast<QWidget&>(other) : f).activateWindow();
}
}  // namespace

class PauseTest : public QObject {
    Q_OBJECT
private slots:
    void everyCauseHoldsBothTimersAndResumesAfresh() {
        QWidget other;
        const struct {
            const char* name;
            bool overlay;  // the raising screen says it is paused
            std::function<void(Fom&)> begin, end;
        } causes[] = {
            {"minimised", true, [](Fom& f) { f.showMinimized(); }, [](Fom& f) { f.showNormal(); }},
            {"hidden", true, [](Fom& f) { f.hide(); },
             [&](Fom& f) {
                 f.show();  // offscreen hands the focus back only by way of another window
                 otherProgram(other, f, true);
                 otherProgram(other, f, false);
             }},
            {"focus lost", true, [&](Fom& f) { otherProgram(other, f, true); },
             [&](Fom& f) { otherProgram(other, f, false); }},
            {"menu open (F10)", false, [](Fom& f) { QTest::keyClick(&f, Qt::Key_F10); },
             [](Fom& f) { f.Mnu0->hide(); }},
            {"player's pause (P)", true, [](Fom& f) { pressKey(&f, Qt::Key_P); },
             [](Fom& f) { pressKey(&f, Qt::Key_P); }},
            {"version box", false, [](Fom& f) { f.Mnu2->trigger(); }, [](Fom&) {}},
            {"record box", false, [](Fom& f) { f.Mnu4->trigger(); }, [](Fom&) {}},
        };
        for (const auto& c : causes) {
            Game g;
            Boxes b(&*g);
            bool heldDuringBox = false, overlayDuringBox = true;
            b.onBox = [&](const ShownBox&) {
                heldDuringBox = held(*g);
                overlayDuringBox = g->PicTeishi->isVisible();
            };
            startRaising(*g);
            g->activateWindow();
            QTRY_VERIFY(g->isActiveWindow());
            QTest::qWait(120);  // part of each interval has gone by
            c.begin(*g);
            if (b.size()) {
                QVERIFY2(heldDuringBox && !overlayDuringBox, c.name);
            } else {
                QTRY_VERIFY2(held(*g), c.name);
                QCOMPARE(g->PicTeishi->isVisibleTo(&*g), c.overlay);
            }
            c.end(*g);
            QTRY_VERIFY2(!g->PicTeishi->isVisibleTo(&*g), c.name);
            QVERIFY2(freshlyRunning(*g), c.name);
        }
    }

    void causesOverlapAndTheGameKeepsItsOwnSwitches() {
        Game g;
        Boxes b(&*g);
        startRaising(*g);
        QWidget other;
        g->Mnu3->trigger();
        otherProgram(other, *g, true);
        QTRY_VERIFY(tk::hold().heldBy(tk::Hold::Focus));
        otherProgram(other, *g, false);
        QTRY_VERIFY(!tk::hold().heldBy(tk::Hold::Focus));
        QVERIFY(held(*g));  // the player's pause lasts until the player ends it
        // Switches thrown while held are the ones in force afterwards; the
        // overlay, over faces and panels, shows on the raising screen only.
        g->Gamen_Ivent("fce8");
        QVERIFY(!g->PicTeishi->isVisible());
        g->Gamen_Ikusei();
        QCOMPARE(g->client()->childAt(g->Pic(3).geometry().center()), g->PicTeishi);
        g->Mnu3->trigger();
        QVERIFY(freshlyRunning(*g));
        // Off the raising screen the pause cannot be begun.
        g->Form_Activate();
        pressKey(&*g, Qt::Key_P);
        QVERIFY(!tk::hold().held());
    }

    void ownBoxesKeepTheFocus() {
        Game g;
        startRaising(*g);
        g->activateWindow();
        QTRY_VERIFY(g->isActiveWindow());
        QDialog box(&*g);
        box.show();
        box.activateWindow();
        QTRY_VERIFY(box.isActiveWindow());
        QVERIFY(!tk::hold().held() && g->Tim.running());
    }

    void pausedGamePlaysAsOneNeverPaused() {
        auto play = [](bool pausing, QStringList& s) {
            Game g;
            Draws d;
            std::mt19937 rng(99);
            d.fallback = [&] { return float(rng() >> 8) / 16777216.0f; };
            Boxes b(&*g);
            QWidget other;
            b.answers.push_back(tk::vbYes);
            QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->client()->rect().center());
            g->activateWindow();
            QTRY_VERIFY_WITH_TIMEOUT(g->isActiveWindow(), 2000);
            std::mt19937 player(5);
            for (int step = 0; step < 600 && !g->ImgStt->Visible(); ++step) {
                if (pausing && step % 11 == 3) {
                    // Every way of pausing, and every way of trying to play on.
                    const int way = step / 11 % 4;
                    if (way == 0) pressKey(&*g, Qt::Key_P);
                    if (way == 1) g->Mnu0->popup(QPoint());
                    if (way == 2) g->showMinimized();
                    if (way == 3) otherProgram(other, *g, true);
                    QTRY_VERIFY(tk::hold().held());
                    for (int i = 0; i < 7; ++i) {
                        QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->ImgFce(i).pixelRect().center());
                        pressKey(&*g, Qt::Key_1 + i);
                    }
                    g->Tim.fire();
                    g->DayTim.fire();
                    if (way == 0) pressKey(&*g, Qt::Key_P);
                    if (way == 1) g->Mnu0->hide();
                    if (way == 2) g->showNormal();
                    if (way == 3) otherProgram(other, *g, false);
                    QTRY_VERIFY(!tk::hold().held());
                }
                const int i = int(player() % 7);
                if (player() % 2 && g->ImgFce(i).Visible()) pressKey(&*g, Qt::Key_1 + i);
                g->Tim.fire();
                if (step % 6 == 5) g->DayTim.fire();
            }
            for (const ShownBox& box : b.shown) s << box.face + ":" + box.prompt;
            for (int i = 0; i < 7; ++i) s << QString("%1/%2/%3").arg(g->Blood[i]).arg(g->Cp[i]).arg(g->Sonzai[i]);
            s << QString("day %1 week %2 ghb %3 draws %4").arg(g->Day).arg(g->Week).arg(g->Ghb).arg(d.taken);
        };
        QStringList plain, paused;
        play(false, plain);
        play(true, paused);
        QVERIFY(plain.size() > 30);
        QCOMPARE(paused, plain);
    }

    void keysPressAFaceAsTheMouseDoes() {
        Game g;
        Draws d;
        Boxes b(&*g);
        pressKey(&*g, Qt::Key_1);  // the start picture covers the faces
        QCOMPARE(d.taken, 0);

        startRaising(*g);
        key(&*g, QEvent::KeyPress, Qt::Key_4);
        QVERIFY(g->ShpFce(3).Visible() && g->ImgFce(3).border());
        key(&*g, QEvent::KeyPress, Qt::Key_4, true);  // auto-repeat
        key(&*g, QEvent::KeyRelease, Qt::Key_4, true);
        QVERIFY(g->ShpFce(3).Visible());
        key(&*g, QEvent::KeyRelease, Qt::Key_5);  // another key's release
        QCOMPARE(d.taken, 0);
        d << 0.5f << 0.5f;
        key(&*g, QEvent::KeyRelease, Qt::Key_4);
        QVERIFY(!g->ShpFce(3).Visible() && !g->ImgFce(3).border());
        QCOMPARE(g->Blood[3], 100 + 25 + 51 + 100);

        // A scene starting while the key is down: the release comes, the click not.
        key(&*g, QEvent::KeyPress, Qt::Key_1);
        g->Gamen_Ivent("fce8");
        key(&*g, QEvent::KeyRelease, Qt::Key_1);
        QVERIFY(!g->ImgFce(0).border());
        QCOMPARE(d.taken, 2);

        // No key while a box is up.
        g->Gamen_Ikusei();
        b.onBox = [&](const ShownBox&) {
            pressKey(&*g, Qt::Key_2);
            pressKey(&*g, Qt::Key_P);
        };
        g->Mnu2->trigger();
        QCOMPARE(d.taken, 2);
        QVERIFY(!g->Mnu3->isChecked());
    }

    // Return and Space start a game on the start screen and press the face
    // with the focus, which Tab and the arrows move among those shown; only
    // a press this window had counts.
    void returnSpaceAndTheFocus() {
        Game g;
        Draws d;
        d.fallback = [] { return 0.5f; };
        Boxes b(&*g);
        key(&*g, QEvent::KeyPress, Qt::Key_Return, true);  // held on after a box
        key(&*g, QEvent::KeyRelease, Qt::Key_Return);
        QCOMPARE(b.size(), 0);
        b.answers = {tk::vbYes};
        pressKey(&*g, Qt::Key_Space);
        QVERIFY(b.size() == 10 && g->Ikusei() && !g->ShpWaku->Visible());
        g->Sonzai[1] = false;
        g->Gamen_Ikusei();
        QList<int> focus;
        for (int k : {Qt::Key_Tab, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left, Qt::Key_Backtab}) {
            key(&*g, QEvent::KeyPress, k);
            focus << g->Waku();
        }
        QCOMPARE(focus, QList<int>({0, 2, 0, 6, 5}));
        QVERIFY(g->ShpWaku->Visible() && g->ShpWaku->rect().intersects(g->ImgFce(5).rect()));
        key(&*g, QEvent::KeyPress, Qt::Key_Return);
        QVERIFY(g->ShpFce(5).Visible());
        const int blood = g->Blood[5];
        key(&*g, QEvent::KeyRelease, Qt::Key_Return);
        QVERIFY(!g->ShpFce(5).Visible() && g->Blood[5] > blood);
        // A fled meal's focus goes to the next one to its right, else the
        // last one to its left.
        g->Tousou_Ivent(5);
        QCOMPARE(g->Waku(), 6);
        g->Tousou_Ivent(6);
        QCOMPARE(g->Waku(), 4);
    }
};

QTEST_MAIN(PauseTest)
#include "test_pause.moc"
