// Processor time of play at the fastest pace (激重): the raising screen left
// to itself, its tick and calendar on their real timers and every repaint
// they cause sent to the display:
//   velmoria-pace FOLDER-HOLDING-GF [SECONDS]
// prints the milliseconds of processor time those seconds took.
#include "game/fom.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {
double cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER-HOLDING-GF [SECONDS]\n", argv[0]);
        return 2;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    Fom::prepareProcess();
    tk::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    // A scene that comes meanwhile is read at once.
    tk::setMsgBoxHandler([](const QString&, int, const QString&) { return int(tk::vbOK); });

    Fom f;
    f.Form_Load();
    f.show();
    f.NewGame();
    f.Gamen_Ikusei();
    f.Mnu11_Click(2);
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500) QApplication::processEvents(QEventLoop::AllEvents, 50);

    const double before = cpuMs();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("%.1f\n", cpuMs() - before);
    return 0;
}
