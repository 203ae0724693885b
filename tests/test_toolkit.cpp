// The toolkit layer on its own: timers, picture files (decoded and scaled
// ahead too, and the first one's copy kept for the next start), the drawing
// surface and its mouse rules, control arrays, the window's activation and
// its menu bar.
#include "toolkit/controlarray.h"
#include "toolkit/form.h"
#include "toolkit/headstart.h"
#include "toolkit/pictures.h"
#include "toolkit/runtime.h"
#include "toolkit/timer.h"

#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include <sys/stat.h>

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
    // The window's menu bar is made without loading Qt's image plugins
    // (first, before any other test reads a picture through Qt).
    void menuBarLoadsNoImagePlugins() {
        auto plugins = [] {
            QFile maps("/proc/self/maps");
            return maps.open(QIODevice::ReadOnly) ? maps.readAll().count("/imageformats/") : -1;
        };
        const qsizetype before = plugins();
        tk::Form form;
        form.menuBar()->addMenu(QStringLiteral("設定"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(plugins(), before);
        QVERIFY(!form.style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).isNull());
    }

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

    void findsFilesWhateverTheirCase() {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("GF");
        write(dir.path() + "/GF/stt.bmp", bmp(4, 4));
        write(dir.path() + "/GF/Fce8.bmp", bmp(4, 4));
        const QString base = dir.path() + "/";
        QCOMPARE(tk::findFile(base + "GF\\stt.bmp"), base + "GF/stt.bmp");
        QCOMPARE(tk::findFile(base + "gf\\STT.BMP"), base + "GF/stt.bmp");
        QCOMPARE(tk::findFile(base + "gf\\fce8.bmp"), base + "GF/Fce8.bmp");
        QCOMPARE(tk::findFile(base + "Gf/FCE8.bmp"), base + "GF/Fce8.bmp");
        QVERIFY(tk::findFile(base + "GF\\fce9.bmp").isEmpty());
        QVERIFY(tk::findFile(base + "GF").isEmpty());  // a folder is not a picture
        QVERIFY(tk::findFile(base + "GF\\stt.bmp\\x").isEmpty());
        QVERIFY(!tk::readBitmap(base + "gf\\FCE8.BMP").isNull());
    }

    // Checked when asked for, decoded when first drawn, and never decoded or
    // scaled again while a copy of the right size is at hand.
    void picturesAreDecodedOnceWhenFirstDrawn() {
        tk::clearPictureCache();
        QTemporaryDir dir;
        write(dir.path() + "/a.bmp", bmp(60, 40));
        write(dir.path() + "/b.bmp", bmp(30, 30));
        tk::Surface s;
        s.resize(300, 200);
        s.Scale(0, 0, 3, 2);
        auto* pic = s.create<tk::Picture>();
        pic->Move(0, 0, 1, 1);
        const auto before = tk::pictureStats();
        auto costs = [&] {
            const auto now = tk::pictureStats();
            return QPair<int, int>(now.decodes - before.decodes, now.scalings - before.scalings);
        };
        const tk::PictureFile a = tk::LoadPicture(dir.path() + "/A.BMP");
        QCOMPARE(a.size(), QSize(60, 40));
        pic->setPicture(a);
        QCOMPARE(pic->source(), dir.path() + "/a.bmp");
        QCOMPARE(costs(), qMakePair(0, 0));
        s.grab();
        QCOMPARE(costs(), qMakePair(1, 1));
        s.grab();
        pic->setPicture(tk::LoadPicture(dir.path() + "/a.bmp"));  // asked for again
        s.grab();
        QCOMPARE(costs(), qMakePair(1, 1));
        pic->setPicture(tk::LoadPicture(dir.path() + "/b.bmp"));
        s.grab();
        pic->setPicture(tk::LoadPicture(dir.path() + "/a.bmp"));  // back to one just shown
        s.grab();
        QCOMPARE(costs(), qMakePair(2, 2));
        // Another control of the same size shares the copy; another size
        // needs its own.
        auto* same = s.create<tk::Picture>();
        same->Move(1, 0, 1, 1);
        same->setPicture(a);
        s.grab();
        QCOMPARE(costs(), qMakePair(2, 2));
        pic->Move(0, 0, 2, 2);
        s.grab();
        QCOMPARE(costs(), qMakePair(3, 3));
    }

    // The cache of scaled copies stays within its bound, keeping the latest.
    void scaledCopiesAreBounded() {
        tk::clearPictureCache();
        QTemporaryDir dir;
        write(dir.path() + "/a.bmp", bmp(64, 64));
        const tk::PictureFile a = tk::LoadPicture(dir.path() + "/a.bmp");
        const qint64 limit = tk::pictureStats().cacheLimit;
        QVERIFY(limit > 0);
        for (int side = 400; side < 800; side += 25) {
            QVERIFY(!a.scaled(QSize(side, side), 1, nullptr).isNull());
            QVERIFY(tk::pictureStats().cachedBytes <= limit);
        }
        QVERIFY(tk::pictureStats().cachedCopies < 16);
        const int decodes = tk::pictureStats().decodes;
        a.scaled(QSize(775, 775), 1, nullptr);
        QCOMPARE(tk::pictureStats().decodes, decodes);
        // The latest is kept even when it alone is over the bound.
        a.scaled(QSize(2000, 2000), 1, nullptr);
        a.scaled(QSize(2000, 2000), 1, nullptr);
        QCOMPARE(tk::pictureStats().decodes, decodes + 1);
        QCOMPARE(tk::pictureStats().cachedCopies, 1);
    }

    // A file checked when asked for but broken before it is drawn.
    void aFileBrokenAfterItsCheckNamesItself() {
        QTemporaryDir dir;
        const QString path = dir.path() + "/late.bmp";
        write(path, bmp(20, 20));
        const tk::PictureFile late = tk::LoadPicture(path);
        write(path, bmp(20, 20).left(200));
        QString error;
        QVERIFY(late.scaled(QSize(10, 10), 1, &error).isNull());
        QVERIFY2(error.contains(path) && error.contains("途中で切れています"), qPrintable(error));
    }

    // The first picture can be decoded on another thread while the window
    // opens: its first draw takes those pixels, once. Work that never ran,
    // or a file broken before it ran, is handled as without it.
    void picturesDecodedAheadAreTakenOnce() {
        tk::clearPictureCache();
        QTemporaryDir dir;
        QImage art(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < art.height(); ++y)
            for (int x = 0; x < art.width(); ++x) art.setPixel(x, y, qRgb(x * 6, y * 8, (x + y) * 3));
        const QString path = dir.path() + "/Art.bmp";
        QVERIFY(art.save(path, "BMP"));
        auto shown = [](const tk::PictureFile& f, QString* error = nullptr) {
            return f.scaled(QSize(40, 30), 1, error).toImage().convertToFormat(QImage::Format_RGB32);
        };
        const int before = tk::pictureStats().decodes;

        std::thread(tk::decodeAhead(dir.path() + "/art.BMP")).join();
        const tk::PictureFile file = tk::LoadPicture(path);
        QVERIFY(QFile::remove(path));  // the pixels are at hand already
        QCOMPARE(shown(file), art);
        QCOMPARE(tk::pictureStats().decodes, before + 1);
        QVERIFY(file.scaled(QSize(20, 15), 1, nullptr).isNull());  // taken once

        QVERIFY(art.save(path, "BMP"));
        tk::clearPictureCache();
        { const auto dropped = tk::decodeAhead(path); }
        QCOMPARE(shown(tk::LoadPicture(path)), art);

        // Work not done soon is not waited for: its thread may get no time.
        tk::clearPictureCache();
        const auto pending = tk::decodeAhead(path);
        QCOMPARE(shown(tk::LoadPicture(path)), art);
        pending();

        tk::clearPictureCache();
        const auto late = tk::decodeAhead(path);
        const tk::PictureFile checked = tk::LoadPicture(path);
        QFile whole(path);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        write(path, whole.readAll().left(200));
        std::thread(late).join();
        QString error;
        QVERIFY(shown(checked, &error).isNull());
        QVERIFY2(error.contains("途中で切れています"), qPrintable(error));
    }

    void whatIsRememberedIsASizeAndASource() {
        QTemporaryDir dir;
        const QString file = dir.path() + "/first-picture-size";
        QVERIFY(!tk::remembered(file).size.isValid());
        QVERIFY(tk::remember(file, {QSize(922, 438), {}}));
        QCOMPARE(tk::remembered(file).size, QSize(922, 438));
        QVERIFY(tk::remembered(file).source.isEmpty());
        const QByteArray source = tk::fileIdentity(file);
        QVERIFY(!source.isEmpty());
        QVERIFY(tk::remember(file, {QSize(1383, 657), source}));
        QCOMPARE(tk::remembered(file).size, QSize(1383, 657));
        QCOMPARE(tk::remembered(file).source, source);

        for (const QByteArray& junk : {QByteArray(), QByteArray("922"), QByteArray("922 438 1a 2b"),
                                       QByteArray("922x438"), QByteArray("-922 438"), QByteArray("0 438"),
                                       QByteArray("99999 438"), QByteArray("922 438 ../x"),
                                       QByteArray("922 438\n") + QByteArray(200, ' '),
                                       QByteArray("\xff\xfe 9", 4)}) {
            write(file, junk);
            QVERIFY2(!tk::remembered(file).size.isValid(), junk.constData());
        }
        QFile::remove(file);
        QVERIFY(mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        QVERIFY(!tk::remembered(file).size.isValid());  // and it did not wait for a writer
        QVERIFY(!tk::remembered(dir.path()).size.isValid());
        QVERIFY(tk::fileIdentity(dir.path() + "/gone").isEmpty());
    }

    // The first picture's copy is kept for the next start and taken then
    // while the file is unchanged and the size the same; else it is made
    // anew from the file and kept in its place.
    void theFirstPictureIsKeptForTheNextStart() {
        QTemporaryDir dir;
        const QString path = dir.path() + "/stt.bmp", cache = dir.path() + "/cache";
        QImage art(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < art.height(); ++y)
            for (int x = 0; x < art.width(); ++x) art.setPixel(x, y, qRgb(x * 6, y * 8, (x ^ y) * 4));
        QVERIFY(art.save(path, "BMP"));
        const QImage expected = art.scaled(25, 17, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // One start: the work, the picture drawn at 25 x 17, what follows the frame.
        auto start = [&](QSize size) {
            tk::clearPictureCache();
            std::thread(tk::firstPictureAhead(path, cache)).join();
            const QImage shown = tk::LoadPicture(path).scaled(size, 1, nullptr).toImage();
            QCoreApplication::sendPostedEvents();
            return shown.convertToFormat(QImage::Format_RGB32);
        };
        auto kept = [&] {
            QImage copy;
            tk::bmp::loadFile(cache + "/first-picture.bmp", &copy);
            return copy;
        };

        QCOMPARE(start(QSize(25, 17)), expected);  // the first start ever
        QCOMPARE(kept(), expected);
        QCOMPARE(tk::remembered(cache + "/first-picture-size").size, QSize(25, 17));

        // Taken from the copy: a copy of other pixels shows those.
        QImage other(25, 17, QImage::Format_RGB32);
        other.fill(qRgb(10, 200, 30));
        write(cache + "/first-picture.bmp", tk::bmp::encode(other));
        const int decodes = tk::pictureStats().decodes, scalings = tk::pictureStats().scalings;
        QCOMPARE(start(QSize(25, 17)), other);
        QCOMPARE(tk::pictureStats().scalings, scalings);
        QCOMPARE(tk::pictureStats().decodes, decodes + 1);

        // A copy broken or of another size, another window size, a changed
        // file: each time the file's own pixels, and the copy made anew.
        write(cache + "/first-picture.bmp", tk::bmp::encode(other).left(100));
        QCOMPARE(start(QSize(25, 17)), expected);
        QCOMPARE(kept(), expected);
        write(cache + "/first-picture.bmp", tk::bmp::encode(other.scaled(24, 17)));
        QCOMPARE(start(QSize(25, 17)), expected);
        QCOMPARE(start(QSize(20, 15)), art.scaled(20, 15, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QCOMPARE(tk::remembered(cache + "/first-picture-size").size, QSize(20, 15));
        write(cache + "/first-picture.bmp", tk::bmp::encode(other.scaled(20, 15)));
        QImage changed = art;
        changed.setPixel(0, 0, qRgb(255, 255, 255));
        QVERIFY(changed.save(path, "BMP"));
        QCOMPARE(start(QSize(20, 15)), changed.scaled(20, 15, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
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
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, tk::LoadPicture("/nowhere/GF\\stt.bmp"));
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
