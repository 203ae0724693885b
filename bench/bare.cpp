// The yardstick: a bare Qt Widgets window of the game's size that paints one
// line of Japanese text, and nothing else.
#include "pictures/fonts.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {
class Bare : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("ヴェルモリアへようこそ"));
    }
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Bare w;
    w.setWindowTitle(QStringLiteral("bare"));
    QFont f = w.font();
    f.setFamilies(fonts::families(QStringLiteral("ja")));
    w.setFont(f);
    w.resize(922, 461);
    w.show();
    return app.exec();
}
