// The raising game: purification, the tick, the calendar, the pace and the
// meals' own scenes. Scripted draws make every case exact.
#include "harness.h"

#include <cmath>

namespace {
const float kMax = std::nextafter(1.0f, 0.0f);  // the largest draw below 1

// The raising screen with every meal at confidence 500 and blood 516, so
// that draws of 0 take exactly 16 blood from each in the next tick.
struct Level {
    Game g;
    Draws d;
    Boxes b{&*g};
    explicit Level(int wish = 0) {
        startRaising(*g, wish);
        for (int i = 0; i < 7; ++i) {
            g->Cp[i] = 500;
            g->Senrei(i, 516 - g->Blood[i]);
        }
    }
    // Meal i at confidence cp, with blood left at `after` by a tick of 0 draws.
    void set(int i, int cp, int after) {
        g->Cp[i] = qint16(cp);
        const int loss = int(std::floor(cp / 3.0 / 10));
        g->Senrei(i, after + loss - g->Blood[i]);
    }
    void tick() {
        d.add(7, 0.0f);
        g->Jikan_Keika();
    }
};
}  // namespace

class RaisingTest : public QObject {
    Q_OBJECT
private slots:
    void purification_data() {
        QTest::addColumn<int>("cp");
        QTest::addColumn<int>("blood");
        QTest::addColumn<float>("r1");
        QTest::addColumn<float>("r2");
        QTest::addColumn<int>("after");
        QTest::newRow("cp0 low") << 0 << 0 << 0.0f << 0.0f << 101;
        QTest::newRow("cp0 high") << 0 << 0 << kMax << kMax << 299;
        QTest::newRow("cp500 high") << 500 << 0 << kMax << kMax << 249;
        QTest::newRow("cp1000 high") << 1000 << 0 << kMax << kMax << 200;
        // The first draw scales the confidence term, the second the 1..100 term.
        QTest::newRow("order") << 500 << 0 << 0.5f << 0.1f << 136;
        QTest::newRow("order swapped") << 500 << 0 << 0.1f << 0.5f << 156;
        QTest::newRow("clamped at 1000") << 500 << 950 << 0.0f << 0.0f << 1000;
    }
    void purification() {
        QFETCH(int, cp);
        QFETCH(int, blood);
        QFETCH(float, r1);
        QFETCH(float, r2);
        QFETCH(int, after);
        Game g;
        Draws d;
        startRaising(*g);
        g->Cp[2] = qint16(cp);
        g->Senrei(2, blood - 100);
        d << r1 << r2;
        g->ImgFce_Click(2);
        QCOMPARE(g->Blood[2], after);
        QCOMPARE(g->BloodShp(2).rect(), QRectF(1, 0, 1, after));
        QCOMPARE(d.taken, 2);  // no tick at the normal pace
        g->Senrei(2, -2000);
        QCOMPARE(g->Blood[2], 0);
    }

    void decay_data() {
        QTest::addColumn<int>("cp");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("loss");
        QTest::newRow("500 low") << 500 << 0.0f << 16;
        QTest::newRow("500 high") << 500 << kMax << 29;
        QTest::newRow("1000 high") << 1000 << kMax << 58;
        QTest::newRow("17 never") << 17 << kMax << 0;
        QTest::newRow("18 can") << 18 << kMax << 1;
    }
    void decay() {
        QFETCH(int, cp);
        QFETCH(float, r);
        QFETCH(int, loss);
        Level l;
        l.g->Cp[3] = qint16(cp);
        l.d << 0 << 0 << 0 << r << 0 << 0 << 0;
        l.g->Jikan_Keika();
        QCOMPARE(l.g->Blood[3], 516 - loss);
        QCOMPARE(l.g->Blood[0], 500);
        QCOMPARE(l.d.taken, 7);
    }

