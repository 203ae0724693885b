// Thousands of whole games by a scripted player with hand-fired timers,
// checking the game's invariants after every event.
#include "harness.h"

#include <QElapsedTimer>

#include <map>
#include <random>

namespace {

enum Ending { Bloom, Liked, Cruelty, Excellent, Bad, Soft, NoGood, Dismissal, Endings };
const char* const kEndingNames[] = {"bloom", "liked", "liked for cruelty", "kept on (excellent)",
                                    "kept on (bad)", "too soft", "no good", "dismissal"};

QString firstBox(const Scenario& s) {
    for (const Step& step : s)
        if (!step.face) return joined(step.lines);
    return {};
}

// How the player plays one game.
struct Style {
    enum Kind { Idle, Random, Favourites, Caretaker, Wish } kind;
    double clickRate;      // expected clicks per tick
    int ticksPerDay;       // pace of the hand-fired clock
    std::vector<int> favourites;
};

class Player {
public:
    Player(Fom& f, Boxes& boxes, unsigned seed) : f_(f), boxes_(boxes), rng_(seed) {
        boxes_.onBox = [this](const ShownBox& b) { duringBox(b); };
    }

    Ending play() {
        boxes_.clear();
        boxes_.answers = {coin(0.5) ? tk::vbYes : tk::vbNo};
        pickStyle();
        if (coin(0.2)) f_.Mnu11[pick(3)]->trigger();  // chosen before the game: no effect
        click(f_.client()->rect().center());
        checkNewGame();
        QTest::qVerify(!f_.ImgStt->Visible(), "started", "", __FILE__, __LINE__);

        for (long step = 0; !f_.ImgStt->Visible(); ++step) {
            if (step > 200000) qFatal("a game never ended");
            act();
            check();
        }
        return ending();
    }

private:
    bool coin(double p) { return std::uniform_real_distribution<>(0, 1)(rng_) < p; }
    int pick(int n) { return std::uniform_int_distribution<>(0, n - 1)(rng_); }

    void pickStyle() {
        style_.kind = Style::Kind(pick(5));
        style_.clickRate = std::uniform_real_distribution<>(0, 3)(rng_);
        style_.ticksPerDay = 1 + pick(10);
        style_.favourites.clear();
        for (int n = 1 + pick(3); n > 0; --n) style_.favourites.push_back(pick(7));
        if (coin(0.1)) style_.clickRate = 0;
        if (coin(0.1)) style_.clickRate *= 4;  // bursts
    }

    void click(QPoint at) { QTest::mouseClick(f_.client(), Qt::LeftButton, {}, at); }

    int target() {
        switch (style_.kind) {
        case Style::Idle: return -1;
        case Style::Random: return pick(7);
        case Style::Favourites: return style_.favourites[pick(int(style_.favourites.size()))];
        case Style::Wish: return coin(0.8) ? f_.Gosyoumou : pick(7);
        case Style::Caretaker: {
            int low = -1;
            for (int i = 0; i < 7; ++i)
                if (f_.Sonzai[i] && (low < 0 || f_.Blood[i] < f_.Blood[low])) low = i;
            return coin(0.5) ? f_.Gosyoumou : low;
        }
        }
        return -1;
    }

    void act() {
        // Clicks land anywhere a face may be; hidden faces take none.
        std::poisson_distribution<int> clicks(style_.clickRate);
        for (int n = clicks(rng_); n > 0 && !f_.ImgStt->Visible(); --n) {
            const int i = target();
            if (i < 0) break;
            click(f_.ImgFce(i).pixelRect().center());
            check();
        }
        if (coin(0.01)) f_.Mnu11[pick(3)]->trigger();
        if (coin(0.005)) f_.Mnu2->trigger();
        if (!f_.ImgStt->Visible()) f_.Tim.fire();
        check();
        if (!f_.ImgStt->Visible() && ++ticks_ % style_.ticksPerDay == 0) f_.DayTim.fire();
    }

