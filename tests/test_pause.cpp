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

struct Cause {
    const char* name;
    bool overlay;  // the raising screen says it is paused
    std::function<void(Fom&)> begin, end;
};
}  // namespace

class PauseTest : public QObject {
    Q_OBJECT
private slots:
    void everyCauseHoldsBothTimersAndResumesAfresh() {
        QWidget other;  // another program's window, as far as focus goes
        other.setWindowTitle("other");
        const Cause causes[] = {
            {"minimised", true, [](Fom& f) { f.showMinimized(); }, [](Fom& f) { f.showNormal(); }},
            {"hidden", true, [](Fom& f) { f.hide(); },
             [&](Fom& f) {
                 f.show();
                 // offscreen hands the activation back only by way of another window
                 other.show();
                 other.activateWindow();
                 f.activateWindow();
                 other.hide();
             }},
            {"focus lost", true,
             [&](Fom&) {
                 other.show();
                 other.activateWindow();
             },
             [&](Fom& f) {
                 other.hide();
                 f.activateWindow();
             }},
            {"menu open (F10)", false, [](Fom& f) { QTest::keyClick(&f, Qt::Key_F10); },
             [](Fom& f) { f.Mnu0->hide(); }},
            {"player's pause (P)", true, [](Fom& f) { pressKey(&f, Qt::Key_P); },
             [](Fom& f) { pressKey(&f, Qt::Key_P); }},
            {"player's pause (menu item)", true, [](Fom& f) { f.Mnu3->trigger(); },
             [](Fom& f) { f.Mnu3->trigger(); }},
        };
        for (const Cause& c : causes) {
            Game g;
            startRaising(*g);
            g->activateWindow();
            QTRY_VERIFY(g->isActiveWindow());
            QTest::qWait(120);  // part of each interval has gone by
            c.begin(*g);
            QTRY_VERIFY2(held(*g), c.name);
            QCOMPARE(g->PicTeishi->isVisibleTo(&*g), c.overlay);
            c.end(*g);
            QTRY_VERIFY2(!g->PicTeishi->isVisibleTo(&*g), c.name);
            QVERIFY2(freshlyRunning(*g), c.name);
        }
    }

    void boxesOfTheMenuHoldWithoutTheOverlay() {
        Game g;
        Boxes b(&*g);
        std::vector<bool> heldDuring, overlayDuring;
        b.onBox = [&](const ShownBox&) {
            heldDuring.push_back(held(*g));
            overlayDuring.push_back(g->PicTeishi->isVisible());
        };
        startRaising(*g);
        g->Mnu2->trigger();
        QVERIFY(freshlyRunning(*g));
        g->Mnu4->trigger();
        QVERIFY(freshlyRunning(*g));
        QCOMPARE(b.size(), 2);
        QCOMPARE(b[1].title, QString("記録"));
        QCOMPARE(heldDuring, std::vector<bool>({true, true}));
        QCOMPARE(overlayDuring, std::vector<bool>({false, false}));
    }

    void causesOverlapAndTheGameKeepsItsOwnSwitches() {
        Game g;
        Boxes b(&*g);
        startRaising(*g);
        QWidget other;
        g->Mnu3->trigger();
        other.show();
        other.activateWindow();
        QTRY_VERIFY(tk::hold().heldBy(tk::Hold::Focus));
        g->activateWindow();
        QTRY_VERIFY(!tk::hold().heldBy(tk::Hold::Focus));
        QVERIFY(held(*g));  // the player's pause lasts until the player ends it
        QVERIFY(g->PicTeishi->isVisible());

        // Switches thrown while held are the ones in force afterwards.
        g->Gamen_Ivent("fce8");
        QVERIFY(!g->PicTeishi->isVisible());  // not on the event screen
        g->Mnu3->trigger();
        QVERIFY(!g->Tim.running() && !g->DayTim.running());
        g->Mnu3->trigger();
        g->Gamen_Ikusei();
        QVERIFY(g->PicTeishi->isVisible());
        g->Mnu3->trigger();
        QVERIFY(freshlyRunning(*g));

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
        QVERIFY(!tk::hold().held());
        QVERIFY(g->Tim.running());
    }

