// fuzz_seeds GF OUTDIR: writes the fuzzer's seed corpus, small crops of the
// game's own pictures re-encoded in several depths, and every hand-made
// sample of the reader's tests, accepted and refused.
#include "bitmap_samples.h"
#include "toolkit/bitmap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {
bool save(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds GF OUTDIR\n");
        return 2;
    }
    const QDir pictures(QFile::decodeName(argv[1]));
    const QDir out(QFile::decodeName(argv[2]));
    if (!out.mkpath(".")) return 1;
    int written = 0;
    auto put = [&](const QString& name, const QByteArray& bytes) {
        if (!save(out.filePath(name), bytes)) {
            std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(name));
            std::exit(1);
        }
        ++written;
    };

    const QStringList names = {"stt.bmp", "end.bmp", "fce1.bmp", "fce8.bmp", "fce3k.bmp", "fce5d.bmp"};
    for (const QString& name : names) {
        QByteArray data;
        QImage image;
        if (tk::bmp::readFile(pictures.filePath(name), &data) != tk::bmp::Status::Ok ||
            tk::bmp::decode(data.constData(), data.size(), &image) != tk::bmp::Status::Ok) {
            std::fprintf(stderr, "fuzz_seeds: cannot read %s\n", qPrintable(pictures.filePath(name)));
            return 1;
        }
        // A crop from the middle, where the picture has detail.
        const int w = 24, h = 16, left = image.width() / 2, top = image.height() / 2;
        auto rgb = [&](int x, int y) { return image.pixel(left + x, top + y) & 0xFFFFFFu; };
        auto to565 = [&](int x, int y) {
            const QRgb c = image.pixel(left + x, top + y);
            return uint32_t(qRed(c) >> 3 << 11 | qGreen(c) >> 2 << 5 | qBlue(c) >> 3);
        };
        const QString base = QFileInfo(name).completeBaseName();
        put(base + "-24.bmp", samples::write({40, 24}, w, h, rgb));
        put(base + "-32.bmp", samples::write({108, 32, false, {}, true}, w, h, rgb));
        put(base + "-565.bmp", samples::write({40, 16, true, {0xF800, 0x07E0, 0x001F}}, w, h, to565));
        put(base + "-8.bmp", samples::write({40, 8}, w, h, [&](int x, int y) { return uint32_t(qGray(rgb(x, y))); }));
    }
    int n = 0;
    for (const samples::Sample& s : samples::accepted()) put(QString("accepted-%1.bmp").arg(n++), s.bytes);
    for (const samples::Sample& s : samples::refused()) put(QString("refused-%1.bmp").arg(n++), s.bytes);
    std::printf("fuzz_seeds: %d seeds in %s\n", written, argv[2]);
    return 0;
}
