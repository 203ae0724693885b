// Picture files: names looked up in folder listings read once, files and
// headers checked when asked for, pixels decoded when first drawn (or ahead,
// on another thread), and the bounded cache of scaled copies.
#include "toolkit/pictures.h"

#include "toolkit/runtime.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <future>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace tk {

// ---- Names -----------------------------------------------------------------

namespace {
struct Listing {
    QSet<QString> names;
    QHash<QString, QString> byLower;  // the first name in sorted order
};
QHash<QString, Listing> g_listings;  // by folder path
constexpr int kMaxListings = 64;

QString join(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bmp::Status readListing(const QString& folder, Listing* out) {
    DIR* dir = ::opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!dir) {
        return errno == ENOENT || errno == ENOTDIR ? bmp::Status::NotFound
                                                    : bmp::Status::FolderUnreadable;
    }
    QStringList names;
    errno = 0;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray raw(e->d_name);
        if (raw == "." || raw == "..") continue;
        const QString name = QFile::decodeName(raw);
        if (QFile::encodeName(name) == raw) names << name;  // others cannot be named
    }
    const bool failed = errno != 0;
    ::closedir(dir);
    if (failed) return bmp::Status::FolderUnreadable;
    names.sort();  // a stable choice among names differing only in case
    for (const QString& n : names) {
        out->names.insert(n);
        out->byLower.insert(n.toLower(), out->byLower.value(n.toLower(), n));
    }
    return bmp::Status::Ok;
}

// The name in `folder` that `name` stands for whatever its case: itself when
// present. The listing is read when first needed, and again on a miss.
QString lookUp(const QString& folder, const QString& name, bmp::Status* why) {
    for (bool fresh : {false, true}) {
        auto it = g_listings.find(folder);
        if (fresh || it == g_listings.end()) {
            Listing l;
            *why = readListing(folder, &l);
            if (*why != bmp::Status::Ok) {
                g_listings.remove(folder);
                return {};
            }
            if (g_listings.size() >= kMaxListings) g_listings.clear();
            it = g_listings.insert(folder, std::move(l));
            fresh = true;
        }
        if (it->names.contains(name)) return name;
        const QString other = it->byLower.value(name.toLower());
        if (!other.isEmpty()) return other;
        if (fresh) break;
    }
    *why = bmp::Status::NotFound;
    return {};
}

void forget(const QString& folder) { g_listings.remove(folder); }

// stat(2): the file's mode, or 0 and errno.
mode_t modeOf(const QString& path, int* error, struct stat* st) {
    if (::stat(QFile::encodeName(path).constData(), st) == 0) return st->st_mode;
    *error = errno;
    return 0;
}

mode_t modeOf(const QString& path, int* error) {
    struct stat st;
    return modeOf(path, error, &st);
}

// findFile, also giving what stat(2) said of the file found.
QString locate(const QString& path, bmp::Status* why, struct stat* st) {
    const QString p = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    *why = bmp::Status::NotFound;
    if (parts.isEmpty()) return {};

    QString at = p.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    int i = 0;
    if (parts.size() > 1) {  // most often the folder is named as it is
        const QString folder = join(at, parts.mid(0, parts.size() - 1).join(QLatin1Char('/')));
        int error = 0;
        if (S_ISDIR(modeOf(folder, &error))) {
            at = folder;
            i = int(parts.size()) - 1;
        }
    }
    for (; i < parts.size() - 1; ++i) {
        // Folders on the way: their own name first, so that a folder that
        // can be entered but not listed is passed through.
        QString next = join(at, parts[i]);
        int error = 0;
        mode_t mode = modeOf(next, &error);
        if (!mode && error == ENOENT && parts[i] != QLatin1String("..")) {
            const QString name = lookUp(at, parts[i], why);
            if (name.isEmpty()) return {};
            next = join(at, name);
            mode = modeOf(next, &error);
        }
        if (!S_ISDIR(mode)) {
            *why = error == EACCES ? bmp::Status::FolderUnreadable : bmp::Status::NotFound;
            return {};
        }
        at = next;
    }
    // The file itself always through its folder's listing: every name is
    // found the same way, and an unreadable folder shows at its first use.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QString name = lookUp(at, parts.last(), why);
        if (name.isEmpty()) return {};
        const QString found = join(at, name);
        int error = 0;
        const mode_t mode = modeOf(found, &error, st);
        if (S_ISREG(mode)) {
            *why = bmp::Status::Ok;
            return found;
        }
        if (!mode && error == ENOENT) {  // gone since the folder was listed
            forget(at);
            *why = bmp::Status::NotFound;
            continue;
        }
        *why = mode || error == ELOOP ? bmp::Status::NotRegular : bmp::Status::Unreadable;
        return {};
    }
    return {};
}
}  // namespace

