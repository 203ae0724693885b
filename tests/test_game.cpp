// The game's rules: purification, the tick, the calendar, the pace, the
// meals' own scenes, the introduction, the wish, the weekly meal and the
// verdicts. Scripted draws make every case exact.
#include "harness.h"

#include <cmath>

namespace {
const float kMax = std::nextafter(1.0f, 0.0f);  // the largest draw below 1

// The raising screen with every meal at confidence 500 and blood 516, so
// that draws of 0 take exactly 16 blood from each in the next tick.
struct Level : Game {
    explicit Level(int wish = 0) {
        raising(wish);
        for (int i = 0; i < 7; ++i) fom->Cp[i] = 500, fom->Senrei(i, 516 - fom->Blood[i]);
    }
    // Meal i at confidence cp, with blood left at `after` by a tick of 0 draws.
    void set(int i, int cp, int after) {
        fom->Cp[i] = qint16(cp);
        fom->Senrei(i, after + int(std::floor(cp / 3.0 / 10)) - fom->Blood[i]);
    }
    void tick() {
        draws.insert(draws.end(), 7, 0.0f);
        fom->Jikan_Keika();
    }
};

// On the event screen of a weekly meal, as the calendar leaves it at day 7.
void atDaySeven(Fom& f) {
    f.Day = 7;
    f.Tim.setEnabled(false);
    f.DayTim.setEnabled(false);
}
}  // namespace

class GameTest : public QObject {
    Q_OBJECT
private slots:
    VELMORIA_SUITE_SLOTS

    // The first draw scales the confidence term, the second the 1..100
    // term; clamped at 1000 and at 0; no tick at the normal pace.
    void purification() {
        const struct { int cp, blood; float r1, r2; int after; } rows[] = {
            {0, 0, 0, 0, 101}, {0, 0, kMax, kMax, 299}, {500, 0, kMax, kMax, 249}, {1000, 0, kMax, kMax, 200},
            {500, 0, 0.5f, 0.1f, 136}, {500, 0, 0.1f, 0.5f, 156}, {500, 950, 0, 0, 1000}};
        for (const auto& r : rows) {
            Game g;
            g.raising();
            g->Cp[2] = qint16(r.cp);
            g->Senrei(2, r.blood - 100);
            g.draws = {r.r1, r.r2};
            g->ImgFce_Click(2);
            QCOMPARE(g->Blood[2], r.after);
            QVERIFY(g->BloodShp(2).rect() == QRectF(1, 0, 1, r.after) && g.taken == 2);
            g->Senrei(2, -2000);
            QCOMPARE(g->Blood[2], 0);
        }
    }

    void decay() {
        const struct { int cp; float r; int loss; } rows[] = {{500, 0, 16}, {500, kMax, 29}, {1000, kMax, 58}, {17, kMax, 0}, {18, kMax, 1}};
        for (const auto& r : rows) {
            Level l;
            l->Cp[3] = qint16(r.cp);
            l.draws = {0, 0, 0, r.r, 0, 0, 0};
            l->Jikan_Keika();
            QVERIFY2(l->Blood[3] == 516 - r.loss && l->Blood[0] == 500 && l.taken == 7, qPrintable(QString::number(r.cp)));
        }
    }

    // Each partner moves a confidence by the difference of blood over 50,
    // halves to the even neighbour, clamped to 0..1000 after every partner.
    void confidence() {
        const struct { int cp, offset, after; } rows[] = {  // offset: of meal 0's blood, after the decay
            {500, 25, 500}, {500, 75, 512}, {500, 125, 512}, {500, -75, 488}, {500, 49, 506}, {500, 484, 560},
            {995, 50, 1000}, {11, -400, 0}};
        for (const auto& r : rows) {
            Level l;
            l.set(0, r.cp, 500 + r.offset);
            l.tick();
            QCOMPARE(int(l->Cp[0]), r.after);
            QCOMPARE(l->CpShp(0).rect().height(), double(r.after));
        }
        Level l;
        l.set(0, 995, 500);
        l.set(1, 500, 0);   // +10 for meal 0, which reaches 1000 ...
        l.set(2, 0, 1000);  // ... before -10 here
        l.tick();
        QCOMPARE(l->Cp[0], qint16(990));
    }