    // Each partner moves a confidence by the difference of blood over 50,
    // halves to the even neighbour, clamped to 0..1000 after every partner.
    void confidence_data() {
        QTest::addColumn<int>("cp");
        QTest::addColumn<int>("offset");  // of meal 0's blood, after the decay
        QTest::addColumn<int>("after");
        QTest::newRow("25 -> 0") << 500 << 25 << 500;
        QTest::newRow("75 -> 2") << 500 << 75 << 512;
        QTest::newRow("125 -> 2") << 500 << 125 << 512;
        QTest::newRow("-75 -> -2") << 500 << -75 << 488;
        QTest::newRow("49 -> 1") << 500 << 49 << 506;
        QTest::newRow("484 -> 10") << 500 << 484 << 560;
        QTest::newRow("clamped to 1000") << 995 << 50 << 1000;
        QTest::newRow("clamped to 0") << 11 << -400 << 0;
    }
    void confidence() {
        QFETCH(int, cp);
        QFETCH(int, offset);
        QFETCH(int, after);
        Level l;
        l.set(0, cp, 500 + offset);
        l.tick();
        QCOMPARE(int(l.g->Cp[0]), after);
        QCOMPARE(l.g->CpShp(0).rect().height(), double(after));
    }

    void clampedAfterEachPartner() {
        Level l;
        l.set(0, 995, 500);
        l.set(1, 500, 0);     // +10 for meal 0, which reaches 1000 ...
        l.set(2, 0, 1000);    // ... before -10 here
        l.tick();
        QCOMPARE(l.g->Cp[0], qint16(990));
    }

    void fledMealsAreNoPartnersButStillMove() {
        Level l;
        for (int i = 1; i < 7; ++i) l.g->Sonzai[i] = false;
        l.g->Tousou_Su = 6;
        l.g->Senrei(4, 300);  // a fled meal with cleaner blood than the one left
        l.tick();
        QCOMPARE(l.g->Cp[0], qint16(500));  // compared with itself only
        QCOMPARE(l.g->Cp[4], qint16(506));  // (800 - 500) / 50 against meal 0
        QCOMPARE(l.g->Blood[4], 800);
        // Its monologue still comes, once, and its face stays away.
        l.set(4, 1000, 500);
        l.tick();
        QCOMPARE(l.b.faces().value(0), QString("fce5k"));
        QCOMPARE(l.g->Ghb, qint16(1));
        QVERIFY(!l.g->ImgFce(4).Visible() && !l.g->Pic(4).Visible());
    }

    void flightAtTenNotEleven() {
        for (int cp : {10, 11}) {
            Level l(2);
            l.set(2, cp, 500);
            l.tick();
            QCOMPARE(l.g->Sonzai[2], cp == 11);
            QCOMPARE(l.g->Tousou_Su, qint16(cp == 10 ? 1 : 0));
            if (cp == 11) continue;
            QCOMPARE(l.b.faces(), QStringList({"fce3d"}));
            QVERIFY(l.b.allTimersOff());
            // Back on the raising screen without it; the marker stays.
            QVERIFY(!l.g->ImgFce(2).Visible() && !l.g->Pic(2).Visible() && l.g->ImgFce(1).Visible());
            QVERIFY(l.g->ShpGosyoumou->Visible() && l.g->Tim.running() && l.g->DayTim.running());
            l.g->Cp[2] = 0;  // fled for good
            l.tick();
            QCOMPARE(l.g->Tousou_Su, qint16(1));
        }
    }

    void monologueAtFullConfidenceOncePerGame() {
        Level l;
        l.set(2, 999, 500);
        l.tick();
        QCOMPARE(l.b.size(), 0);
        l.set(2, 1000, 500);
        l.tick();
        QCOMPARE(l.b.faces(), QStringList({"fce3k", "fce3k"}));
        QCOMPARE(l.g->Ghb, qint16(1));
        QCOMPARE(l.g->LblGhb->text(), QString("0"));  // shown at the next weekly meal
        QVERIFY(l.g->ImgFce(2).Visible() && l.g->Tim.running());
        l.set(2, 1000, 500);
        l.tick();
        QCOMPARE(l.b.size(), 2);
        l.g->NewGame();
        QVERIFY(!l.g->Hitorigoto_Zumi[2]);
    }