QString findFile(const QString& path, bmp::Status* why) {
    bmp::Status ignored;
    struct stat st;
    return locate(path, why ? why : &ignored, &st);
}

// ---- Files and their checks ------------------------------------------------

struct PictureFile::Data {
    QString path;   // as found on disk
    QString asked;  // as the game named it, for messages
    QSize size;
    // The file as checked: once changed, it is another picture.
    quint64 device = 0, inode = 0;
    qint64 bytes = 0, modified = 0, changed = 0;

    bool sameFile(const Data& o) const {
        return path == o.path && device == o.device && inode == o.inode && bytes == o.bytes &&
               modified == o.modified && changed == o.changed;
    }
};

namespace {
PictureStats g_stats;

QString failure(const QString& asked, bmp::Status status) {
    const QString shown = displayPath(QString(asked).replace(QLatin1Char('\\'), QLatin1Char('/')));
    return QStringLiteral("画像を読み込めません: %1\n(%2)").arg(shown, bmp::reason(status));
}

struct Decoded {
    bmp::Status status = bmp::Status::Ok;
    QImage image;
    QImage kept;  // instead: a copy already scaled, kept from before
};

Decoded readAndDecode(const QString& path, const std::function<QImage()>& kept = {}) {
    Decoded d;
    if (kept && !(d.kept = kept()).isNull()) return d;
    d.status = bmp::loadFile(path, &d.image);
    return d;
}

// The result of work handed to another thread once it is done; when it is
// not done soon (never run, dropped, or on a thread that gets little time on
// a busy machine), the file read here and now.
Decoded takeFrom(std::future<Decoded> work, const QString& path) {
    constexpr std::chrono::milliseconds kPatience(100);
    if (work.valid() && work.wait_for(kPatience) == std::future_status::ready) {
        try {
            return work.get();
        } catch (const std::future_error&) {
        }
    }
    return readAndDecode(path);
}

// Pictures decoded ahead, by path; touched by the main thread only.
struct Ahead {
    QString path;
    std::future<Decoded> pixels;
    std::function<void(const QPixmap&)> made;
};
std::vector<Ahead> g_ahead;

// The work begun ahead for a file, if any: taken once.
Ahead take(const QString& path) {
    Ahead a;
    auto it = std::find_if(g_ahead.begin(), g_ahead.end(), [&](const Ahead& e) { return e.path == path; });
    if (it != g_ahead.end()) {
        a = std::move(*it);
        g_ahead.erase(it);
    }
    return a;
}

// The pixels of a file: decoded ahead, or read now; or a copy of them kept
// from before, when it has the size `wanted`.
Decoded decodeFile(const QString& path, QSize wanted = {},
                   std::function<void(const QPixmap&)>* made = nullptr) {
    Ahead a = take(path);
    Decoded d = takeFrom(std::move(a.pixels), path);
    if (d.status == bmp::Status::Ok) ++g_stats.decodes;
    if (!d.kept.isNull() && d.kept.size() != wanted) {
        d = readAndDecode(path);  // kept at another size
        if (d.status == bmp::Status::Ok) ++g_stats.decodes;
    }
    if (made) *made = std::move(a.made);
    return d;
}
}  // namespace

QString PictureFile::source() const { return d_ ? d_->path : QString(); }
QSize PictureFile::size() const { return d_ ? d_->size : QSize(); }

bool PictureFile::operator==(const PictureFile& other) const {
    if (d_ == other.d_) return true;
    return d_ && other.d_ && d_->sameFile(*other.d_);
}

