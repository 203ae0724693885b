// The start-up thread: fontconfig's configuration and the first pictures'
// pixels, made while the main thread connects to the display.
#include "toolkit/headstart.h"

#include "toolkit/bitmap.h"
#include "toolkit/pictures.h"
#include "toolkit/runtime.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <fontconfig/fontconfig.h>

#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace tk {

namespace {
std::jthread g_thread;  // joined at exit

// Beside the program's other caches; nothing is lost when it goes.
QString sizeFile() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? QString() : cache + QStringLiteral("/first-picture-size");
}
}  // namespace

QSize rememberedSize(const QString& file) {
    QByteArray start;
    qint64 bytes = 0;
    if (file.isEmpty() || bmp::readStart(file, 32, &start, &bytes) != bmp::Status::Ok || bytes > 32)
        return {};
    const QList<QByteArray> numbers = start.simplified().split(' ');
    if (numbers.size() != 2) return {};
    bool wide = false, high = false;
    const int w = numbers[0].toInt(&wide), h = numbers[1].toInt(&high);
    // No screen is wider or taller than this; anything else is not ours.
    constexpr int kMost = 16384;
    if (!wide || !high || w < 1 || h < 1 || w > kMost || h > kMost) return {};
    return {w, h};
}

bool rememberSize(const QString& file, QSize size) {
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).path())) return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()) + '\n');
    return out.commit();
}

void headStart(const QStringList& pictures) {
    if (g_thread.joinable()) return;
    // Before the thread allocates its large buffers.
    returnLargeBlocks();
    // The window is most often as large as last time: the first picture is
    // scaled to that size beside the rest, and the size kept when it changed.
    const QString remembered = sizeFile();
    const QSize guess = rememberedSize(remembered);
    std::vector<std::function<void()>> work;
    for (const QString& p : pictures) {
        if (!work.empty()) {
            work.push_back(decodeAhead(p));
            continue;
        }
        work.push_back(decodeAhead(p, guess, [remembered, guess](QSize drawn) {
            if (drawn != guess) rememberSize(remembered, drawn);
        }));
    }
    try {
        g_thread = std::jthread([work = std::move(work)] {
            // Qt's first text asks fontconfig to load its configuration and
            // font cache, the costliest part of it; done here, it is ready
            // when Qt asks. fontconfig is thread-safe for this.
            FcInit();
            for (const auto& w : work) w();
        });
    } catch (const std::system_error&) {
        // No thread to be had: each piece of work is done where it is needed.
    }
}

}  // namespace tk
