// The toolkit layer on its own: timers on the real clock, picture files and
// the bitmap reader, the surface's mouse rules, control arrays and painting.
#include "bitmap_samples.h"
#include "harness.h"
#include "toolkit/controlarray.h"
#include "toolkit/pictures.h"

#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using tk::bmp::Status;

namespace {
// A picture file of one colour, as Qt writes bitmaps.
QString picture(const QTemporaryDir& dir, const QString& name, QColor colour, QSize size = QSize(8, 8)) {
    QImage img(size, QImage::Format_RGB888);
    img.fill(colour);
    img.save(dir.filePath(name), "BMP");
    return dir.filePath(name);
}
QColor colourOf(const tk::PictureFile& f) { return f.scaled(QSize(8, 8), 1, nullptr).toImage().pixelColor(0, 0); }

QImage repaintedWhole(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

tk::Shape* shape(tk::Surface* s, QRectF r, tk::Shape::Fill fill, QColor colour, bool border, QColor line = Qt::black) {
    auto* x = s->create<tk::Shape>();
    x->Move(r.x(), r.y(), r.width(), r.height());
    x->setFill(fill, colour);
    x->setBorder(border, line);
    return x;
}
}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT
private slots:
    VELMORIA_SUITE_SLOTS

    // Interval 0 delivers nothing; enabling, or a new interval while
    // enabled, starts the interval afresh; disabling stops it.
    void timersOnTheRealClock() {
        Services s;
        tk::Timer::setManual(false);
        tk::Timer t(0);
        int fired = 0;
        t.onTimer = [&] { ++fired; };
        t.setEnabled(true);
        QVERIFY(t.remainingTime() == -1 && !t.fire());
        t.setInterval(50);
        QTRY_VERIFY(fired > 0);
        // Afresh: due no sooner than a whole interval after the change,
        // however slow the machine; one run on would be due sooner.
        QElapsedTimer since;
        since.start();
        t.setInterval(5000);
        QVERIFY(t.remainingTime() >= 5000 - since.elapsed() - 1);
        QTRY_VERIFY(t.remainingTime() < 4990);
        since.start();
        t.setEnabled(true);
        QVERIFY(t.remainingTime() >= 5000 - since.elapsed() - 1);
        t.setEnabled(false);
        QVERIFY(t.remainingTime() == -1 && !t.fire());
        t.setEnabled(true);
        QVERIFY(t.fire());
    }

    // The first picture, read ahead, goes to its own first drawing only.
    void theFirstPictureIsReadAheadAndTakenOnce() {
        QTemporaryDir dir;
        const QString first = picture(dir, "first.bmp", Qt::red);
        tk::readyAhead(first);
        QCOMPARE(colourOf(tk::LoadPicture(picture(dir, "other.bmp", Qt::blue))), QColor(Qt::blue));
        QCOMPARE(colourOf(tk::LoadPicture(first)), QColor(Qt::red));
        picture(dir, "first.bmp", Qt::green);
        QCOMPARE(colourOf(tk::LoadPicture(first)), QColor(Qt::green));
    }

    // A file broken after its check stops the program with an error naming
    // it, once the paint is over: no box may open inside a paint. In a child,
    // since the error ends the process.
    void aFileBrokenAfterItsCheckStopsAfterThePaint() {
        if (isChild()) {
            QTemporaryDir dir;
            const QString path = picture(dir, "late.bmp", Qt::red, QSize(20, 20));
            tk::Surface s;
            s.resize(40, 40);
            s.create<tk::Picture>()->setPicture(tk::LoadPicture(path));
            QFile::resize(path, 200);
            s.grab();
            qInfo("painted");
            QCoreApplication::sendPostedEvents(&s, QEvent::MetaCall);
            return;
        }
        const auto p = child("aFileBrokenAfterItsCheckStopsAfterThePaint");
        QVERIFY(p->waitForFinished(60000));
        const QString out = p->readAllStandardOutput() + p->readAllStandardError();
        QCOMPARE(p->exitCode(), 1);
        QVERIFY2(QRegularExpression("painted.*\\nvelmoria: .*/late.bmp.*途中で切れています", QRegularExpression::DotMatchesEverythingOption)
                     .match(out).hasMatch(), qPrintable(out));
    }

