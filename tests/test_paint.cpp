// What the surfaces paint: outlines, what a solid graphic hides, panels in
// front of the window's graphics, and repaints of what changed that leave
// exactly what a full repaint would.
#include "harness.h"

#include <QScreen>

#include <random>

namespace {
// What reached the screen, partial repaints included (compared with a full
// repaint through QTRY_COMPARE, which waits until the repaints are done).
QImage shown(QWidget* w) { return w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32); }

// The same widget painted afresh, all of it.
QImage repaintedWhole(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

tk::Shape* shape(tk::Surface* s, QRectF r, tk::Shape::Fill fill, QColor colour, bool border, QColor line = Qt::black) {
    auto* x = s->create<tk::Shape>();
    x->Move(r.x(), r.y(), r.width(), r.height());
    x->setFill(fill, colour);
    x->setBorder(border, line);
    return x;
}
}  // namespace

class PaintTest : public QObject {
    Q_OBJECT
private slots:
    void outlinesAndWhatASolidShapeHides() {
        tk::Surface s;
        s.resize(100, 60);
        s.Scale(0, 0, 100, 60);
        const QColor fill(255, 192, 192), line(10, 20, 30);
        const QRect sizes[] = {{5, 5, 1, 1}, {10, 5, 2, 2}, {20, 5, 3, 5}, {30, 5, 10, 4}, {50, 5, 30, 40}};
        for (const QRect& r : sizes) shape(&s, r, tk::Shape::Solid, fill, true, line);
        shape(&s, {5, 20, 20, 30}, tk::Shape::Transparent, fill, true, line);  // an open outline
        shape(&s, {15, 15, 20, 40}, tk::Shape::Solid, Qt::white, false);      // over half of it
        const QImage img = repaintedWhole(&s);
        for (const QRect& r : sizes) {
            const QRect inside = r.adjusted(1, 1, -1, -1);  // empty below 3 pixels
            for (int y = r.top() - 1; y <= r.bottom() + 1; ++y)
                for (int x = r.left() - 1; x <= r.right() + 1; ++x) {
                    const QColor want = !r.contains(x, y) ? QColor(Qt::black) : !inside.isEmpty() && inside.contains(x, y) ? fill : line;
                    QVERIFY2(img.pixelColor(x, y) == want, qPrintable(QString("%1,%2").arg(x).arg(y)));
                }
        }
        QCOMPARE(img.pixelColor(5, 49), line);
        QCOMPARE(img.pixelColor(10, 30), QColor(Qt::black));
        QCOMPARE(img.pixelColor(24, 49), QColor(Qt::white));
    }

    void panelsLieInFront() {
        QTemporaryDir dir;
        QImage blue(8, 8, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(dir.filePath("blue.bmp"), "BMP"));
        tk::Surface s;
        s.resize(300, 200);
        s.Scale(0, 0, 3, 2);
        auto* pic = s.create<tk::Picture>();
        pic->setPicture(tk::LoadPicture(dir.filePath("blue.bmp")));
        pic->Move(0, 0, 3, 2);
        auto* panel = new tk::Panel(&s);
        panel->Move(1, 1, 1, 1);
        panel->Scale(0, 0, 2, 1000);
        shape(panel, {0, 0, 1, 500}, tk::Shape::Solid, Qt::red, false);
        shape(&s, {0, 0, 3, 2}, tk::Shape::Transparent, Qt::green, true, Qt::green);  // later, still behind
        s.show();
        QCOMPARE(panel->geometry(), QRect(100, 100, 100, 100));
        QCOMPARE(s.childAt(150, 150), panel);
        QTRY_COMPARE(shown(&s), repaintedWhole(&s));
        const QImage img = shown(&s);
        auto role = [&s](QPalette::ColorRole r) { return s.palette().color(r).rgb(); };
        // A sunken frame, the bar, the face colour; around it the picture
        // and the outline.
        QVERIFY(img.pixel(100, 100) == role(QPalette::Mid) && img.pixel(199, 199) == role(QPalette::Light));
        QVERIFY(img.pixel(101, 101) == role(QPalette::Dark) && img.pixel(150, 190) == role(QPalette::Button));
        QVERIFY(img.pixelColor(120, 110) == Qt::red && img.pixelColor(50, 50) == Qt::blue);
        QCOMPARE(img.pixelColor(299, 150), QColor(Qt::green));
    }

    // Bars, a hatched marker and panels moved, shown and hidden at random:
    // whatever the partial repaints leave must be what a full repaint paints.
    void partialRepaintsMatchAFullRepaint() {
        tk::Surface s;
        s.resize(420, 300);
        s.Scale(0, 0, 7, 3);
        auto* marker = shape(&s, {0, 0, 1, 1}, tk::Shape::HorizontalLines, QColor(255, 128, 0), true, QColor(255, 128, 0));
        std::vector<tk::Panel*> panels;
        std::vector<tk::Shape*> bars;
        for (int i = 0; i < 4; ++i) {
            panels.push_back(new tk::Panel(&s));
            panels[i]->Move(i, 1, 1, 1);
            panels[i]->Scale(0, 0, 2, 1000);
            for (int j = 0; j < 2; ++j)
                bars.push_back(shape(panels[i], {double(j), 0, 1, 500}, tk::Shape::Solid, QColor(60 * i, 100 + 70 * j, 200), true));
        }
        s.show();
        std::mt19937 rng(7);
        auto pick = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(rng); };
        for (int step = 0; step < 300; ++step) {
            const int what = pick(6);
            tk::Shape* bar = bars[pick(8)];
            if (what == 0) marker->Move(pick(7), 0, 1, 1);
            else if (what == 1) marker->setVisible(pick(2));
            else if (what == 2) panels[pick(4)]->setVisible(pick(4) > 0);
            else bar->Move(bar->rect().left(), 0, 1, pick(3) ? bar->rect().height() + pick(81) - 40 : pick(1001));
            if (step % 3 == 0) QTRY_COMPARE(shown(&s), repaintedWhole(&s));
        }
    }
};

QTEST_MAIN(PaintTest)
#include "test_paint.moc"
