// The bitmap reader on its own: every accepted kind against the reference
// reading, every refused header, endless files, and the reasons it gives.
#include "bitmap_reference.h"
#include "bitmap_samples.h"
#include "toolkit/pictures.h"
#include "toolkit/runtime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using tk::bmp::Status;

namespace {
void write(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// LoadPicture's error for a path, or an empty string when it loads.
QString loadError(const QString& path) {
    QString message;
    tk::setFatalHandler([&](const QString& m) {
        message = m;
        throw std::runtime_error("stop");
    });
    try {
        tk::LoadPicture(path);
    } catch (const std::runtime_error&) {
    }
    tk::setFatalHandler({});
    return message;
}
}  // namespace

class BitmapTest : public QObject {
    Q_OBJECT
private slots:
    void everyAcceptedKindGivesExactlyItsPixels() {
        for (const samples::Sample& s : samples::accepted()) {
            const char* name = qPrintable(s.name);
            QImage image;
            QCOMPARE(tk::bmp::decode(s.bytes.constData(), s.bytes.size(), &image), Status::Ok);
            const auto ref = reference::decode(reinterpret_cast<const uchar*>(s.bytes.constData()),
                                               size_t(s.bytes.size()));
            QVERIFY2(ref, name);
            QCOMPARE(image.size(), QSize(int(ref->width), int(ref->height)));
            QCOMPARE(image.format(), QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != ref->at(x, y))
                        QFAIL(qPrintable(QString("%1: pixel %2,%3 is %4, not %5").arg(s.name).arg(x).arg(y)
                                             .arg(image.pixel(x, y), 8, 16).arg(ref->at(x, y), 8, 16)));
            // The check made before a picture is drawn passes on its headers alone.
            tk::bmp::Header h;
            QCOMPARE(tk::bmp::readHeader(s.bytes.constData(), tk::bmp::kHeadBytes, s.bytes.size(), &h),
                     Status::Ok);
            QCOMPARE(QSize(int(h.width), int(h.height)), image.size());
        }
    }

    void refusesEachBrokenFile() {
        for (const samples::Sample& s : samples::refused()) {
            QImage image;
            const Status decoded = tk::bmp::decode(s.bytes.constData(), s.bytes.size(), &image);
            QVERIFY2(decoded == s.status, qPrintable(s.name + ": " + tk::bmp::reason(decoded)));
            QVERIFY2(image.isNull(), qPrintable(s.name));
            if (s.headersPass) continue;
            tk::bmp::Header h;
            const Status checked = tk::bmp::readHeader(s.bytes.constData(), std::min<qint64>(s.bytes.size(), tk::bmp::kHeadBytes),
                                                       s.bytes.size(), &h);
            QVERIFY2(checked == s.status, qPrintable(s.name + " (headers): " + tk::bmp::reason(checked)));
        }
    }

    // Files whose content never ends are read up to the cap and refused,
    // whatever size they claim.
    void endlessFilesAreTooLarge() {
        QTemporaryDir dir;
        write(dir.filePath("long"), QByteArray(2000, 'x'));
        const int fd = ::open(QFile::encodeName(dir.filePath("long")).constData(), O_RDONLY);
        QByteArray data;
        QCOMPARE(tk::bmp::readAtMost(fd, 1000, &data), Status::TooLarge);
        ::close(fd);
        QImage none;
        if (!QFile::exists("/proc/self/pagemap") || ::access("/proc/self/pagemap", R_OK) != 0)
            QSKIP("no /proc/self/pagemap to read");
        QVERIFY(QFile::link("/proc/self/pagemap", dir.filePath("face.bmp")));
        QCOMPARE(tk::bmp::loadFile(dir.filePath("face.bmp"), &none), Status::TooLarge);
        const QString error = loadError(dir.filePath("face.bmp"));
        QVERIFY2(error.contains("face.bmp") && error.contains(tk::bmp::reason(Status::TooLarge)),
                 qPrintable(error));
    }

    void errorsSayWhatIsWrongAndNameTheFile() {
        QTemporaryDir dir;
        const QString d = dir.path();
        QDir(d).mkdir("folder.bmp");
        QCOMPARE(::mkfifo(QFile::encodeName(d + "/fifo.bmp").constData(), 0600), 0);
        QVERIFY(QFile::link("/dev/null", d + "/device.bmp"));
        QVERIFY(QFile::link(d + "/loop2.bmp", d + "/loop1.bmp"));
        QVERIFY(QFile::link(d + "/loop1.bmp", d + "/loop2.bmp"));
        QVERIFY(QFile::link(d + "/nowhere.bmp", d + "/dangling.bmp"));
        write(d + "/short.bmp", samples::write({40, 24}, 8, 8, samples::noise(0)).left(100));
        write(d + "/text.bmp", "not a picture at all");
        // A FIFO is refused before it is opened for long: nothing waits for
        // a writer that never comes.
        const struct { const char* name; Status status; } cases[] = {
            {"missing.bmp", Status::NotFound},   {"dangling.bmp", Status::NotFound},
            {"folder.bmp", Status::NotRegular},  {"fifo.bmp", Status::NotRegular},
            {"device.bmp", Status::NotRegular},  {"loop1.bmp", Status::NotRegular},
            {"short.bmp", Status::CutShort},     {"text.bmp", Status::NotBitmap},
        };
        for (const auto& c : cases) {
            const QString error = loadError(d + "/" + c.name);
            QVERIFY2(error.contains(d + "/" + c.name), qPrintable(error));
            QVERIFY2(error.contains(tk::bmp::reason(c.status)), qPrintable(c.name + (": " + error)));
        }
    }
};

QTEST_MAIN(BitmapTest)
#include "test_bitmap.moc"
