// The toolkit layer on its own: timers, picture files, the drawing surface
// and its mouse rules, control arrays, the window's activation.
#include "toolkit/controlarray.h"
#include "toolkit/form.h"
#include "toolkit/runtime.h"
#include "toolkit/timer.h"

#include <QFile>
#include <QSignalSpy>
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

    void refusesBrokenBitmaps() {
        QTemporaryDir dir;
        const QByteArray good = bmp(16, 16);
        const struct {
            const char* name;
            QByteArray data;
        } cases[] = {
            {"empty", {}},
            {"headers cut", good.left(30)},
            {"pixels cut", good.left(good.size() - 10)},
            {"not a bitmap", QByteArray("\x89PNG\r\n\x1a\n-not-really-a-picture-at-all-but-long-enough-------")},
            {"absurd size", [&] {
                 QByteArray b = good;
                 qToLittleEndian<qint32>(100000, b.data() + 18);
                 return b;
             }()},
        };
        for (const auto& c : cases) {
            const QString path = dir.path() + "/x.bmp";
            write(path, c.data);
            QString why;
            QVERIFY2(tk::readBitmap(path, &why).isNull(), c.name);
            QVERIFY2(!why.isEmpty(), c.name);
        }
        write(dir.path() + "/x.bmp", good);
        QCOMPARE(tk::readBitmap(dir.path() + "/x.bmp").size(), QSize(16, 16));
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
