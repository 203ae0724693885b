// Thousands of whole games by a scripted player with hand-fired timers,
// checking the game's invariants after every event, until every ending has
// come at least once.
#include "harness.h"

#include <QElapsedTimer>

#include <map>
#include <random>

namespace {

// How each ending shows itself: the master's first words, or the guide's
// first words of the dismissal.
const char* const kEndings[] = {
    "お前すごいじゃん、完璧じゃん！", "うむ、よくやった。", "「食事」たちからの人気は最悪じゃが…",
    "可もなく不可もなく、といったところか。", "まあまあじゃな。",
    "「食事」どもを甘やかしてばかりおるから、こうなるのじゃ。", "お前はまるで駄目じゃな。",
    "仕方のない人…こんなに逃がしてしまうなんて…"};

class Player {
public:
    Player(Fom& f, Boxes& boxes, unsigned seed) : f_(f), boxes_(boxes), rng_(seed) {
        boxes_.onBox = [this](const ShownBox& b) {
            // Nothing may run while a box is up: no tick, no day, no click.
            if (!b.timersOff || f_.Tim.fire() || f_.DayTim.fire() || !f_.inputBlocked()) qFatal("ran during a box");
            const auto before = f_.Blood;
            click(pick(7));
            if (f_.Blood != before) qFatal("a click went through a box");
        };
    }

    // One game from the start picture to its ending; which ending it was.
    QString play() {
        boxes_.clear();
        boxes_.answers = {coin(0.5) ? tk::vbYes : tk::vbNo};
        // A style: which meals to click, how often, and how many ticks a day.
        const int kind = pick(4);
        const std::vector<int> favourites = {pick(7), pick(7)};
        const double rate = coin(0.1) ? 0 : std::uniform_real_distribution<>(0, coin(0.1) ? 12 : 3)(rng_);
        const int ticksPerDay = 1 + pick(10);
        if (coin(0.2)) f_.Mnu11[pick(3)]->trigger();  // chosen before the game: no effect
        QTest::mouseClick(f_.client(), Qt::LeftButton, {}, f_.client()->rect().center());
        if (f_.Tousou_Su || f_.Ghb || f_.Week != 1 || f_.Tim.Interval() != 500) qFatal("not a new game");
        for (long step = 1; !f_.ImgStt->Visible(); ++step) {
            if (step > 200000) qFatal("a game never ended");
            std::poisson_distribution<int> clicks(rate);
            for (int n = clicks(rng_); n > 0 && !f_.ImgStt->Visible(); --n) {
                click(kind == 0 ? pick(7) : kind == 1 ? favourites[pick(2)] : kind == 2 && coin(0.8) ? f_.Gosyoumou : lowest());
                check();
            }
            if (coin(0.01)) f_.Mnu11[pick(3)]->trigger();
            if (!f_.ImgStt->Visible()) f_.Tim.fire();
            check();
            if (!f_.ImgStt->Visible() && step % ticksPerDay == 0) f_.DayTim.fire();
        }
        if (pictureName(f_.ImgStt->picture()) != "end" || f_.Tim.Enabled() || f_.DayTim.Enabled())
            qFatal("an ending without the end picture, or with a timer on");
        for (const ShownBox& b : boxes_.shown)
            for (const char* e : kEndings)
                if (b.lines().value(0) == QString::fromUtf8(e)) return e;
        qFatal("a game ended in no known way");
    }

private:
    bool coin(double p) { return std::uniform_real_distribution<>(0, 1)(rng_) < p; }
    int pick(int n) { return std::uniform_int_distribution<>(0, n - 1)(rng_); }
    void click(int i) { QTest::mouseClick(f_.client(), Qt::LeftButton, {}, f_.ImgFce(i).pixelRect().center()); }
    int lowest() {
        int low = 0;
        for (int i = 1; i < 7; ++i)
            if (f_.Sonzai[i] && (!f_.Sonzai[low] || f_.Blood[i] < f_.Blood[low])) low = i;
        return low;
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

    Fom& f_;
    Boxes& boxes_;
    std::mt19937 rng_;
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
        std::map<QString, int> counts;
        for (int n = 0; n < games; ++n) counts[player.play()]++;
        for (const auto& [ending, n] : counts) qInfo("%5d %s", n, qPrintable(ending));
        qInfo("%d games in %lld ms", games, clock.elapsed());
        QCOMPARE(counts.size(), std::size(kEndings));
    }
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
