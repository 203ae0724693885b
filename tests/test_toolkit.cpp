// The toolkit layer on its own: timers, picture files, the drawing surface
// and its mouse rules, control arrays and the window's activation.
#include "toolkit/controlarray.h"
#include "toolkit/form.h"
#include "toolkit/pictures.h"
#include "toolkit/runtime.h"
#include "toolkit/timer.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray bmp(int w, int h) {
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(Qt::red);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "BMP");
    return data;
}

void write(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

struct ActivationCounter : tk::Form {
    int activations = 0;
    void Form_Activate() override { ++activations; }
};
}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT
private slots:
    void intervalZeroNeverFires() {
        tk::Timer t(0);
        int fired = 0;
        t.onTimer = [&] { ++fired; };
        t.setEnabled(true);
        QVERIFY(!t.running());
        QTest::qWait(60);
        QCOMPARE(fired, 0);
        QVERIFY(!t.fire());
        // A real interval makes the same enabled timer deliver.
        t.setInterval(10);
        QVERIFY(t.running());
        QTRY_VERIFY_WITH_TIMEOUT(fired > 0, 2000);
        t.setInterval(0);
        const int before = fired;
        QTest::qWait(50);
        QCOMPARE(fired, before);
    }

    void enablingRestartsAndDisablingCancels() {
        tk::Timer t(200);
        int fired = 0;
        t.onTimer = [&] { ++fired; };
        t.setEnabled(true);
        QTest::qWait(120);
        t.setEnabled(true);  // restart: the next event is a full interval away
        QTest::qWait(120);
        QCOMPARE(fired, 0);
        t.setEnabled(false);
        QTest::qWait(150);
        QCOMPARE(fired, 0);
        QVERIFY(!t.fire());
        t.setEnabled(true);
        QVERIFY(t.fire());
        QCOMPARE(fired, 1);
    }

    // Checked when asked for, decoded when first drawn, and not again while
    // it is shown at the same size.
    void picturesAreDecodedWhenFirstDrawn() {
        QTemporaryDir dir;
        write(dir.path() + "/a.bmp", bmp(60, 40));
        write(dir.path() + "/b.bmp", bmp(30, 30));
        tk::Surface s;
        s.resize(300, 200);
        s.Scale(0, 0, 3, 2);
        auto* pic = s.create<tk::Picture>();
        pic->Move(0, 0, 1, 1);
        const int before = tk::pictureDecodes();
        const tk::PictureFile a = tk::LoadPicture(dir.path() + "/a.bmp");
        QCOMPARE(a.size(), QSize(60, 40));
        pic->setPicture(a);
        QCOMPARE(tk::pictureDecodes(), before);
        s.grab();
        s.grab();
        pic->setPicture(tk::LoadPicture(dir.path() + "/a.bmp"));  // asked for again
        s.grab();
        QCOMPARE(tk::pictureDecodes(), before + 1);
        pic->setPicture(tk::LoadPicture(dir.path() + "/b.bmp"));
        s.grab();
        pic->Move(0, 0, 2, 2);
        s.grab();
        QCOMPARE(tk::pictureDecodes(), before + 3);
    }

    // The first picture, read ahead, goes to its own first drawing only.
    void theFirstPictureIsReadAheadAndTakenOnce() {
        QTemporaryDir dir;
        const QString first = dir.path() + "/first.bmp", other = dir.path() + "/other.bmp";
        write(first, bmp(8, 8));
        QImage blue(8, 8, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(other, "BMP"));
        auto colour = [](const tk::PictureFile& f) { return f.scaled(QSize(8, 8), 1, nullptr).toImage().pixelColor(0, 0); };
        tk::readyAhead(first);
        QCOMPARE(colour(tk::LoadPicture(other)), QColor(Qt::blue));
        QCOMPARE(colour(tk::LoadPicture(first)), QColor(Qt::red));
        QVERIFY(blue.save(first, "BMP"));
        QCOMPARE(colour(tk::LoadPicture(first)), QColor(Qt::blue));
    }

    // A file checked when asked for but broken before it is drawn stops the
    // program with an error naming it, once the paint is over: no box may
    // open inside a paint.
    void aFileBrokenAfterItsCheckStopsAfterThePaint() {
        QTemporaryDir dir;
        const QString path = dir.path() + "/late.bmp";
        write(path, bmp(20, 20));
        tk::Surface s;
        s.resize(40, 40);
        auto* pic = s.create<tk::Picture>();
        pic->setPicture(tk::LoadPicture(path));
        write(path, bmp(20, 20).left(200));
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
    // twice the cell's size shows every one of its pixels.
    void picturesUseDevicePixels() {
        QTemporaryDir dir;
        QImage checker(40, 20, QImage::Format_RGB888);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        checker.save(dir.path() + "/checker.bmp", "BMP");
        tk::Surface s;
        s.resize(20, 10);
        auto* pic = s.create<tk::Picture>();
        pic->setPicture(tk::LoadPicture(dir.path() + "/checker.bmp"));

        auto devicePixels = [](QImage image) {
            image.setDevicePixelRatio(1);
            return image.convertToFormat(QImage::Format_RGB888);
        };
        QImage canvas(40, 20, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(2);
        {
            QPainter p(&canvas);
            pic->paint(p, QRect(0, 0, 20, 10));
        }
        QCOMPARE(devicePixels(canvas), checker);

        // And through the widget at the screen's own ratio (run again with
        // QT_SCALE_FACTOR=2).
        const qreal ratio = s.devicePixelRatio();
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) QCOMPARE(ratio, 2.0);
        s.resize(int(40 / ratio), int(20 / ratio));
        s.Scale(0, 0, 1, 1);
        pic->Move(0, 0, 1, 1);
        const QImage shown = devicePixels(s.grab().toImage());
        QCOMPARE(shown.size(), QSize(40, 20));
        QCOMPARE(shown, checker);
    }

    void fatalNamesTheFile() {
        QString message;
        tk::setFatalHandler([&](const QString& m) {
            message = m;
            throw std::runtime_error("stop");
        });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, tk::LoadPicture("/nowhere/GF/stt.bmp"));
        tk::setFatalHandler({});
        QVERIFY(message.contains("/nowhere/GF/stt.bmp"));
    }

    void userScaleTilesThePixels() {
        tk::Surface s;
        s.resize(922, 436);
        s.Scale(0, 0, 7, 3);
        int right = 0;
        for (int i = 0; i < 7; ++i) {
            const QRect r = s.toPixels(QRectF(i, 0, 1, 1));
            QCOMPARE(r.left(), right);  // no gaps, no overlaps
            right = r.left() + r.width();
            QVERIFY(qAbs(r.width() - 922.0 / 7) < 1);
        }
        QCOMPARE(right, 922);
        QCOMPARE(s.toPixels(QRectF(0, 2.5, 7, 0.5)).bottom(), 435);
    }

    void picturesTakeClicksShapesDoNot() {
        tk::Surface s;
        s.resize(700, 300);
        s.Scale(0, 0, 7, 3);
        tk::ControlArray<tk::Picture> faces("faces");
        faces.add(0, s.create<tk::Picture>());
        faces(0).Move(0, 0, 1, 1);
        auto* over = s.create<tk::Shape>();  // a shape lying over the face
        over->Move(0, 0, 7, 3);
        faces.Load(1);
        faces(1).Move(1, 0, 1, 1);
        QVERIFY(!faces(1).Visible());  // copies start hidden
        // The copy sits right above member 0, below the shape.
        const auto order = s.stackingOrder();
        QCOMPARE(order[1], static_cast<const tk::Graphic*>(&faces(1)));

        QStringList events;
        faces.MouseDown = [&](int i) { events << QString("down%1").arg(i); };
        faces.MouseUp = [&](int i) { events << QString("up%1").arg(i); };
        faces.Click = [&](int i) { events << QString("click%1").arg(i); };
        s.show();
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(150, 50));  // hidden copy
        QVERIFY(events.isEmpty());
        faces(1).Show();
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(150, 50));
        QCOMPARE(events, QStringList({"down1", "up1", "click1"}));
        events.clear();
        // Pressed on one face, released on the other: no click.
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(150, 50));
        QCOMPARE(events, QStringList({"down0", "up0"}));
        events.clear();
        // Hidden between press and release: the release arrives, the click not.
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(50, 50));
        faces(0).Hide();
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(events, QStringList({"down0", "up0"}));
    }

    void controlArrayIndexOutOfRangeIsFatal() {
        tk::Surface s;
        tk::ControlArray<tk::Shape> shapes("shapes");
        shapes.add(0, s.create<tk::Shape>());
        tk::setFatalHandler([](const QString&) { throw std::out_of_range("index"); });
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, shapes(7));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, shapes(-1));
        tk::setFatalHandler({});
    }

    void activationRunsOnceWhenFirstShown() {
        ActivationCounter form;
        QCOMPARE(form.activations, 0);
        form.show();
        QCOMPARE(form.activations, 1);
        form.hide();
        form.show();
        form.activateWindow();
        QApplication::processEvents();
        QCOMPARE(form.activations, 1);
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