    // Scaled from the file straight to device pixels: at ratio 2 a picture of
    // twice the cell's size shows every one of its pixels (run again with
    // QT_SCALE_FACTOR=2).
    void picturesUseDevicePixels() {
        QTemporaryDir dir;
        QImage checker(40, 20, QImage::Format_RGB888);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        checker.save(dir.path() + "/checker.bmp", "BMP");
        tk::Surface s;
        const qreal ratio = s.devicePixelRatio();
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) QCOMPARE(ratio, 2.0);
        s.resize(int(40 / ratio), int(20 / ratio));
        s.create<tk::Picture>()->setPicture(tk::LoadPicture(dir.path() + "/checker.bmp"));
        QImage shown = s.grab().toImage();
        shown.setDevicePixelRatio(1);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB888), checker);
    }

    void picturesTakeClicksShapesDoNot() {
        Services services;
        tk::Surface s;
        s.resize(700, 300);
        s.Scale(0, 0, 7, 3);
        tk::ControlArray<tk::Picture> faces("faces");
        faces.add(0, s.create<tk::Picture>());
        faces(0).Move(0, 0, 1, 1);
        s.create<tk::Shape>()->Move(0, 0, 7, 3);  // a shape lying over the faces
        faces.Load(1);
        faces(1).Move(1, 0, 1, 1);
        QVERIFY(!faces(1).Visible());  // copies start hidden, right above member 0
        QCOMPARE(s.stackingOrder()[1], static_cast<const tk::Graphic*>(&faces(1)));
        QStringList events;
        faces.MouseDown = [&](int i) { events << QString("down%1").arg(i); };
        faces.MouseUp = [&](int i) { events << QString("up%1").arg(i); };
        faces.Click = [&](int i) { events << QString("click%1").arg(i); };
        s.show();
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(150, 50));  // hidden copy
        faces(1).Show();
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(150, 50));
        // Pressed on one face, released on the other: no click; nor when
        // hidden between press and release.
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(150, 50));
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(50, 50));
        faces(0).Hide();
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(events, QStringList({"down1", "up1", "click1", "down0", "up0", "down0", "up0"}));
        for (int i : {2, -1}) QVERIFY(!Services::fatalOf([&] { faces(i); }).isEmpty());
    }

    void randomDrawsStayBelowOne() {
        tk::Randomize();
        float most = 0;
        for (int i = 0; i < 100000; ++i) most = std::max(most, tk::Rnd());
        QVERIFY(most < 1.0f && most > 0.99f);
    }

    // Each accepted kind gives exactly the pixels written, and passes the
    // check made on its headers alone; each broken one is refused for its
    // own reason, by the headers where they show it.
    void bitmapsReadExactlyOrAreRefused() {
        for (const samples::Sample& s : samples::accepted()) {
            QImage image;
            QCOMPARE(tk::bmp::decode(s.bytes.constData(), s.bytes.size(), &image), Status::Ok);
            QCOMPARE(image.format(), QImage::Format_RGB32);
            tk::bmp::Header h;
            QCOMPARE(tk::bmp::readHeader(s.bytes.constData(), tk::bmp::kHeadBytes, s.bytes.size(), &h), Status::Ok);
            QCOMPARE(QSize(int(h.width), int(h.height)), image.size());
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    QVERIFY2(image.pixel(x, y) == s.pixel(x, y), qPrintable(QString("%1: %2,%3 is %4, not %5").arg(s.name)
                        .arg(x).arg(y).arg(image.pixel(x, y), 8, 16).arg(s.pixel(x, y), 8, 16)));
        }
        for (const samples::Sample& s : samples::refused()) {
            QImage image;
            const Status decoded = tk::bmp::decode(s.bytes.constData(), s.bytes.size(), &image);
            QVERIFY2(decoded == s.status && image.isNull(), qPrintable(s.name + ": " + tk::bmp::reason(decoded)));
            tk::bmp::Header h;
            const Status checked = tk::bmp::readHeader(s.bytes.constData(), std::min<qint64>(s.bytes.size(), tk::bmp::kHeadBytes),
                                                       s.bytes.size(), &h);
            QVERIFY2(checked == (s.headersPass ? Status::Ok : s.status), qPrintable(s.name + " (headers): " + tk::bmp::reason(checked)));
        }
    }

    // Errors name the file and say what is wrong; files whose content never
    // ends are read up to the cap; a FIFO is refused before it is opened for
    // long, so nothing waits for a writer that never comes.
    void pictureErrorsSayWhatIsWrong() {
        Services services;
        QTemporaryDir dir;
        const QString d = dir.path();
        QDir(d).mkdir("folder.bmp");
        QCOMPARE(::mkfifo(QFile::encodeName(d + "/fifo.bmp").constData(), 0600), 0);
        QVERIFY(QFile::link("/dev/null", d + "/device.bmp") && QFile::link("/proc/self/pagemap", d + "/endless.bmp"));
        QVERIFY(QFile::link(d + "/loop2.bmp", d + "/loop1.bmp") && QFile::link(d + "/loop1.bmp", d + "/loop2.bmp"));
        QVERIFY(QFile::link(d + "/nowhere.bmp", d + "/dangling.bmp"));
        const std::pair<const char*, QByteArray> files[] = {
            {"short.bmp", samples::write({40, 24}, 8, 8, samples::noise(0)).left(100)},
            {"text.bmp", "not a picture at all"}, {"long", QByteArray(2000, 'x')}};
        for (const auto& [name, bytes] : files) {
            QFile f(d + "/" + name);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        const int fd = ::open(QFile::encodeName(d + "/long").constData(), O_RDONLY);
        QByteArray data;
        QCOMPARE(tk::bmp::readAtMost(fd, 1000, &data), Status::TooLarge);
        ::close(fd);
        const std::pair<const char*, Status> cases[] = {
            {"missing.bmp", Status::NotFound},  {"dangling.bmp", Status::NotFound}, {"folder.bmp", Status::NotRegular},
            {"fifo.bmp", Status::NotRegular},   {"device.bmp", Status::NotRegular}, {"loop1.bmp", Status::NotRegular},
            {"short.bmp", Status::CutShort},    {"text.bmp", Status::NotBitmap},    {"endless.bmp", Status::TooLarge}};
        for (const auto& [name, status] : cases) {
            const QString error = Services::fatalOf([&] { tk::LoadPicture(d + "/" + name); });
            QVERIFY2(error.contains(d + "/" + name) && error.contains(tk::bmp::reason(status)), qPrintable(name + (": " + error)));
        }
    }

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
        QVERIFY(img.pixelColor(5, 49) == line && img.pixelColor(10, 30) == Qt::black && img.pixelColor(24, 49) == Qt::white);
    }

    void panelsLieInFront() {
        QTemporaryDir dir;
        tk::Surface s;
        s.resize(300, 200);
        s.Scale(0, 0, 3, 2);
        auto* pic = s.create<tk::Picture>();
        pic->setPicture(tk::LoadPicture(picture(dir, "blue.bmp", Qt::blue)));
        pic->Move(0, 0, 3, 2);
        auto* panel = new tk::Panel(&s);
        panel->Move(1, 1, 1, 1);
        panel->Scale(0, 0, 2, 1000);
        shape(panel, {0, 0, 1, 500}, tk::Shape::Solid, Qt::red, false);
        shape(&s, {0, 0, 3, 2}, tk::Shape::Transparent, Qt::green, true, Qt::green);  // later, still behind
        s.show();
        QCOMPARE(panel->geometry(), QRect(100, 100, 100, 100));
        QCOMPARE(s.childAt(150, 150), panel);
        const QImage img = onScreen(&s);
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
            if (step % 3 == 0) QVERIFY2(!onScreen(&s).isNull(), qPrintable(QString::number(step)));
        }
    }
};

QTEST_MAIN(ToolkitTest)
#include "test_toolkit.moc"
