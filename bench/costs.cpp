// Instructions of one game tick with its repaint, counted by callgrind: run
// under
//   valgrind --tool=callgrind --collect-atstart=no velmoria-costs FOLDER
// Every measured tick is dumped on its own as "tick".
#include "game/fom.h"
#include "toolkit/runtime.h"

#include <QApplication>

#include <valgrind/callgrind.h>

#include <cstdio>
#include <functional>

namespace {

// Everything the step changed, painted as the event loop would.
void repaint() {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

void measure(const char* name, const std::function<void()>& step) {
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    step();
    repaint();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(name);
}

// Blood far apart, so that every meal's confidence moves each tick while
// none reaches either end.
void spreadBlood(Fom& f) {
    static constexpr int kBlood[Fom::Meals] = {100, 250, 350, 500, 700, 850, 1000};
    for (int i = 0; i < Fom::Meals; ++i) {
        f.Blood[i] = kBlood[i];
        f.BloodShp(i).Move(1, 0, 1, f.Blood[i]);
        f.Cp[i] = 500;
        f.CpShp(i).Move(0, 0, 1, f.Cp[i]);
    }
}

bool everyBarMoves(Fom& f) {
    const auto blood = f.Blood;
    const auto cp = f.Cp;
    f.Jikan_Keika();
    for (int i = 0; i < Fom::Meals; ++i)
        if (f.Blood[i] == blood[i] || f.Cp[i] == cp[i]) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER-HOLDING-GF\n", argv[0]);
        return 2;
    }
    Fom::prepareProcess();
    tk::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    tk::setScreenHeight(768);
    tk::setRandomSource([] { return 0.5f; });
    tk::setMsgBoxHandler([](const QString&, int, const QString&) { return int(tk::vbOK); });

    Fom f;
    f.Form_Load();
    f.show();
    repaint();

    // The raising screen with its timers held: ticks are run by hand.
    f.NewGame();
    f.Gamen_Ikusei();
    f.Tim.setEnabled(false);
    f.DayTim.setEnabled(false);
    spreadBlood(f);
    repaint();
    if (!everyBarMoves(f)) {
        std::fprintf(stderr, "velmoria-costs: a tick left a bar where it was\n");
        return 1;
    }
    repaint();

    constexpr int kSteps = 9;
    for (int n = 0; n < kSteps; ++n) {
        spreadBlood(f);
        repaint();
        measure("tick", [&] { f.Jikan_Keika(); });
    }
    return 0;
}
