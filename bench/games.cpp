// Resident memory over whole scripted games: a player that clicks faces by
// a fixed plan, a clock run by hand, every box answered and painted as the
// real box would leave the window:
//   velmoria-games FOLDER-HOLDING-GF [GAMES]
// prints "start_kb end_kb games boxes speakers": the memory on the start
// screen and after the last game, and how much of the game was seen (boxes
// answered, different speaker pictures shown).
#include "game/fom.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSet>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Everything changed so far painted; no timer of the game is let run.
void paint() { QCoreApplication::sendPostedEvents(); }

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER-HOLDING-GF [GAMES]\n", argv[0]);
        return 2;
    }
    const int games = argc > 2 ? std::atoi(argv[2]) : 7;
    Fom::prepareProcess();
    tk::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    std::mt19937 draws(20240611);
    tk::setRandomSource([&] { return float(draws() >> 8) / 16777216.0f; });
    int game = 0;
    long boxes = 0;
    QSet<QString> speakers;
    Fom* shown = nullptr;
    tk::setMsgBoxHandler([&](const QString&, int buttons, const QString&) {
        ++boxes;
        paint();
        if (shown && shown->Img->Visible()) speakers.insert(shown->Img->source());
        // Both answers to the introduction's question, game by game.
        if (buttons == tk::vbYesNo) return int(game % 2 ? tk::vbYes : tk::vbNo);
        return int(tk::vbOK);
    });

    Fom f;
    shown = &f;
    f.Form_Load();
    f.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500) QApplication::processEvents(QEventLoop::AllEvents, 50);
    const long start = residentKb();

    std::mt19937 player(99);
    for (game = 0; game < games; ++game) {
        // Some meals are cared for, the rest left alone: monologues and
        // flights both come, and games end either way.
        const int cared = 1 + game % 4;
        const int perTick = 1 + game % 3;
        f.ImgStt_Click();
        paint();
        for (long tick = 1; !f.ImgStt->Visible(); ++tick) {
            for (int n = 0; n < perTick && !f.ImgStt->Visible(); ++n) {
                const int i = (game * 3 + std::uniform_int_distribution<>(0, cared - 1)(player)) % Fom::Meals;
                if (f.ImgFce(i).Visible()) f.ImgFce_Click(i);
                paint();
            }
            if (f.Tim.running()) f.Tim_Timer();
            paint();
            if (f.DayTim.running() && tick % 6 == 0) f.DayTim_Timer();
            paint();
            if (tick > 100000) {
                std::fprintf(stderr, "velmoria-games: a game never ended\n");
                return 1;
            }
        }
    }
    QApplication::processEvents();
    std::printf("%ld %ld %d %ld %lld\n", start, residentKb(), games, boxes, qsizetype(speakers.size()));
    return 0;
}
