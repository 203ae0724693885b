// The toolkit layer on its own: timers on the real clock, picture files,
// the drawing surface's mouse rules and control arrays.
#include "toolkit/controlarray.h"
#include "toolkit/pictures.h"
#include "toolkit/runtime.h"
#include "toolkit/timer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A picture file of one colour, as Qt writes bitmaps.
QString picture(const QTemporaryDir& dir, const QString& name, QColor colour, QSize size = QSize(8, 8)) {
    QImage img(size, QImage::Format_RGB888);
    img.fill(colour);
    img.save(dir.filePath(name), "BMP");
    return dir.filePath(name);
}

QColor colourOf(const tk::PictureFile& f) { return f.scaled(QSize(8, 8), 1, nullptr).toImage().pixelColor(0, 0); }

}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT
private slots:
    // Interval 0 delivers nothing; enabling, or a new interval while
    // enabled, starts the interval afresh; disabling stops it.
    void timersOnTheRealClock() {
        tk::Timer t(0);
        int fired = 0;
        t.onTimer = [&] { ++fired; };
        t.setEnabled(true);
        QCOMPARE(t.remainingTime(), -1);
        QVERIFY(!t.fire());
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
        QCOMPARE(t.remainingTime(), -1);
        QVERIFY(!t.fire());
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
    // it, once the paint is over: no box may open inside a paint.
    void aFileBrokenAfterItsCheckStopsAfterThePaint() {
        QTemporaryDir dir;
        const QString path = picture(dir, "late.bmp", Qt::red, QSize(20, 20));
        tk::Surface s;
        s.resize(40, 40);
        s.create<tk::Picture>()->setPicture(tk::LoadPicture(path));
        QFile::resize(path, 200);
        QStringList errors;
        tk::setFatalHandler([&](const QString& m) {
            errors << m;
            throw std::runtime_error("stop");
        });
        s.grab();
        QVERIFY(errors.isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, QCoreApplication::sendPostedEvents(&s, QEvent::MetaCall));
        s.grab();  // not tried again
        QCoreApplication::sendPostedEvents(&s, QEvent::MetaCall);
        tk::setFatalHandler({});
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(path) && errors[0].contains("途中で切れています"), qPrintable(errors[0]));
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

        tk::setFatalHandler([](const QString& m) { throw std::out_of_range(m.toStdString()); });
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, faces(2));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, faces(-1));
        tk::setFatalHandler({});
    }

    void randomDrawsStayBelowOne() {
        tk::Randomize();
        for (int i = 0; i < 100000; ++i) {
            const float r = tk::Rnd();
            QVERIFY(r >= 0.0f && r < 1.0f);
        }
    }
};

QTEST_MAIN(ToolkitTest)
#include "test_toolkit.moc"