    void scenesOfOneTickRunInIndexOrder() {
        Level l;
        l.set(5, 10, 500);
        l.set(1, 10, 500);
        l.set(3, 1000, 500);
        l.tick();
        QStringList faces = l.b.faces();
        faces.removeDuplicates();
        QCOMPARE(faces, QStringList({"fce2d", "fce4k", "fce6d"}));
        QCOMPARE(l.g->Tousou_Su, qint16(2));
    }

    // Four fled: two more in one tick make six and the game goes on; one
    // more makes five, and after the tick's other scenes comes the dismissal.
    void dismissalOnlyAtExactlyFive() {
        for (int fleeing : {2, 1}) {
            Level l;
            for (int i = 0; i < 4; ++i) l.g->Sonzai[i] = false;
            l.g->Tousou_Su = 4;
            for (int i = 4; i < 4 + fleeing; ++i) l.set(i, 10, 500);
            l.set(6, 1000, 500);
            l.tick();
            QCOMPARE(l.g->Tousou_Su, qint16(4 + fleeing));
            const QStringList faces = l.b.faces();
            if (fleeing == 2) {
                QVERIFY(!faces.contains("fce8") && l.g->Tim.running() && !l.g->ImgStt->Visible());
                continue;
            }
            QCOMPARE(faces.indexOf("fce7k"), 2);
            QCOMPARE(faces.mid(6), QStringList({"fce8", "fce8", "fce8", "fce8"}));
            QCOMPARE(l.b[6].prompt, QString("仕方のない人…こんなに逃がしてしまうなんて…"));
            QVERIFY(l.b.allTimersOff());
            // The start screen on the end picture: no timer, no panel.
            QVERIFY(l.g->ImgStt->Visible() && pictureName(l.g->ImgStt->picture()) == "end");
            QVERIFY(!l.g->Tim.Enabled() && !l.g->DayTim.Enabled() && !l.g->Pic(0).Visible());
        }
    }

    // 軽い: a tick after each click (the purification clamps at 1000 before
    // the decay); 激重 and 重い tick on their own; a new game is 重い again.
    void paceOfTheTick() {
        Level l;
        l.g->Mnu11[0]->trigger();
        QVERIFY(l.g->Tim.Enabled() && !l.g->Tim.running() && l.g->DayTim.running());
        l.g->Senrei(0, 434);
        l.d << 0 << 0;
        l.d.add(7, 0.0f);
        l.g->ImgFce_Click(0);
        QCOMPARE(l.d.taken, 9);
        QCOMPARE(l.g->Blood[0], 1000 - 16);
        for (int i : {2, 1, 0}) l.g->Mnu11[i]->trigger();
        QCOMPARE(l.g->Tim.Interval(), 0);
        l.g->NewGame();
        QCOMPARE(l.g->Tim.Interval(), 500);
        l.g->Mnu11[2]->trigger();
        QCOMPARE(l.g->Tim.Interval(), 300);
    }

    // Days 1 to 7, the weekly meal on the seventh, then day 1 of the next
    // week; a scene in mid-week leaves the day where it was.
    void dayRhythm() {
        Game g;
        Draws d;
        d.fallback = [] { return 0.0f; };
        Boxes b(&*g);
        startRaising(*g);
        for (int day = 2; day <= 6; ++day) QVERIFY(g->DayTim.fire() && g->Day == day && b.size() == 0);
        QCOMPARE(g->LblDay->text(), QString("6"));
        QVERIFY(g->DayTim.fire());
        QVERIFY(b[0].face == "fce8" && g->Week == 2 && b.allTimersOff() && g->DayTim.running());
        QVERIFY(g->DayTim.fire() && g->Day == 1);
        g->Tousou_Ivent(6);
        QVERIFY(g->Day == 1 && g->DayTim.running());
    }
};

QTEST_MAIN(RaisingTest)
#include "test_raising.moc"
