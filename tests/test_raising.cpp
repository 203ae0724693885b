// The raising game: purification, the tick, the calendar, the difficulty
// menu and the meals' own scenes. Scripted draws make every case exact.
#include "harness.h"

#include <cmath>

namespace {
const float kMax = std::nextafter(1.0f, 0.0f);  // the largest draw below 1

// All meals at confidence 500 and blood 500 + offset; with draws of 0 every
// meal at 500 loses exactly 16 blood in the next tick.
void level(Fom& f) {
    for (int i = 0; i < 7; ++i) {
        f.Cp[i] = 500;
        f.Senrei(i, 516 - f.Blood[i]);
    }
}
}  // namespace

class RaisingTest : public QObject {
    Q_OBJECT
private slots:
    void purificationRanges_data() {
        QTest::addColumn<int>("cp");
        QTest::addColumn<float>("r1");
        QTest::addColumn<float>("r2");
        QTest::addColumn<int>("amount");
        QTest::newRow("cp0 low") << 0 << 0.0f << 0.0f << 101;
        QTest::newRow("cp0 high") << 0 << kMax << kMax << 299;
        QTest::newRow("cp500 high") << 500 << kMax << kMax << 249;
        QTest::newRow("cp1000 high") << 1000 << kMax << kMax << 200;
        QTest::newRow("cp1000 low") << 1000 << 0.0f << 0.0f << 101;
        // The first draw scales the confidence term, the second the 1..100 term.
        QTest::newRow("order") << 500 << 0.5f << 0.1f << 136;
        QTest::newRow("order swapped") << 500 << 0.1f << 0.5f << 156;
    }
    void purificationRanges() {
        QFETCH(int, cp);
        QFETCH(float, r1);
        QFETCH(float, r2);
        QFETCH(int, amount);
        Game g;
        Draws d;
        startRaising(*g);
        g->Cp[2] = qint16(cp);
        g->Senrei(2, -100);
        d << r1 << r2;
        g->ImgFce_Click(2);
        QCOMPARE(g->Blood[2], amount);
        QCOMPARE(g->BloodShp(2).rect().height(), double(amount));
        QCOMPARE(d.taken, 2);  // no tick at the normal pace
    }

    void bloodIsClampedAndTheBarFollows() {
        Game g;
        Draws d;
        startRaising(*g);
        g->Senrei(1, 850);
        d << 0.0f << 0.0f;
        g->ImgFce_Click(1);
        QCOMPARE(g->Blood[1], 1000);
        g->Senrei(1, -1000);
        QCOMPARE(g->Blood[1], 0);
        g->Senrei(1, 5);
        g->Senrei(1, -58);
        QCOMPARE(g->Blood[1], 0);
        QCOMPARE(g->BloodShp(1).rect(), QRectF(1, 0, 1, 0));
    }

    void decayBounds_data() {
        QTest::addColumn<int>("cp");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("loss");
        QTest::newRow("500 low") << 500 << 0.0f << 16;
        QTest::newRow("500 high") << 500 << kMax << 29;
        QTest::newRow("1000 low") << 1000 << 0.0f << 33;
        QTest::newRow("1000 high") << 1000 << kMax << 58;
        QTest::newRow("17 never") << 17 << kMax << 0;
        QTest::newRow("18 can") << 18 << kMax << 1;
    }
    void decayBounds() {
        QFETCH(int, cp);
        QFETCH(float, r);
        QFETCH(int, loss);
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        g->Cp[3] = qint16(cp);
        d << 0 << 0 << 0 << r << 0 << 0 << 0;
        g->Jikan_Keika();
        QCOMPARE(g->Blood[3], 516 - loss);
        QCOMPARE(g->Blood[0], 500);
        QCOMPARE(d.taken, 7);
    }