    void fledMealsAreNoPartnersButStillMove() {
        Level l;
        for (int i = 1; i < 7; ++i) l->Sonzai[i] = false;
        l->Tousou_Su = 6;
        l->Senrei(4, 300);  // a fled meal with cleaner blood than the one left
        l.tick();
        QCOMPARE(l->Cp[0], qint16(500));  // compared with itself only
        QCOMPARE(l->Cp[4], qint16(506));  // (800 - 500) / 50 against meal 0
        QCOMPARE(l->Blood[4], 800);
        // Its monologue still comes, once, and its face stays away.
        l.set(4, 1000, 500);
        l.tick();
        QVERIFY(l.faces().value(0) == "fce5k" && l->Ghb == 1 && !l->ImgFce(4).Visible() && !l->Pic(4).Visible());
    }

    void flightAtTenNotEleven() {
        for (int cp : {11, 10}) {
            Level l(2);
            l.set(2, cp, 500);
            l.tick();
            QVERIFY(l->Sonzai[2] == (cp == 11) && l->Tousou_Su == (cp == 10));
        }
        Level l(2);
        l.set(2, 10, 500);
        l.tick();
        QVERIFY(l.faces() == QStringList({"fce3d"}) && l.allTimersOff());
        // Back on the raising screen without it; the marker stays.
        QVERIFY(!l->ImgFce(2).Visible() && !l->Pic(2).Visible() && l->ImgFce(1).Visible());
        QVERIFY(l->ShpGosyoumou->Visible() && l->Tim.running() && l->DayTim.running());
        l->Cp[2] = 0;  // fled for good
        l.tick();
        QCOMPARE(l->Tousou_Su, qint16(1));
    }

    void monologueAtFullConfidenceOncePerGame() {
        Level l;
        l.set(2, 999, 500);
        l.tick();
        QCOMPARE(l.size(), 0);
        l.set(2, 1000, 500);
        l.tick();
        QVERIFY(l.faces() == QStringList({"fce3k", "fce3k"}) && l->Ghb == 1);
        QCOMPARE(l->LblGhb->text(), QString("0"));  // shown at the next weekly meal
        QVERIFY(l->ImgFce(2).Visible() && l->Tim.running());
        l.set(2, 1000, 500);
        l.tick();
        QCOMPARE(l.size(), 2);
    }

    // Scenes of one tick run in index order. Four fled: two more in one tick
    // make six and the game goes on; one more makes five, and after the
    // tick's other scenes comes the dismissal.
    void scenesInOrderAndDismissalOnlyAtExactlyFive() {
        Level l;
        l.set(5, 10, 500), l.set(1, 10, 500), l.set(3, 1000, 500);
        l.tick();
        QStringList faces = l.faces();
        faces.removeDuplicates();
        QVERIFY(faces == QStringList({"fce2d", "fce4k", "fce6d"}) && l->Tousou_Su == 2);
        for (int fleeing : {2, 1}) {
            Level l;
            for (int i = 0; i < 4; ++i) l->Sonzai[i] = false;
            l->Tousou_Su = 4;
            for (int i = 4; i < 4 + fleeing; ++i) l.set(i, 10, 500);
            l.set(6, 1000, 500);
            l.tick();
            QCOMPARE(l->Tousou_Su, qint16(4 + fleeing));
            if (fleeing == 2) {
                QVERIFY(!l.faces().contains("fce8") && l->Tim.running() && !l->ImgStt->Visible());
                continue;
            }
            QCOMPARE(l.faces().indexOf("fce7k"), 2);
            QCOMPARE(l.faces().mid(6), QStringList({"fce8", "fce8", "fce8", "fce8"}));
            QCOMPARE(l[6].prompt, QString("仕方のない人…こんなに逃がしてしまうなんて…"));
            QVERIFY(l.allTimersOff());
            // The start screen on the end picture: no timer, no panel.
            QVERIFY(l->ImgStt->Visible() && pictureName(l->ImgStt->picture()) == "end");
            QVERIFY(!l->Tim.Enabled() && !l->DayTim.Enabled() && !l->Pic(0).Visible());
        }
    }