    void pausedAtIntervalZero() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        g->Mnu11[0]->trigger();
        pressKey(&*g, Qt::Key_P);
        QVERIFY(!g->DayTim.running() && !g->DayTim.fire());
        // Clicks and keys do nothing: no purification, no tick.
        QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->ImgFce(2).pixelRect().center());
        pressKey(&*g, Qt::Key_3);
        QCOMPARE(d.taken, 0);
        g->Mnu11[2]->trigger();  // a choice while paused waits for the end of it
        QVERIFY(!g->Tim.running());
        g->Mnu11[0]->trigger();
        pressKey(&*g, Qt::Key_P);
        QVERIFY(g->DayTim.running() && g->Tim.Enabled() && !g->Tim.running());
        d << 0 << 0;
        d.add(7, 0.0f);
        pressKey(&*g, Qt::Key_3);
        QCOMPARE(d.taken, 9);  // purified, then one tick
    }

    void pausedGamePlaysAsOneNeverPaused() {
        struct Run {
            std::vector<QString> boxes;
            QString state;
        };
        auto play = [](bool pausing, Run& r) {
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
                    const int way = int(step / 11 % 4);
                    if (way == 0) pressKey(&*g, Qt::Key_P);
                    if (way == 1) g->Mnu0->popup(QPoint());
                    if (way == 2) g->showMinimized();
                    if (way == 3) {
                        other.show();
                        other.activateWindow();
                        QTRY_VERIFY(tk::hold().heldBy(tk::Hold::Focus));
                    }
                    QVERIFY(tk::hold().held());
                    for (int i = 0; i < 7; ++i) {
                        QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->ImgFce(i).pixelRect().center());
                        pressKey(&*g, Qt::Key_1 + i);
                    }
                    g->Tim.fire();
                    g->DayTim.fire();
                    g->Mnu2->trigger();
                    if (way == 0) pressKey(&*g, Qt::Key_P);
                    if (way == 1) g->Mnu0->hide();
                    if (way == 2) g->showNormal();
                    if (way == 3) {
                        other.hide();
                        g->activateWindow();
                    }
                    QTRY_VERIFY(!tk::hold().held());
                }
                const int i = int(player() % 7);
                if (player() % 2 && g->ImgFce(i).Visible()) pressKey(&*g, Qt::Key_1 + i);
                g->Tim.fire();
                if (step % 6 == 5) g->DayTim.fire();
            }
            for (const ShownBox& box : b.shown)
                if (box.title != QString("ヴェルモリア")) r.boxes.push_back(box.face + ":" + box.prompt);
            QStringList s;
            for (int i = 0; i < 7; ++i) s << QString("%1/%2/%3").arg(g->Blood[i]).arg(g->Cp[i]).arg(g->Sonzai[i]);
            s << QString("day %1 week %2 ghb %3 fled %4 draws %5")
                     .arg(g->Day).arg(g->Week).arg(g->Ghb).arg(g->Tousou_Su).arg(d.taken);
            r.state = s.join(' ');
        };
        Run plain, paused;
        play(false, plain);
        play(true, paused);
        QVERIFY(plain.boxes.size() > 20);
        QCOMPARE(paused.state, plain.state);
        QVERIFY(paused.boxes == plain.boxes);
    }

    void keysPressAFaceAsTheMouseDoes() {
        Game g;
        Draws d;
        Boxes b(&*g);
        // On the start screen the faces are covered: no key acts.
        pressKey(&*g, Qt::Key_1);
        pressKey(&*g, Qt::Key_P);
        QCOMPARE(d.taken, 0);
        QVERIFY(!g->Mnu3->isChecked());

        startRaising(*g);
        key(&*g, QEvent::KeyPress, Qt::Key_4);
        QVERIFY(g->ShpFce(3).Visible() && g->ImgFce(3).border());
        key(&*g, QEvent::KeyPress, Qt::Key_4, true);  // auto-repeat
        key(&*g, QEvent::KeyRelease, Qt::Key_4, true);
        QVERIFY(g->ShpFce(3).Visible());
        QCOMPARE(d.taken, 0);
        d << 0.5f << 0.5f;
        key(&*g, QEvent::KeyRelease, Qt::Key_4);
        QVERIFY(!g->ShpFce(3).Visible() && !g->ImgFce(3).border());
        QCOMPARE(d.taken, 2);
        QCOMPARE(g->Blood[3], 100 + 25 + 51 + 100);

        // A fled meal's face is gone, and so is its key.
        g->Sonzai[6] = false;
        g->Gamen_Ikusei();
        pressKey(&*g, Qt::Key_7);
        QVERIFY(!g->ShpFce(6).Visible());
        QCOMPARE(d.taken, 2);

        // A scene starting while the key is down takes the face away: the
        // release comes, the click does not.
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

    void overlayCoversFacesAndPanels() {
        Game g;
        startRaising(*g);
        g->Mnu0->popup(QPoint());
        QVERIFY(g->Mnu3->isEnabled());  // on the raising screen
        g->Mnu0->hide();
        pressKey(&*g, Qt::Key_P);
        QVERIFY(g->Mnu3->isChecked());
        QWidget* c = g->client();
        QCOMPARE(g->PicTeishi->geometry(), c->rect());
        QCOMPARE(c->childAt(g->Pic(3).geometry().center()), g->PicTeishi);
        QCOMPARE(c->childAt(g->ImgFce(5).pixelRect().center()), g->PicTeishi);
        pressKey(&*g, Qt::Key_P);
        QVERIFY(!g->PicTeishi->isVisible());

        // Elsewhere the item is off and P does nothing.
        g->Gamen_Ivent("fce8");
        g->Form_Activate();
        g->Mnu0->popup(QPoint());
        QVERIFY(!g->Mnu3->isEnabled());
        g->Mnu0->hide();
        pressKey(&*g, Qt::Key_P);
        QVERIFY(!tk::hold().held());
    }
};

QTEST_MAIN(PauseTest)
#include "test_pause.moc"