    void confidenceRoundsHalvesToEven_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("change");  // six partners with the same difference
        QTest::newRow("25 -> 0") << 25 << 0;
        QTest::newRow("75 -> 2") << 75 << 12;
        QTest::newRow("125 -> 2") << 125 << 12;
        QTest::newRow("-75 -> -2") << -75 << -12;
        QTest::newRow("-25 -> 0") << -25 << 0;
        QTest::newRow("49 -> 1") << 49 << 6;
        QTest::newRow("484 -> 10") << 484 << 60;
    }
    void confidenceRoundsHalvesToEven() {
        QFETCH(int, offset);
        QFETCH(int, change);
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        g->Senrei(0, offset);
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(int(g->Cp[0]), 500 + change);
        QCOMPARE(g->CpShp(0).rect().height(), double(g->Cp[0]));
    }

    void confidenceIsClampedAfterEachPartner() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        // After decay: meal 0 at 500, meal 1 at 0 (+10), meal 2 at 1000 (-10).
        g->Cp[0] = 995;
        g->Senrei(0, 533 - g->Blood[0]);
        g->Senrei(1, 16 - g->Blood[1]);
        g->Cp[2] = 0;
        g->Senrei(2, 1000);
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(g->Blood[0], 500);
        QCOMPARE(g->Cp[0], qint16(990));  // 995 +10 -> 1000, then -10
    }

    void fledMealsAreNoPartnersButStillMove() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        for (int i = 1; i < 7; ++i) g->Sonzai[i] = false;
        g->Tousou_Su = 6;
        g->Senrei(4, 300);  // a fled meal with cleaner blood than the one left
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(g->Cp[0], qint16(500));  // compared with itself only
        QCOMPARE(g->Cp[4], qint16(506));  // (800 - 500) / 50 against meal 0
        QCOMPARE(g->Blood[4], 800);       // and its blood decayed like any other
        QCOMPARE(b.size(), 0);

        // Its monologue still comes once, and it stays off the raising screen.
        g->Cp[4] = 1000;
        g->Senrei(4, 533 - g->Blood[4]);
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(b.shown.front().face, QString("fce5k"));
        QCOMPARE(g->Ghb, qint16(1));
        QVERIFY(!g->ImgFce(4).Visible() && !g->Pic(4).Visible());
        const int boxes = b.size();
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(b.size(), boxes);
    }

    void flightAtTenNotEleven() {
        for (int cp : {10, 11}) {
            Game g;
            Draws d;
            Boxes b(&*g);
            startRaising(*g, 2);
            level(*g);
            g->Cp[2] = qint16(cp);
            g->Senrei(2, -16);  // no decay below 18: level with the rest after the tick
            d.add(7, 0.0f);
            g->Jikan_Keika();
            QCOMPARE(g->Cp[2], qint16(cp));
            QCOMPARE(g->Sonzai[2], cp == 11);
            QCOMPARE(g->Tousou_Su, qint16(cp == 10 ? 1 : 0));
            if (cp == 10) {
                QCOMPARE(b.faces(), QStringList({"fce3d"}));
                QCOMPARE(b[0].lines().size(), 2);
                QVERIFY(b[0].prompt.contains("…探さないで下さい………"));
                // Back on the raising screen without meal 2; the marker stays.
                QVERIFY(!g->ImgFce(2).Visible() && !g->Pic(2).Visible());
                QVERIFY(g->ImgFce(1).Visible() && g->Pic(1).Visible());
                QVERIFY(g->ShpGosyoumou->Visible());
                QCOMPARE(g->ShpGosyoumou->rect(), QRectF(2, 0, 1, 1));
                QVERIFY(g->Tim.running() && g->DayTim.running());
                // Fled for good, whatever its confidence does now.
                g->Cp[2] = 0;
                d.add(7, 0.0f);
                g->Jikan_Keika();
                QCOMPARE(g->Tousou_Su, qint16(1));
            }
            QVERIFY(b.allTimersOff());
        }
    }

    void monologueAtFullConfidenceOncePerGame() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        g->Cp[2] = 999;
        g->Senrei(2, 17);  // loses 33, level with the rest
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(b.size(), 0);

        g->Cp[2] = 1000;
        g->Senrei(2, 33);
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(b.size(), 2);
        QCOMPARE(b.faces(), QStringList({"fce3k", "fce3k"}));
        QCOMPARE(b[1].lines().size(), 3);
        QVERIFY(b[1].prompt.contains("判りました。"));
        QCOMPARE(g->Ghb, qint16(1));
        QCOMPARE(g->LblGhb->text(), QString("0"));  // shown at the next weekly meal
        QVERIFY(g->Hitorigoto_Zumi[2]);
        QVERIFY(g->ImgFce(2).Visible() && g->Tim.running());

        g->Senrei(2, 33);
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(b.size(), 2);

        g->NewGame();
        QVERIFY(!g->Hitorigoto_Zumi[2]);
    }

    void twoScenesInOneTickRunInIndexOrder() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        for (int i : {5, 1}) {
            g->Cp[i] = 10;
            g->Senrei(i, -16);
        }
        g->Cp[3] = 1000;
        g->Senrei(3, 33);
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QStringList faces = b.faces();
        faces.removeDuplicates();
        QCOMPARE(faces, QStringList({"fce2d", "fce4k", "fce6d"}));
        QCOMPARE(g->Tousou_Su, qint16(2));
        QCOMPARE(g->Ghb, qint16(1));
        QVERIFY(b.allTimersOff());
    }

    void dismissalOnlyAtExactlyFive() {
        // Four fled, two more in one tick: six, and the game goes on.
        {
            Game g;
            Draws d;
            Boxes b(&*g);
            startRaising(*g);
            level(*g);
            for (int i = 0; i < 4; ++i) g->Sonzai[i] = false;
            g->Tousou_Su = 4;
            for (int i : {4, 5}) {
                g->Cp[i] = 10;
                g->Senrei(i, -16);
            }
            d.add(7, 0.0f);
            g->Jikan_Keika();
            QCOMPARE(g->Tousou_Su, qint16(6));
            QCOMPARE(b.faces(), QStringList({"fce5d", "fce5d", "fce6d", "fce6d", "fce6d", "fce6d"}));
            QVERIFY(g->Tim.running());
            d.add(7 * 20, 0.0f);
            for (int t = 0; t < 20; ++t) g->Jikan_Keika();
            QVERIFY(g->Tim.running());
            QVERIFY(!g->ImgStt->Visible());
        }
        // The fifth flight: the remaining meals' scenes, then the dismissal.
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        for (int i = 0; i < 4; ++i) g->Sonzai[i] = false;
        g->Tousou_Su = 4;
        g->Cp[4] = 10;
        g->Senrei(4, -16);
        g->Cp[6] = 1000;
        g->Senrei(6, 33);
        d.add(7, 0.0f);
        g->Jikan_Keika();
        QCOMPARE(g->Tousou_Su, qint16(5));
        QCOMPARE(b.size(), 2 + 4 + 4);
        QCOMPARE(b[2].face, QString("fce7k"));
        QCOMPARE(b[6].face, QString("fce8"));
        QCOMPARE(b[6].prompt, QString("仕方のない人…こんなに逃がしてしまうなんて…"));
        const QStringList third = b[8].lines();
        QCOMPARE(third.size(), 4);
        QCOMPARE(third[1], QString("首ですめばいいけどね…"));
        QCOMPARE(third[2], QString());
        for (const auto& box : b.shown) {
            QCOMPARE(box.title, QString(""));
            QCOMPARE(box.buttons, int(tk::vbOKOnly));
            QVERIFY(!box.prompt.contains("エンＤ"));
        }
        QVERIFY(b.allTimersOff());
        // The start screen, on the end picture; a click starts a new game.
        QVERIFY(g->ImgStt->Visible());
        QCOMPARE(pictureName(g->ImgStt->picture()), QString("end"));
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
        for (int i = 0; i < 7; ++i) QVERIFY(!g->Pic(i).Visible());
        QCOMPARE(g->client()->pictureAt(g->client()->rect().center()), g->ImgStt);
    }

    void everyMealsScenesHaveTheirShape() {
        const int monologue[7][4] = {{2, 1, 1}, {1, 1, 2, 1}, {2, 3}, {1, 2, 2, 1}, {1, 2, 1}, {1, 1, 1}, {1, 1, 3, 1}};
        const int farewell[7][4] = {{2}, {2, 2}, {2}, {1, 2}, {1, 2}, {1, 1, 1, 2}, {1, 2}};
        auto shape = [](const int (&row)[4]) {
            QList<int> s;
            for (int n : row)
                if (n) s << n;
            return s;
        };
        Game g;
        Boxes b(&*g);
        for (int i = 0; i < 7; ++i) {
            startRaising(*g);
            b.clear();
            g->Hitorigoto_Ivent(i);
            QList<int> lines;
            for (const auto& box : b.shown) {
                lines << int(box.lines().size());
                QCOMPARE(box.face, QString("fce%1k").arg(i + 1));
            }
            QCOMPARE(lines, shape(monologue[i]));
            b.clear();
            g->Tousou_Ivent(i);
            lines.clear();
            for (const auto& box : b.shown) {
                lines << int(box.lines().size());
                QCOMPARE(box.face, QString("fce%1d").arg(i + 1));
            }
            QCOMPARE(lines, shape(farewell[i]));
            QVERIFY(!g->Sonzai[i]);
        }
        QCOMPARE(g->Tousou_Su, qint16(1));  // one per game: each loop starts afresh
    }

    void intervalZeroTicksOncePerClick() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        level(*g);
        g->Mnu11[0]->trigger();
        QCOMPARE(g->Tim.Interval(), 0);
        QVERIFY(g->Tim.Enabled() && !g->Tim.running());
        QVERIFY(g->DayTim.running());  // days go on
        g->Senrei(0, 434);  // 950: the purification clamps at 1000 before the decay
        d << 0 << 0;
        d.add(7, 0.0f);
        g->ImgFce_Click(0);
        QCOMPARE(d.taken, 9);
        QCOMPARE(g->Blood[0], 1000 - 16);

        g->Mnu11[2]->trigger();
        QCOMPARE(g->Tim.Interval(), 300);
        QVERIFY(g->Tim.running());
        d << 0 << 0;
        g->ImgFce_Click(0);
        QCOMPARE(d.taken, 11);
        g->Mnu11[1]->trigger();
        g->Mnu11[1]->trigger();
        QCOMPARE(g->Tim.Interval(), 500);
        QCOMPARE(g->DayTim.Interval(), 3000);

        // A choice on the start screen does not carry into the next game.
        g->Form_Activate();
        g->Mnu11[0]->trigger();
        g->NewGame();
        QCOMPARE(g->Tim.Interval(), 500);
    }

    void versionBoxHoldsTheGameStill() {
        Game g;
        Boxes b(&*g);
        startRaising(*g);
        g->Mnu2->trigger();
        QCOMPARE(b.size(), 1);
        QCOMPARE(b[0].title, QString("ヴェルモリア"));
        QVERIFY(b[0].prompt.contains("ヴェルモリア"));
        QVERIFY(b[0].prompt.contains("バージョン"));
        QVERIFY(b[0].timersOff);
        QVERIFY(g->Tim.running() && g->DayTim.running());
        g->Gamen_Ivent("fce8");
        g->Form_Activate();  // on the start screen nothing starts afterwards
        g->Mnu2->trigger();
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
    }

    void dayRhythm() {
        Game g;
        Draws d;
        d.fallback = [] { return 0.0f; };
        Boxes b(&*g);
        startRaising(*g);
        g->Mnu11[0]->trigger();  // no ticks: only the calendar moves
        for (int day = 2; day <= 6; ++day) {
            QVERIFY(g->DayTim.fire());
            QCOMPARE(g->LblDay->text(), QString::number(day));
        }
        QCOMPARE(b.size(), 0);
        QVERIFY(g->DayTim.fire());  // day 7: the first weekly meal
        QCOMPARE(g->LblDay->text(), QString("7"));
        QVERIFY(b.size() > 0);
        QCOMPARE(b[0].face, QString("fce8"));
        QVERIFY(b.allTimersOff());
        QCOMPARE(g->Week, qint16(2));
        QVERIFY(g->DayTim.running());
        b.clear();
        for (int day : {1, 2, 3, 4, 5, 6}) {
            QVERIFY(g->DayTim.fire());
            QCOMPARE(g->Day, day);
        }
        QCOMPARE(b.size(), 0);
        QVERIFY(g->DayTim.fire());
        QCOMPARE(g->Week, qint16(3));

        // A scene in mid-week leaves the day where it was and restarts the timer.
        g->DayTim.fire();
        g->Tousou_Ivent(6);
        QCOMPARE(g->Day, 1);
        QVERIFY(g->DayTim.running());
    }
};

QTEST_MAIN(RaisingTest)
#include "test_raising.moc"
