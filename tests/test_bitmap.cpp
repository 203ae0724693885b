// The bitmap reader on its own: every accepted kind against the reference
// reading, every refused header, endless files, and the reasons it gives.
#include "bitmap_reference.h"
#include "bitmap_samples.h"
#include "permissions.h"
#include "toolkit/pictures.h"
#include "toolkit/runtime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <csignal>
#include <thread>

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

    // A few pixels worked out by hand, so that both readings are held to
    // the rule itself: round(v * 255 / (2^n - 1)), table entries as stored.
    void channelsWidenByRounding() {
        const QByteArray b16 = samples::write({40, 16, true, {0xF800, 0x07E0, 0x001F}}, 3, 1, [](int x, int) {
            return std::array<uint32_t, 3>{0xFFFF, 0x8410, 0x0821}[x];
        });
        const QByteArray b32 = samples::write({124, 32, true, {0x3FF00000, 0xFFC00, 0x3FF}}, 1, 1,
                                              [](int, int) { return 0xC0000000u | 512u << 20 | 1u << 10 | 1019u; });
        const QByteArray b4 = samples::write({12, 4}, 3, 2, [](int x, int y) { return uint32_t(x + 3 * y); });
        QImage i16, i32, i4;
        QCOMPARE(tk::bmp::decode(b16.constData(), b16.size(), &i16), Status::Ok);
        QCOMPARE(tk::bmp::decode(b32.constData(), b32.size(), &i32), Status::Ok);
        QCOMPARE(tk::bmp::decode(b4.constData(), b4.size(), &i4), Status::Ok);
        QCOMPARE(i16.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(i16.pixel(1, 0), qRgb(132, 130, 132));  // 16/31, 32/63, 16/31
        QCOMPARE(i16.pixel(2, 0), qRgb(8, 4, 8));        // 1/31, 1/63, 1/31
        QCOMPARE(i32.pixel(0, 0), qRgb(128, 0, 254));    // 512/1023, 1/1023, 1019/1023; alpha ignored
        QCOMPARE(i4.pixel(2, 1), qRgb(255 - 5 * 13, 5 * 91 + 200 - 512, 5 * 37 + 11));  // entry 5
        const auto ref = reference::decode(reinterpret_cast<const uchar*>(b16.constData()), size_t(b16.size()));
        QCOMPARE(ref->at(1, 0), i16.pixel(1, 0));
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
        std::signal(SIGPIPE, SIG_IGN);
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        std::thread writer([&] {
            const int fd = ::open(fifo.constData(), O_WRONLY);
            const QByteArray chunk = samples::write({40, 24}, 64, 64, samples::noise(0));
            while (::write(fd, chunk.constData(), size_t(chunk.size())) > 0) {
            }
            ::close(fd);  // the reader has gone
        });
        const int fd = ::open(fifo.constData(), O_RDONLY);
        QByteArray data;
        const Status s = tk::bmp::readAtMost(fd, 1024 * 1024, &data);
        ::close(fd);
        writer.join();
        QCOMPARE(s, Status::TooLarge);
        QVERIFY(data.isEmpty());

        // Opened in place of a picture, a FIFO is refused before it is read:
        // nothing waits for a writer that never comes.
        QImage none;
        QCOMPARE(tk::bmp::loadFile(dir.filePath("fifo"), &none), Status::NotRegular);

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
        const struct {
            const char* name;
            Status status;
        } cases[] = {
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

        // A file its owner may not read.
        write(d + "/locked.bmp", samples::write({40, 24}, 8, 8, samples::noise(0)));
        QFile::setPermissions(d + "/locked.bmp", {});
        OwnerPermissions owner;
        if (canOpen(d + "/locked.bmp")) QSKIP("file modes do not bind here");
        QVERIFY(loadError(d + "/locked.bmp").contains(tk::bmp::reason(Status::Unreadable)));
    }
};

QTEST_MAIN(BitmapTest)
#include "test_bitmap.moc"
