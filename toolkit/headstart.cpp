// The start-up thread: fontconfig's configuration and the first pictures'
// pixels, made while the main thread connects to the display; the copy of
// the first picture kept for the next start.
#include "toolkit/headstart.h"

#include "toolkit/bitmap.h"
#include "toolkit/pictures.h"
#include "toolkit/runtime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QSaveFile>
#include <QStandardPaths>

#include <fontconfig/fontconfig.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <system_error>
#include <thread>
#include <vector>

namespace tk {

namespace {
std::jthread g_thread;  // joined at exit

QString sizeFile(const QString& folder) { return folder + QStringLiteral("/first-picture-size"); }
QString copyFile(const QString& folder) { return folder + QStringLiteral("/first-picture.bmp"); }

bool isIdentity(const QByteArray& text) {
    if (text.isEmpty()) return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == ':')) return false;
    return true;
}

bool write(const QString& file, const QByteArray& data) {
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(data) == data.size() && out.commit();
}

// The size is forgotten before the copy is replaced: a copy half written or
// left from another picture is never taken for this one.
void keepCopy(const QString& folder, const QPixmap& copy, const QByteArray& source) {
    if (!QDir().mkpath(folder) || !remember(sizeFile(folder), {copy.size(), {}})) return;
    if (write(copyFile(folder), bmp::encode(copy.toImage())))
        remember(sizeFile(folder), {copy.size(), source});
}
}  // namespace

QByteArray fileIdentity(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    QByteArray id;
    for (const quint64 v : {quint64(st.st_dev), quint64(st.st_ino), quint64(st.st_size),
                            quint64(st.st_mtim.tv_sec), quint64(st.st_mtim.tv_nsec),
                            quint64(st.st_ctim.tv_sec), quint64(st.st_ctim.tv_nsec)})
        id += (id.isEmpty() ? "" : ":") + QByteArray::number(v, 16);
    return id;
}

Remembered remembered(const QString& file) {
    QByteArray start;
    qint64 bytes = 0;
    constexpr qint64 kMostBytes = 160;
    if (bmp::readStart(file, kMostBytes, &start, &bytes) != bmp::Status::Ok || bytes >= kMostBytes)
        return {};
    const QList<QByteArray> words = start.simplified().split(' ');
    if (words.size() != 2 && words.size() != 3) return {};
    bool wide = false, high = false;
    const int w = words[0].toInt(&wide), h = words[1].toInt(&high);
    // No screen is wider or taller than this; anything else is not ours.
    constexpr int kMost = 16384;
    if (!wide || !high || w < 1 || h < 1 || w > kMost || h > kMost) return {};
    if (words.size() == 3 && !isIdentity(words[2])) return {};
    return {QSize(w, h), words.size() == 3 ? words[2] : QByteArray()};
}

bool remember(const QString& file, const Remembered& what) {
    QByteArray line = QByteArray::number(what.size.width()) + ' ' + QByteArray::number(what.size.height());
    if (!what.source.isEmpty()) line += ' ' + what.source;
    return write(file, line + '\n');
}

std::function<void()> firstPictureAhead(const QString& path, const QString& folder) {
    const Remembered last = remembered(sizeFile(folder));
    // Taken before the file is read: a change while it is read shows next time.
    const QByteArray source = fileIdentity(path);
    auto kept = [folder, size = last.size, good = !source.isEmpty() && last.source == source] {
        QImage copy;
        if (!good || bmp::loadFile(copyFile(folder), &copy) != bmp::Status::Ok || copy.size() != size)
            return QImage();
        return copy;
    };
    // For the next start, after this frame (a pixmap means an application).
    auto made = [folder, source](const QPixmap& copy) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [=] { keepCopy(folder, copy, source); },
                                  Qt::QueuedConnection);
    };
    return decodeAhead(path, kept, made);
}

void headStart(const QStringList& pictures) {
    if (g_thread.joinable()) return;
    // Before the thread allocates its large buffers.
    returnLargeBlocks();
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    std::vector<std::function<void()>> work;
    for (const QString& p : pictures)
        work.push_back(work.empty() && !cache.isEmpty() ? firstPictureAhead(p, cache) : decodeAhead(p));
    try {
        g_thread = std::jthread([work = std::move(work)] {
            // Behind the display server and the main thread on the cores,
            // which wait for this work only briefly. It starts no threads
            // (they would inherit the lower priority).
            setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 10);
            // Qt's first text asks fontconfig to load its configuration and
            // font cache, the costliest part of it; done here, it is ready
            // when Qt asks, else Qt loads it too. fontconfig is thread-safe
            // for this.
            FcInit();
            for (const auto& w : work) w();
        });
    } catch (const std::system_error&) {
        // No thread to be had: each piece of work is done where it is needed.
    }
}

}  // namespace tk