    // 軽い: a tick after each click (the purification clamps at 1000 before
    // the decay); 激重 and 重い tick on their own; a new game is 重い again.
    void paceOfTheTick() {
        Level l;
        l->Mnu11[0]->trigger();
        QVERIFY(l->Tim.Enabled() && !l->Tim.running() && l->DayTim.running());
        l->Senrei(0, 434);
        l.draws = {0, 0, 0, 0, 0, 0, 0, 0, 0};
        l->ImgFce_Click(0);
        QVERIFY(l.taken == 9 && l->Blood[0] == 1000 - 16);
        for (int i : {2, 1, 0}) l->Mnu11[i]->trigger();
        QCOMPARE(l->Tim.Interval(), 0);
        l->NewGame();
        QCOMPARE(l->Tim.Interval(), 500);
        l->Mnu11[2]->trigger();
        QCOMPARE(l->Tim.Interval(), 300);
    }

    // Days 1 to 7, the weekly meal on the seventh, then day 1 of the next
    // week; a scene in mid-week leaves the day where it was.
    void dayRhythm() {
        Game g;
        g.fallback = [] { return 0.0f; };
        g.raising();
        for (int day = 2; day <= 6; ++day) QVERIFY(g->DayTim.fire() && g->Day == day && g.size() == 0);
        QCOMPARE(g->LblDay->text(), QString("6"));
        QVERIFY(g->DayTim.fire());
        QVERIFY(g[0].face == "fce8" && g->Week == 2 && g.allTimersOff() && g->DayTim.running());
        QVERIFY(g->DayTim.fire() && g->Day == 1);
        g->Tousou_Ivent(6);
        QVERIFY(g->Day == 1 && g->DayTim.running());
    }

