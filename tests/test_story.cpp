// The story frame: introduction, morning notice and wish, weekly meal and
// the evaluation's verdicts.
#include "harness.h"

#include <cmath>

namespace {
const float kMax = std::nextafter(1.0f, 0.0f);

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
    void introduction() {
        for (int answer : {int(tk::vbNo), int(tk::vbYes)}) {
            Game g;
            Draws d;
            Boxes b(&*g);
            b.answers.push_back(answer);
            d << 0.5f;  // the first wish: meal 3
            QTest::mouseClick(g->client(), Qt::LeftButton, {}, g->client()->rect().center());
            // No to "have you been told?" brings the whole explanation.
            const int intro = answer == tk::vbNo ? 23 : 8;
            QCOMPARE(b.size(), intro + 2);
            QVERIFY(b[2].buttons == tk::vbYesNo && b[0].title.isEmpty() && b.allTimersOff());
            QCOMPARE(b.faces().mid(0, intro), QStringList(intro, "fce8"));
            QCOMPARE(b[intro - 1].prompt, QString("今夜はごゆっくりお休み下さい"));
            // The morning over the start picture, then the guide's notice.
            QVERIFY(b[intro].startPicture == "stt" && b[intro + 1].face == "fce8");
            QCOMPARE(g->ShpGosyoumou->rect(), QRectF(3, 0, 1, 1));
            QVERIFY(g->ShpGosyoumou->Visible() && !g->ImgStt->Visible() && !g->Img->Visible());
            QVERIFY(g->Tim.running() && g->DayTim.running());
        }
    }

    // Meal 6 is never wished; a fled meal is drawn again, unless none of
    // meals 0-5 is left, when the one draw stands.
    void wish_data() {
        QTest::addColumn<int>("fled");  // the first meals fled
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<int>("wish");
        QTest::newRow("the first") << 0 << QList<float>{0.0f} << 0;
        QTest::newRow("the last") << 0 << QList<float>{kMax} << 5;
        QTest::newRow("past two fled") << 2 << QList<float>{0.0f, 0.2f, kMax} << 5;
        QTest::newRow("none left") << 6 << QList<float>{0.5f} << 3;
    }
    void wish() {
        QFETCH(int, fled);
        QFETCH(QList<float>, draws);
        QFETCH(int, wish);
        Game g;
        Draws d;
        Boxes b(&*g);
        startRaising(*g);
        for (int i = 0; i < fled; ++i) g->Sonzai[i] = false;
        g->Tousou_Su = qint16(fled);
        for (float r : draws) d << r;
        g->Gamen_Ivent("fce8");
        g->DengonIvent();
        QCOMPARE(g->Gosyoumou, qint16(wish));
        QCOMPARE(g->ShpGosyoumou->rect(), QRectF(wish, 0, 1, 1));
        QCOMPARE(d.taken, int(draws.size()));
        QVERIFY(g->Tim.running());
    }

    // The master drinks: above 5w..10w-1 times 1 or 2 pleases him, equal is
    // so-so, below costs; a fled wish costs 3 without a draw.
    void weeklyMeal_data() {
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
        QTest::newRow("fled") << 1 << 0.0f << 0.0f << -1;
    }
    void weeklyMeal() {
        QFETCH(int, week);
        QFETCH(float, r1);
        QFETCH(float, r2);
        QFETCH(int, threshold);
        for (int offset : {1, 0, -1}) {
            Game g;
            Draws d;
            d.fallback = [] { return 0.0f; };
            Boxes b(&*g);
            startRaising(*g, 4);
            g->Week = qint16(week);
            g->Ghb = 2;
            if (threshold < 0) g->Sonzai[4] = false;
            else g->Senrei(4, threshold + offset - 100);
            atDaySeven(*g);
            d << r1 << r2;
            g->GosyoumouIvennt();
            const int reward = threshold < 0 ? -3 : offset;
            QCOMPARE(g->Ghb, qint16(2 + reward));
            QCOMPARE(g->LblGhb->text(), QString::number(2 + reward));
            QCOMPARE(b[0].prompt, QString("主様の、お食事ぃいいいいい"));
            QCOMPARE(b[1].face, QString("fce9"));
            // The master's words: clean blood, so-so, dirty, or the meal gone.
            const char* const words[] = {"ま・まずい！！", "ふむ、まあまあといったところじゃな。", "うむ・・・うまい"};
            QVERIFY(b[1].lines().contains(threshold < 0 ? "む…？余の「食事」がおらぬではないか。" : words[offset + 1]));
            if (threshold < 0) QCOMPARE(d.taken, 1);  // only the next morning's wish
            QCOMPARE(g->Week, qint16(week + 1));
            const QString next = week < 4 ? "朝になりました…" : "これより…申し開きの儀式を開幕します…。";
            QVERIFY(std::any_of(b.shown.begin(), b.shown.end(), [&](const ShownBox& x) { return x.prompt == next; }));
            QCOMPARE(g->LblWeek->text(), QString::number(week < 4 ? week + 1 : 1));
            if (threshold < 0) break;
        }
    }

    // Each verdict's rows at its boundaries, with the master's first words.
    void verdicts_data() {
        QTest::addColumn<int>("ghb");
        QTest::addColumn<int>("fled");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("closing");  // the guide's first words after
        const QString high = "主様は、貴方をとても気に入られたようですね。";
        const QString middle = "また一緒にお仕事ができて嬉しいです。\r\nですが、気を抜いてはいけませんよ。";
        const QString low = "がぶっ…むしゃむしゃ…";
        const struct {
            int g, f;
            const char* words;
            const QString& closing;
        } rows[] = {
            {5, 0, "お前すごいじゃん、完璧じゃん！", high},
            {5, 3, "うむ、よくやった。", high},
            {5, 4, "「食事」たちからの人気は最悪じゃが…", high},
            {9, 7, "「食事」たちからの人気は最悪じゃが…", high},
            {4, 3, "可もなく不可もなく、といったところか。", middle},
            {3, 2, "まあまあじゃな。", middle},
            {2, 3, "「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。", low},
            {-5, 2, "お前はまるで駄目じゃな。", low},
        };
        for (const auto& r : rows)
            QTest::newRow(qPrintable(QString("%1/%2").arg(r.g).arg(r.f))) << r.g << r.f << QString(r.words) << r.closing;
    }
    void verdicts() {
        QFETCH(int, ghb);
        QFETCH(int, fled);
        QFETCH(QString, words);
        QFETCH(QString, closing);
        Game g;
        Boxes b(&*g);
        startRaising(*g);
        g->Ghb = qint16(ghb);
        g->Tousou_Su = qint16(fled);
        atDaySeven(*g);
        g->Gamen_Ivent("fce9");
        g->Hyouka_Ivent();
        QCOMPARE(b[1].prompt, QString("貴方の働きは、\r\nご褒美が%1、\r\n逃げ出した「食事」が%2、").arg(ghb).arg(fled));
        QCOMPARE(b[3].lines().first(), words);
        QCOMPARE(b[3].face, QString("fce9"));
        QVERIFY(std::any_of(b.shown.begin(), b.shown.end(), [&](const ShownBox& x) { return x.prompt == closing; }));
        // The ending: "エンＤ" over the end picture, then the start screen.
        QCOMPARE(b.shown.back().prompt, QString("エンＤ"));
        QCOMPARE(b.shown.back().startPicture, QString("end"));
        QVERIFY(g->ImgStt->Visible() && !g->Tim.Enabled() && !g->DayTim.Enabled());
        QVERIFY(b.allTimersOff());
    }
};

QTEST_MAIN(StoryTest)
#include "test_story.moc"
