// What the surfaces paint: outlines, panels in front of the window's
// graphics, and repaints of what changed that leave exactly what a full
// repaint would.
#include "harness.h"

#include <QScreen>

#include <random>

namespace {

// What reached the screen, partial repaints included.
QImage shown(QWidget* w) {
    // A child shown asks for its paint only once its parent hears of it.
    QApplication::processEvents();
    QApplication::processEvents();
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return w->screen()->grabWindow(w->window()->winId()).toImage()
        .copy(QRect(at, w->size())).convertToFormat(QImage::Format_RGB32);
}

// The same widget painted afresh, all of it.
QImage repaintedWhole(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

class PaintTest : public QObject {
    Q_OBJECT
private slots:
    void outlinesAreOnePixelInsideTheShape() {
        tk::Surface s;
        s.resize(100, 60);
        s.Scale(0, 0, 100, 60);
        s.setBackground(Qt::black);
        const QColor fill(255, 192, 192), line(10, 20, 30);
        const QRect sizes[] = {{5, 5, 1, 1}, {10, 5, 2, 2}, {20, 5, 3, 5}, {30, 5, 10, 4}, {50, 5, 30, 40}};
        for (const QRect& r : sizes) {
            auto* shape = s.create<tk::Shape>();
            shape->Move(r.x(), r.y(), r.width(), r.height());
            shape->setFill(tk::Shape::Solid, fill);
            shape->setBorder(true, line);
        }
        auto* open = s.create<tk::Shape>();  // an outline with nothing inside
        open->Move(5, 20, 20, 30);
        open->setFill(tk::Shape::Transparent, fill);
        open->setBorder(true, line);
        const QImage img = repaintedWhole(&s);
        for (const QRect& r : sizes) {
            const QRect inside = r.adjusted(1, 1, -1, -1);  // empty below 3 pixels
            for (int y = r.top() - 1; y <= r.bottom() + 1; ++y)
                for (int x = r.left() - 1; x <= r.right() + 1; ++x) {
                    const QColor want = !r.contains(x, y) ? QColor(Qt::black)
                                        : !inside.isEmpty() && inside.contains(x, y) ? fill : line;
                    QVERIFY2(img.pixelColor(x, y) == want,
                             qPrintable(QString("%1,%2 in %3x%4").arg(x).arg(y).arg(r.width()).arg(r.height())));
                }
        }
        QCOMPARE(img.pixelColor(5, 20), line);
        QCOMPARE(img.pixelColor(24, 49), line);
        QCOMPARE(img.pixelColor(10, 30), QColor(Qt::black));
    }

    void panelsLieInFrontAndTakeTheirClicks() {
        tk::Surface s;
        s.resize(300, 200);
        s.Scale(0, 0, 3, 2);
        s.setBackground(Qt::black);
        auto* pic = s.create<tk::Picture>();
        QTemporaryDir dir;
        QImage blue(8, 8, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(dir.filePath("blue.bmp"), "BMP"));
        pic->setPicture(tk::LoadPicture(dir.filePath("blue.bmp")));
        pic->Move(0, 0, 3, 2);
        int clicks = 0;
        pic->onClick = [&] { ++clicks; };
        auto* panel = new tk::Panel(&s);
        panel->Move(1, 1, 1, 1);
        panel->Scale(0, 0, 2, 1000);
        auto* bar = panel->create<tk::Shape>();
        bar->Move(0, 0, 1, 500);
        bar->setFill(tk::Shape::Solid, Qt::red);
        bar->setBorder(false);
        auto* above = s.create<tk::Shape>();  // created later, still behind the panel
        above->Move(0, 0, 3, 2);
        above->setFill(tk::Shape::Transparent, Qt::green);
        above->setBorder(true, Qt::green);
        s.show();

        QCOMPARE(panel->geometry(), QRect(100, 100, 100, 100));
        QCOMPARE(s.childAt(150, 150), panel);
        QImage img = shown(&s);
        auto role = [&s](QPalette::ColorRole r) { return s.palette().color(r).rgb(); };
        QCOMPARE(img.pixel(100, 100), role(QPalette::Mid));            // frame
        QCOMPARE(img.pixel(199, 199), role(QPalette::Light));
        QCOMPARE(img.pixel(101, 101), role(QPalette::Dark));
        QCOMPARE(img.pixelColor(120, 110), QColor(Qt::red));                      // bar
        QCOMPARE(img.pixel(150, 190), role(QPalette::Button));          // face colour
        QCOMPARE(img.pixel(199, 150), role(QPalette::Light));           // not the outline
        QCOMPARE(img.pixelColor(50, 50), QColor(Qt::blue));
        QCOMPARE(img.pixelColor(299, 150), QColor(Qt::green));
        QCOMPARE(img, repaintedWhole(&s));

        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(clicks, 0);
        panel->hide();
        QVERIFY(!panel->Visible());
        QCOMPARE(shown(&s).pixelColor(150, 150), QColor(Qt::blue));
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(150, 150));
        QCOMPARE(clicks, 1);
        panel->show();
        QCOMPARE(shown(&s).pixelColor(120, 110), QColor(Qt::red));
        panel->Move(0, 0, 1, 1);
        img = shown(&s);
        QCOMPARE(img.pixelColor(20, 10), QColor(Qt::red));
        QCOMPARE(img.pixelColor(150, 150), QColor(Qt::blue));
        QCOMPARE(img, repaintedWhole(&s));
    }

    // Bars, outlines and shown or hidden panels moved at random: whatever
    // the partial repaints leave must be what a full repaint paints.
    void partialRepaintsMatchAFullRepaint() {
        tk::Surface s;
        s.resize(420, 300);
        s.Scale(0, 0, 7, 3);
        s.setBackground(Qt::black);
        auto* marker = s.create<tk::Shape>();
        marker->setFill(tk::Shape::HorizontalLines, QColor(255, 128, 0));
        marker->setBorder(true, QColor(255, 128, 0));
        std::vector<tk::Panel*> panels;
        std::vector<tk::Shape*> bars;
        for (int i = 0; i < 4; ++i) {
            auto* panel = new tk::Panel(&s);
            panel->Move(i, 1, 1, 1);
            panel->Scale(0, 0, 2, 1000);
            panels.push_back(panel);
            for (int j = 0; j < 2; ++j) {
                auto* bar = panel->create<tk::Shape>();
                bar->setFill(tk::Shape::Solid, QColor(60 * i, 100 + 70 * j, 200));
                bar->setBorder(true, Qt::black);
                bar->Move(j, 0, 1, 500);
                bars.push_back(bar);
            }
        }
        s.show();
        std::mt19937 rng(7);
        auto pick = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(rng); };
        for (int step = 0; step < 300; ++step) {
            switch (pick(6)) {
            case 0: marker->Move(pick(7), 0, 1, 1); break;
            case 1: marker->setVisible(pick(2)); break;
            case 2: panels[pick(4)]->setVisible(pick(4) > 0); break;
            default: {
                tk::Shape* bar = bars[pick(8)];
                bar->Move(bar->rect().left(), 0, 1, pick(3) ? bar->rect().height() + pick(81) - 40 : pick(1001));
            }
            }
            if (step % 3 == 0) QCOMPARE(shown(&s), repaintedWhole(&s));
        }
    }
};

QTEST_MAIN(PaintTest)
#include "test_paint.moc"
