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

// The real clock, with intervals long enough that nothing fires meanwhile.
void slowClock(Fom& f) {
    tk::Timer::setManual(false);
    f.Tim.setInterval(60000);
    f.DayTim.setInterval(60000);
}

// Part of each interval has gone by.
bool partGone(Fom& f) {
    return f.Tim.remainingTime() < f.Tim.Interval() - 10 && f.DayTim.remainingTime() < f.DayTim.Interval() - 10;
}

// Both timers run again, each on an interval begun since `since` started: a
// timer that had run on would now be due sooner, however slow the machine.
bool freshlyRunning(Fom& f, const QElapsedTimer& since) {
    const auto fresh = [&](tk::Timer& t) { return t.running() && t.remainingTime() >= t.Interval() - since.elapsed() - 1; };
    return fresh(f.Tim) && fresh(f.DayTim);
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
            slowClock(*g);
            g->activateWindow();
            QTRY_VERIFY(g->isActiveWindow() && partGone(*g));
            QElapsedTimer since;
            since.start();
            c.begin(*g);
            if (b.size()) {
                QVERIFY2(heldDuringBox && !overlayDuringBox, c.name);
            } else {
                QTRY_VERIFY2(held(*g), c.name);
                QCOMPARE(g->PicTeishi->isVisibleTo(&*g), c.overlay);
            }
            c.end(*g);
            QTRY_VERIFY2(!g->PicTeishi->isVisibleTo(&*g), c.name);
            QVERIFY2(freshlyRunning(*g, since), c.name);
        }
    }

    void causesOverlapAndTheGameKeepsItsOwnSwitches() {
        Game g;
        Boxes b(&*g);
        startRaising(*g);
        slowClock(*g);
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
        QElapsedTimer since;
        since.start();
        g->Mnu3->trigger();
        QVERIFY(freshlyRunning(*g, since));
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

    // Keys 1-7 press a face as the mouse does: down flashes it, up purifies.
    // Steps: a key (1-7, P) pressed (v) or released (^), auto-repeated (r),
    // on the keypad (K) or with Ctrl, Alt or Meta (C, A, M); or a scene
    // starting, a box coming up (in which 2 and P are pressed), the start
    // screen.
    void keysPressFaces_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("purified");  // faces, in order
        QTest::addColumn<QString>("flashing");  // faces still down at the end
        QTest::addColumn<bool>("paused");
        QTest::newRow("a digit") << "4v 4^" << "4" << "" << false;
        QTest::newRow("on the keypad") << "4vK 4^K" << "4" << "" << false;
        QTest::newRow("with Ctrl") << "4vC 4^C" << "" << "" << false;
        QTest::newRow("with Alt") << "4vA 4^A" << "" << "" << false;
        QTest::newRow("with Meta") << "4vM 4^M" << "" << "" << false;
        QTest::newRow("held, auto-repeated") << "4v 4vr 4^r 4vr 4^" << "4" << "" << false;
        QTest::newRow("another key let go") << "4v 5^" << "" << "4" << false;
        QTest::newRow("a second digit lets the first go") << "4v 5v" << "" << "5" << false;
        QTest::newRow("a second digit, both let go") << "4v 5v 5^ 4^" << "5" << "" << false;
        QTest::newRow("P held") << "Pv Pvr" << "" << "" << true;
        QTest::newRow("held as the pause comes and goes") << "4v Pv P^ Pv P^ 4^" << "" << "" << false;
        QTest::newRow("held as a scene starts") << "1v scene 1^" << "" << "" << false;
        QTest::newRow("under the start picture") << "start 1v 1^" << "" << "" << false;
        QTest::newRow("in a box") << "box" << "" << "" << false;
    }
    void keysPressFaces() {
        QFETCH(QString, steps);
        QFETCH(QString, purified);
        QFETCH(QString, flashing);
        QFETCH(bool, paused);
        Game g;
        Draws d;
        d.fallback = [] { return 0.5f; };
        Boxes b(&*g);
        startRaising(*g);
        b.onBox = [&](const ShownBox&) {
            pressKey(&*g, Qt::Key_2);
            pressKey(&*g, Qt::Key_P);
        };
        QString done;
        for (const QString& step : steps.split(' ')) {
            if (step == "scene") g->Gamen_Ivent("fce8");
            if (step == "box") g->Mnu2->trigger();
            if (step == "start") g->Form_Activate();
            if (step.size() > 3 || (!step[0].isDigit() && step[0] != 'P')) continue;
            Qt::KeyboardModifiers mods;
            for (auto [flag, mod] : {std::pair{'K', Qt::KeypadModifier}, {'C', Qt::ControlModifier}, {'A', Qt::AltModifier}, {'M', Qt::MetaModifier}})
                if (step.contains(flag)) mods |= mod;
            const std::array<int, Fom::Meals> before = g->Blood;
            QKeyEvent e(step[1] == 'v' ? QEvent::KeyPress : QEvent::KeyRelease, step[0] == 'P' ? Qt::Key_P : Qt::Key_0 + step[0].digitValue(),
                        mods, QString(), step.contains('r'));
            QApplication::sendEvent(&*g, &e);
            for (int i = 0; i < Fom::Meals; ++i)
                if (g->Blood[i] != before[i]) done += QString::number(i + 1);
        }
        QCOMPARE(done, purified);
        QString down;
        for (int i = 0; i < Fom::Meals; ++i)
            if (g->ShpFce(i).Visible() || g->ImgFce(i).border()) down += QString::number(i + 1);
        QCOMPARE(down, flashing);
        QCOMPARE(g->Mnu3->isChecked(), paused);
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