    void duringBox(const ShownBox& b) {
        ++boxesSeen_;
        // Nothing may run while a box is up: no tick, no day, no click.
        QVERIFY2(b.timersOff, qPrintable(b.prompt));
        QVERIFY(!f_.Tim.fire() && !f_.DayTim.fire());
        QVERIFY(f_.inputBlocked());
        const auto before = f_.Blood;
        click(f_.ImgFce(pick(7)).pixelRect().center());
        QVERIFY(f_.Blood == before);
    }

    void checkNewGame() {
        QCOMPARE(f_.Tousou_Su, qint16(0));
        QCOMPARE(f_.Week, qint16(1));
        QCOMPARE(f_.Ghb, qint16(0));
        QCOMPARE(f_.Tim.Interval(), 500);
        for (int i = 0; i < 7; ++i) QVERIFY(f_.Sonzai[i] && f_.Cp[i] == 500);
    }

    void check() {
        int fled = 0;
        for (int i = 0; i < 7; ++i) {
            if (f_.Blood[i] < 0 || f_.Blood[i] > 1000 || f_.Cp[i] < 0 || f_.Cp[i] > 1000)
                qFatal("value out of range: meal %d blood %d confidence %d", i, f_.Blood[i], int(f_.Cp[i]));
            if (f_.BloodShp(i).rect().height() != f_.Blood[i] || f_.CpShp(i).rect().height() != f_.Cp[i])
                qFatal("bar of meal %d does not show its value", i);
            fled += !f_.Sonzai[i];
        }
        if (fled != f_.Tousou_Su) qFatal("fled count %d but %d meals gone", int(f_.Tousou_Su), fled);
        if (f_.Gosyoumou < 0 || f_.Gosyoumou > 5) qFatal("wish on meal %d", int(f_.Gosyoumou));
        if (f_.inputBlocked()) qFatal("input still blocked after a box");
    }

    Ending ending() {
        if (pictureName(f_.ImgStt->picture()) != "end") qFatal("a game ended without the end picture");
        if (f_.Tim.Enabled() || f_.DayTim.Enabled()) qFatal("timers left on after an ending");
        for (const ShownBox& b : boxes_.shown)
            if (b.prompt == joined(serifu::Kubi[0])) return Dismissal;
        if (boxes_.shown.back().prompt != "エンＤ") qFatal("a ceremony ended without its last box");
        const std::pair<const Scenario*, Ending> verdicts[] = {
            {&serifu::Kaika, Bloom},   {&serifu::Kiniitta, Liked}, {&serifu::Zankoku, Cruelty},
            {&serifu::Hyouban, Excellent}, {&serifu::Akuhyou, Bad}, {&serifu::Amai, Soft},
            {&serifu::Dame, NoGood}};
        for (size_t i = 0; i + 1 < boxes_.shown.size(); ++i)
            if (boxes_.shown[i].prompt == joined(serifu::HyoukaOkotoba))
                for (const auto& [s, e] : verdicts)
                    if (boxes_.shown[i + 1].prompt == firstBox(*s)) return e;
        qFatal("a game ended in no known way");
    }

    Fom& f_;
    Boxes& boxes_;
    std::mt19937 rng_;
    Style style_{};
    long ticks_ = 0;
    long boxesSeen_ = 0;
};

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT
private slots:
    void thousandsOfGames() {
        const int games = qEnvironmentVariableIntValue("VELMORIA_SOAK_GAMES") > 0
                              ? qEnvironmentVariableIntValue("VELMORIA_SOAK_GAMES")
                              : 2000;
        Game g;
        Boxes boxes(&*g);
        Draws draws;
        std::mt19937 source(20261206);
        draws.fallback = [&] { return float(source() >> 8) / 16777216.0f; };
        Player player(*g, boxes, 1234567);

        QElapsedTimer clock;
        clock.start();
        std::map<Ending, int> counts;
        for (int n = 0; n < games; ++n) {
            counts[player.play()]++;
            if (QTest::currentTestFailed()) return;
        }
        for (int e = 0; e < Endings; ++e)
            qInfo("%-22s %5d", kEndingNames[e], counts[Ending(e)]);
        qInfo("%d games in %lld ms", games, clock.elapsed());
        for (int e = 0; e < Endings; ++e) QVERIFY2(counts[Ending(e)] > 0, kEndingNames[e]);
    }
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
