// The story frame: introduction, morning notice, weekly meal, evaluation,
// and whole games from the start picture to an ending and back.
#include "harness.h"

#include <cmath>

namespace {
const float kMax = std::nextafter(1.0f, 0.0f);

int countOf(const Box& b) { return int(b.size()); }

// On the event screen of a weekly meal, as the calendar leaves it at day 7.
void atDaySeven(Fom& f) {
    f.Day = 7;
    f.Tim.setEnabled(false);
    f.DayTim.setEnabled(false);
}
}  // namespace

class StoryTest : public QObject {
    Q_OBJECT
private slots:
    void introductionPaths() {
        for (int answer : {int(tk::vbNo), int(tk::vbYes)}) {
            Game g;
            Draws d;
            Boxes b(&*g);
            b.answers.push_back(answer);
            d << 0.5f;  // the first wish: meal 3
            QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->client()->rect().center());
            const int intro = answer == tk::vbNo ? 23 : 8;
            QCOMPARE(b.size(), intro + 2);
            for (int i = 0; i < intro; ++i) {
                QCOMPARE(b[i].face, QString("fce8"));
                QCOMPARE(b[i].buttons, int(i == 2 ? tk::vbYesNo : tk::vbOKOnly));
                QCOMPARE(b[i].title, QString(""));
            }
            QVERIFY(b.allTimersOff());
            QCOMPARE(b[2].lines().value(1), QString("此処での日々への説明はお受けしましたか…？"));
            QCOMPARE(b[intro - 3].prompt, QString("………"));
            QCOMPARE(b[intro - 1].prompt, QString("今夜はごゆっくりお休み下さい"));
            if (answer == tk::vbNo) QCOMPARE(b[3].lines().size(), 2);
            else QCOMPARE(b[3].prompt, b[intro - 5].prompt);
            // The morning notice over the start picture, then the guide's notice.
            QCOMPARE(b[intro].prompt, QString("朝になりました…"));
            QCOMPARE(b[intro].startPicture, QString("stt"));
            QCOMPARE(b[intro + 1].lines(),
                     QStringList({"主様の御所望なさる「食事」に", "印を付けておきました",
                                  "その「食事」をメインに洗礼して下さい"}));
            QCOMPARE(b[intro + 1].face, QString("fce8"));
            QVERIFY(b[intro + 1].startPicture.isEmpty());
            // Raising screen, the marker on the wish, the clock running.
            QCOMPARE(g->Gosyoumou, qint16(3));
            QCOMPARE(g->ShpGosyoumou->rect(), QRectF(3, 0, 1, 1));
            QVERIFY(g->ShpGosyoumou->Visible() && !g->ImgStt->Visible() && !g->Img->Visible());
            for (int i = 0; i < 7; ++i) QVERIFY(g->ImgFce(i).Visible() && g->Pic(i).Visible());
            QVERIFY(g->Tim.running() && g->DayTim.running());
            QCOMPARE(g->Tim.Interval(), 500);
        }
    }

    void wishSkipsFledMealsAndNeverMealSix() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        g->Sonzai[0] = g->Sonzai[1] = false;
        g->Tousou_Su = 2;
        d << 0.0f << 0.2f << kMax;  // meal 0, meal 1 (both gone), then meal 5
        g->Gamen_Ivent("fce8");
        g->DengonIvent();
        QCOMPARE(g->Gosyoumou, qint16(5));
        QCOMPARE(d.taken, 3);
        // The same meal may be wished again.
        d << 0.9f;
        g->DengonIvent();
        QCOMPARE(g->Gosyoumou, qint16(5));
    }

    void noMealLeftToWishDoesNotLoop() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        for (int i = 0; i < 6; ++i) g->Sonzai[i] = false;
        g->Tousou_Su = 6;
        d << 0.5f;
        g->Gamen_Ivent("fce8");
        g->DengonIvent();
        QCOMPARE(d.taken, 1);
        QCOMPARE(g->Gosyoumou, qint16(3));
        QVERIFY(g->Tim.running());
        // The weekly meal then finds the wished meal gone: no draws, -3.
        b.clear();
        atDaySeven(*g);
        d << 0.5f;  // the next notice's single draw
        g->GosyoumouIvennt();
        QCOMPARE(g->Ghb, qint16(-3));
        QCOMPARE(d.taken, 2);
        QCOMPARE(g->LblGhb->text(), QString("-3"));
    }

    void thresholdsPerWeek_data() {
        QTest::addColumn<int>("week");
        QTest::addColumn<float>("r1");
        QTest::addColumn<float>("r2");
        QTest::addColumn<int>("threshold");
        for (int w = 1; w <= 4; ++w) {
            QTest::newRow(qPrintable(QString("week %1 low").arg(w))) << w << 0.0f << 0.0f << 5 * w;
            QTest::newRow(qPrintable(QString("week %1 high").arg(w))) << w << kMax << kMax << 2 * (10 * w - 1);
        }
        QTest::newRow("r1 before r2") << 2 << 0.5f << kMax << 2 * 15;
        QTest::newRow("r2 after r1") << 2 << kMax << 0.0f << 19;
    }
    void thresholdsPerWeek() {
        QFETCH(int, week);
        QFETCH(float, r1);
        QFETCH(float, r2);
        QFETCH(int, threshold);
        const struct {
            int offset;
            int reward;
            const Box* box;
        } outcomes[] = {{1, 1, &serifu::Umai}, {0, 0, &serifu::Mamaa}, {-1, -1, &serifu::Mazui}};
        for (const auto& o : outcomes) {
            Game g;
            Draws d;
            d.fallback = [] { return 0.0f; };
            Boxes b(&*g);
            startRaising(*g, 4);
            g->Week = qint16(week);
            g->Ghb = 2;
            g->Senrei(4, threshold + o.offset - 100);
            atDaySeven(*g);
            d << r1 << r2;
            g->GosyoumouIvennt();
            QCOMPARE(b[0].prompt, QString("主様の、お食事ぃいいいいい"));
            QCOMPARE(b[0].face, QString("fce8"));
            QCOMPARE(b[1].face, QString("fce9"));
            QCOMPARE(b[1].lines().size(), countOf(*o.box));
            QCOMPARE(b[1].lines().first(), QString::fromUtf8(o.box->front()));
            QCOMPARE(g->Ghb, qint16(2 + o.reward));
            QCOMPARE(g->LblGhb->text(), QString::number(2 + o.reward));
            QCOMPARE(g->Blood[4], threshold + o.offset);  // the meal keeps its blood
            QCOMPARE(g->Week, qint16(week + 1));
            if (week < 4) {
                QCOMPARE(g->LblWeek->text(), QString::number(week + 1));
                QCOMPARE(b[2].prompt, QString("朝になりました…"));
                QVERIFY(g->Tim.running() && g->DayTim.running());
            } else {
                QCOMPARE(b[2].prompt, QString("これより…申し開きの儀式を開幕します…。"));
                QCOMPARE(g->LblWeek->text(), QString("1"));  // left as it was
            }
        }
    }

    void fledWishCostsThreeWithoutDraws() {
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g, 2);
        g->Sonzai[2] = false;
        g->Tousou_Su = 1;
        g->Ghb = 1;
        atDaySeven(*g);
        d << 0.0f;  // only the next morning notice draws
        g->GosyoumouIvennt();
        QCOMPARE(d.taken, 1);
        QCOMPARE(b[1].lines().size(), 4);
        QCOMPARE(b[2].lines().size(), 1);
        QCOMPARE(b[3].lines().size(), 1);
        QCOMPARE(b[4].prompt, QString("朝になりました…"));
        QCOMPARE(g->Ghb, qint16(-2));
        QCOMPARE(g->LblGhb->text(), QString("-2"));
        QVERIFY(b.size() > 0 && b.allTimersOff());
    }

    void verdicts_data() {
        QTest::addColumn<int>("ghb");
        QTest::addColumn<int>("fled");
        QTest::addColumn<QString>("verdict");
        const struct {
            int g, f;
            const char* v;
        } rows[] = {
            {5, 0, "bloom"},     {9, 0, "bloom"},     {5, 1, "liked"},     {5, 3, "liked"},
            {5, 4, "cruelty"},   {6, 7, "cruelty"},   {4, 3, "excellent"}, {3, 5, "excellent"},
            {4, 2, "bad"},       {3, 0, "bad"},       {2, 3, "soft"},      {-1, 4, "soft"},
            {2, 2, "no good"},   {-5, 0, "no good"},
        };
        for (const auto& r : rows)
            QTest::newRow(qPrintable(QString("%1/%2").arg(r.g).arg(r.f))) << r.g << r.f << QString(r.v);
    }
    void verdicts() {
        QFETCH(int, ghb);
        QFETCH(int, fled);
        QFETCH(QString, verdict);
        const QMap<QString, std::pair<const Scenario*, const Scenario*>> table = {
            {"bloom", {&serifu::Kaika, &serifu::UeShime}},
            {"liked", {&serifu::Kiniitta, &serifu::UeShime}},
            {"cruelty", {&serifu::Zankoku, &serifu::UeShime}},
            {"excellent", {&serifu::Hyouban, &serifu::NakaShime}},
            {"bad", {&serifu::Akuhyou, &serifu::NakaShime}},
            {"soft", {&serifu::Amai, &serifu::ShitaShime}},
            {"no good", {&serifu::Dame, &serifu::ShitaShime}},
        };
        Game g;
        Boxes b(&*g);
        startRaising(*g);
        g->Ghb = qint16(ghb);
        g->Tousou_Su = qint16(fled);
        atDaySeven(*g);
        g->Gamen_Ivent("fce9");
        g->Hyouka_Ivent();

        QCOMPARE(b[0].prompt, QString("これより…申し開きの儀式を開幕します…。"));
        QCOMPARE(b[1].prompt, QString("貴方の働きは、\r\nご褒美が%1、\r\n逃げ出した「食事」が%2、").arg(ghb).arg(fled));
        QCOMPARE(b[0].face, QString("fce8"));
        QCOMPARE(b[2].face, QString("fce8"));
        QStringList expected;
        for (const Scenario* part : {table[verdict].first, table[verdict].second})
            for (const Step& s : *part)
                if (!s.face) expected << joined(s.lines);
        QCOMPARE(b.size(), 3 + int(expected.size()) + 1);
        for (int i = 0; i < expected.size(); ++i) QCOMPARE(b[3 + i].prompt, expected[i]);
        QCOMPARE(b[3].face, QString("fce9"));  // every verdict opens with the master
        // The ending: the end picture, "エンＤ", then the start screen.
        const ShownBox& last = b.shown.back();
        QCOMPARE(last.prompt, QString("エンＤ"));
        QCOMPARE(last.startPicture, QString("end"));
        QVERIFY(g->ImgStt->Visible());
        QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
        QVERIFY(b.allTimersOff());

        if (verdict == "bloom") {
            QStringList faces = b.faces().mid(3, 17);
            QCOMPARE(faces, QStringList({"fce9", "fce9", "fce9", "fce8", "fce9", "fce8", "fce8", "fce0",
                                         "fce8", "fce0", "fce0", "fce8", "fce8", "fce8", "fce8", "fce8", "fce8"}));
        }
        if (verdict == "soft") QVERIFY(b[4].lines().value(1) == QString("失格"));
    }

    void wholeGamesFromStartToEndAndAgain() {
        Game g;
        Draws d;
        std::mt19937 rng(7);
        d.fallback = [&] { return float(rng() >> 8) / 16777216.0f; };
        Boxes b(&*g);
        QPoint start = g->client()->rect().center();

        for (int game = 0; game < 2; ++game) {
            b.clear();
            b.answers.push_back(game == 0 ? tk::vbNo : tk::vbYes);
            QTest::mouseClick(g->client(), Qt::LeftButton, {}, start);
            QVERIFY(!g->ImgStt->Visible());
            QCOMPARE(g->Week, qint16(1));
            QCOMPARE(g->Ghb, qint16(0));
            const int firstNotice = game == 0 ? 23 : 8;
            QCOMPARE(b[firstNotice].startPicture, QString("stt"));

            int weeksSeen = 1;
            for (int step = 0; step < 10000 && !g->ImgStt->Visible(); ++step) {
                // Keep the wished meal clean, tick, and let the days pass.
                if (g->ImgFce(g->Gosyoumou).Visible())
                    QTest::mouseClick(g->client(), Qt::LeftButton, {},
                                      g->ImgFce(g->Gosyoumou).pixelRect().center());
                g->Tim.fire();
                if (step % 6 == 5) {
                    const qint16 week = g->Week;
                    g->DayTim.fire();
                    if (g->Week != week) ++weeksSeen;
                }
            }
            QVERIFY(g->ImgStt->Visible());
            QCOMPARE(pictureName(g->ImgStt->picture()), QString("end"));
            QVERIFY(!g->Tim.Enabled() && !g->DayTim.Enabled());
            QVERIFY(weeksSeen == 5 || g->Tousou_Su == 5);
            if (g->Tousou_Su != 5) QCOMPARE(b.shown.back().prompt, QString("エンＤ"));
            for (int i = 0; i < 7; ++i) QVERIFY(!g->Pic(i).Visible());
        }
    }
};

QTEST_MAIN(StoryTest)
#include "test_story.moc"
