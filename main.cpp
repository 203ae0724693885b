#include "game/fom.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmoria"));
    QApplication::setApplicationDisplayName(QStringLiteral("ヴェルモリア"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORIA_VERSION_STRING));

    Fom fom;
    fom.Form_Load();
    fom.show();
    return app.exec();
}