    void introduction() {
        for (int answer : {int(tk::vbNo), int(tk::vbYes)}) {
            Game g;
            g.answers = {answer};
            g.draws = {0.5f};  // the first wish: meal 3
            QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->client()->rect().center());
            // No to "have you been told?" brings the whole explanation.
            const int intro = answer == tk::vbNo ? 23 : 8;
            QCOMPARE(g.size(), intro + 2);
            QVERIFY(g[2].buttons == tk::vbYesNo && g[0].title.isEmpty() && g.allTimersOff());
            QCOMPARE(g.faces().mid(0, intro), QStringList(intro, "fce8"));
            QCOMPARE(g[intro - 1].prompt, QString("今夜はごゆっくりお休み下さい"));
            // The morning over the start picture, then the guide's notice.
            QVERIFY(g[intro].startPicture == "stt" && g[intro + 1].face == "fce8");
            QCOMPARE(g->ShpGosyoumou->rect(), QRectF(3, 0, 1, 1));
            QVERIFY(g->ShpGosyoumou->Visible() && !g->ImgStt->Visible() && !g->Img->Visible());
            QVERIFY(g->Tim.running() && g->DayTim.running());
        }
    }

    // Meal 6 is never wished; a fled meal is drawn again, unless none of
    // meals 0-5 is left, when the one draw stands.
    void wish() {
        const struct { int fled; std::deque<float> draws; int wish; } rows[] = {
            {0, {0.0f}, 0}, {0, {kMax}, 5}, {2, {0.0f, 0.2f, kMax}, 5}, {6, {0.5f}, 3}};
        for (const auto& r : rows) {
            Game g;
            g.raising();
            for (int i = 0; i < r.fled; ++i) g->Sonzai[i] = false;
            g->Tousou_Su = qint16(r.fled);
            g.draws = r.draws;
            g->Gamen_Ivent("fce8");
            g->DengonIvent();
            QVERIFY(g->Gosyoumou == r.wish && g->ShpGosyoumou->rect() == QRectF(r.wish, 0, 1, 1));
            QVERIFY(g.taken == int(r.draws.size()) && g->Tim.running());
        }
    }

    // The Master drinks: blood above the week's threshold pleases him (one
    // more reward), equal is so-so, below costs one; a fled wish costs 3
    // without a draw. Thresholds: 5w..10w-1, times 1 or 2.
    void weeklyMeal() {
        const struct { int week; float r1, r2; int threshold; } rows[] = {
            {1, 0, 0, 5}, {1, kMax, kMax, 18}, {2, 0, 0, 10}, {2, kMax, kMax, 38}, {3, 0, 0, 15}, {3, kMax, kMax, 58},
            {4, 0, 0, 20}, {4, kMax, kMax, 78}, {2, 0.5f, kMax, 30}, {2, kMax, 0, 19}, {1, 0, 0, -1}};
        const char* const words[] = {"ま・まずい！！", "ふむ、まあまあといったところじゃな。", "うむ・・・うまい"};
        for (const auto& r : rows)
            for (int offset : {1, 0, -1}) {
                Game g;
                g.fallback = [] { return 0.0f; };
                g.raising(4);
                g->Week = qint16(r.week);
                g->Ghb = 2;
                if (r.threshold < 0) g->Sonzai[4] = false;
                else g->Senrei(4, r.threshold + offset - 100);
                atDaySeven(*g);
                g.draws = {r.r1, r.r2};
                g->GosyoumouIvennt();
                const int reward = r.threshold < 0 ? -3 : offset;
                QVERIFY(g->Ghb == 2 + reward && g->LblGhb->text() == QString::number(2 + reward));
                QVERIFY(g[0].prompt == "主様の、お食事ぃいいいいい" && g[1].face == "fce9");
                QVERIFY(g[1].lines().contains(r.threshold < 0 ? "む…？余の「食事」がおらぬではないか。" : words[offset + 1]));
                QVERIFY(r.threshold >= 0 || g.taken == 1);  // only the next morning's wish
                QCOMPARE(g->Week, qint16(r.week + 1));
                QVERIFY(g.saw(r.week < 4 ? "朝になりました…" : "これより…申し開きの儀式を開幕します…。"));
                QCOMPARE(g->LblWeek->text(), QString::number(r.week < 4 ? r.week + 1 : 1));
                if (r.threshold < 0) break;
            }
    }

    // Each verdict at its boundaries, with the Master's first words and the
    // guide's after; then the end picture, and a click on it starts a game
    // afresh.
    void verdicts() {
        const QString high = "主様は、貴方をとても気に入られたようですね。", low = "がぶっ…むしゃむしゃ…",
                      middle = "また一緒にお仕事ができて嬉しいです。\r\nですが、気を抜いてはいけませんよ。";
        const struct { int ghb, fled; const char* words; const QString& closing; } rows[] = {
            {5, 0, "お前すごいじゃん、完璧じゃん！", high}, {5, 3, "うむ、よくやった。", high},
            {5, 4, "「食事」たちからの人気は最悪じゃが…", high}, {9, 7, "「食事」たちからの人気は最悪じゃが…", high},
            {4, 3, "可もなく不可もなく、といったところか。", middle}, {3, 2, "まあまあじゃな。", middle},
            {2, 3, "「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。", low}, {-5, 2, "お前はまるで駄目じゃな。", low}};
        for (const auto& r : rows) {
            Game g;
            g.raising();
            g->Ghb = qint16(r.ghb);
            g->Tousou_Su = qint16(r.fled);
            atDaySeven(*g);
            g->Gamen_Ivent("fce9");
            g->Hyouka_Ivent();
            QCOMPARE(g[1].prompt, QString("貴方の働きは、\r\nご褒美が%1、\r\n逃げ出した「食事」が%2、").arg(r.ghb).arg(r.fled));
            QVERIFY(g[3].lines().first() == r.words && g[3].face == "fce9" && g.saw(r.closing));
            QVERIFY(g.boxes.back().prompt == "エンＤ" && g.boxes.back().startPicture == "end" && g.allTimersOff());
            QVERIFY(g->ImgStt->Visible() && !g->Tim.Enabled() && !g->DayTim.Enabled());
        }
        Game g;
        g.fallback = [] { return 0.0f; };
        g.raising();
        g->Ghb = 5, g->Tousou_Su = 4, g->Week = 3, g->Sonzai[1] = false;
        g->Hyouka_Ivent();
        QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->client()->rect().center());
        QCOMPARE(g.state().section('|', 0, 0).section(' ', 0, 3), QString("1 1 0 0"));
        QVERIFY(g->Sonzai[1] && g->Tim.running() && g->Tim.Interval() == 500);
    }
};

QTEST_MAIN(GameTest)
#include "test_game.moc"