PictureFile LoadPicture(const QString& path) {
    auto d = std::make_shared<PictureFile::Data>();
    d->asked = path;
    bmp::Status s;
    struct stat st;
    d->path = locate(path, &s, &st);
    QByteArray start;
    qint64 fileSize = 0;
    if (s == bmp::Status::Ok) s = bmp::readStart(d->path, bmp::kHeadBytes, &start, &fileSize);
    bmp::Header h;
    if (s == bmp::Status::Ok) s = bmp::readHeader(start.constData(), start.size(), fileSize, &h);
    if (s != bmp::Status::Ok) Fatal(failure(path, s));
    d->size = QSize(int(h.width), int(h.height));
    d->device = st.st_dev;
    d->inode = st.st_ino;
    d->bytes = st.st_size;
    d->modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    d->changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    PictureFile f;
    f.d_ = std::move(d);
    return f;
}

std::function<void()> decodeAhead(const QString& path, std::function<QImage()> kept,
                                  std::function<void(const QPixmap&)> made) {
    const QString real = findFile(path);
    if (real.isEmpty()) return [] {};  // LoadPicture will say why
    auto promise = std::make_shared<std::promise<Decoded>>();
    g_ahead.push_back({real, promise->get_future(), std::move(made)});
    return [promise, real, kept = std::move(kept)] { promise->set_value(readAndDecode(real, kept)); };
}

QImage readBitmap(const QString& path, QString* why) {
    bmp::Status s;
    const QString real = findFile(path, &s);
    Decoded d;
    if (s == bmp::Status::Ok) s = (d = decodeFile(real)).status;
    if (s != bmp::Status::Ok) {
        if (why) *why = bmp::reason(s);
        return {};
    }
    return std::move(d.image);
}

// ---- Scaled copies ---------------------------------------------------------

namespace {
// Enough for every speaker of a game at a common screen size; the latest copy
// is kept whatever its size.
constexpr qint64 kCacheLimit = 6 * 1024 * 1024;

struct Copy {
    std::shared_ptr<const PictureFile::Data> file;
    QSize pixels;
    qreal ratio;
    QPixmap pixmap;
    qint64 bytes;
};
std::vector<Copy> g_copies;  // least recently used first

qint64 bytesOf(const QPixmap& p) { return qint64(p.width()) * p.height() * p.depth() / 8; }
}  // namespace

QPixmap PictureFile::scaled(QSize pixels, qreal ratio, QString* error) const {
    if (!d_ || pixels.isEmpty()) return {};
    auto it = std::find_if(g_copies.begin(), g_copies.end(), [&](const Copy& c) {
        return c.pixels == pixels && c.ratio == ratio && c.file->sameFile(*d_);
    });
    if (it != g_copies.end()) {
        std::rotate(it, it + 1, g_copies.end());  // now the most recent
        return g_copies.back().pixmap;
    }

    std::function<void(const QPixmap&)> made;
    Decoded d = decodeFile(d_->path, pixels, &made);
    if (d.status != bmp::Status::Ok) {
        if (error) *error = failure(d_->asked, d.status);
        return {};
    }
    QImage image;
    if (!d.kept.isNull()) {
        image = std::move(d.kept);
        made = nullptr;
    } else if (d.image.size() != pixels) {
        image = d.image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ++g_stats.scalings;
    } else {
        image = std::move(d.image);
    }
    d = Decoded();  // the full-size pixels go before the copy is kept
    image.setDevicePixelRatio(ratio);
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    if (made) made(pixmap);

    g_copies.push_back({d_, pixels, ratio, pixmap, bytesOf(pixmap)});
    g_stats.cachedBytes += g_copies.back().bytes;
    while (g_stats.cachedBytes > kCacheLimit && g_copies.size() > 1) {
        g_stats.cachedBytes -= g_copies.front().bytes;
        g_copies.erase(g_copies.begin());
    }
    return pixmap;
}

PictureStats pictureStats() {
    PictureStats s = g_stats;
    s.cachedCopies = int(g_copies.size());
    s.cacheLimit = kCacheLimit;
    return s;
}

void clearPictureCache() {
    g_copies.clear();
    g_stats.cachedBytes = 0;
    g_listings.clear();
    g_ahead.clear();
}

}  // namespace tk
