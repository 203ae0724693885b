// Picture files: the file and its headers checked when asked for, the
// pixels decoded and scaled when drawn (the first picture's begun ahead).
#include "toolkit/pictures.h"

#include "toolkit/runtime.h"

#include <QCoreApplication>
#include <QFile>

#include <fontconfig/fontconfig.h>
#include <future>
#include <system_error>

#include <sys/stat.h>

namespace tk {

struct PictureFile::Data {
    QString path;
    QSize size;
    // The file as checked: once changed, it is another picture.
    quint64 device = 0, inode = 0;
    qint64 bytes = 0, modified = 0;

    bool operator==(const Data& o) const {
        return path == o.path && device == o.device && inode == o.inode && bytes == o.bytes &&
               modified == o.modified;
    }
};

namespace {
int g_decodes = 0;

struct Decoded {
    bmp::Status status;
    QImage image;
};
Decoded decodeFile(const QString& path) {
    Decoded d;
    d.status = bmp::loadFile(path, &d.image);
    return d;
}
struct {
    QString path;
    std::future<Decoded> pixels;  // taken once
} g_ahead;

QString failure(const QString& path, bmp::Status status) {
    return QCoreApplication::translate("tk", "画像を読み込めません: %1\n(%2)").arg(displayPath(path), bmp::reason(status));
}
}  // namespace

QString PictureFile::source() const { return d_ ? d_->path : QString(); }
QSize PictureFile::size() const { return d_ ? d_->size : QSize(); }

bool PictureFile::operator==(const PictureFile& other) const {
    return d_ == other.d_ || (d_ && other.d_ && *d_ == *other.d_);
}

PictureFile LoadPicture(const QString& path) {
    auto d = std::make_shared<PictureFile::Data>();
    d->path = path;
    QByteArray start;
    qint64 fileSize = 0;
    bmp::Status s = bmp::readStart(path, bmp::kHeadBytes, &start, &fileSize);
    bmp::Header h;
    if (s == bmp::Status::Ok) s = bmp::readHeader(start.constData(), start.size(), fileSize, &h);
    struct stat st {};
    if (s == bmp::Status::Ok && ::stat(QFile::encodeName(path).constData(), &st) != 0)
        s = bmp::Status::NotFound;  // gone meanwhile
    if (s != bmp::Status::Ok) Fatal(failure(path, s));
    d->size = QSize(int(h.width), int(h.height));
    d->device = st.st_dev;
    d->inode = st.st_ino;
    d->bytes = st.st_size;
    d->modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    PictureFile f;
    f.d_ = std::move(d);
    return f;
}

QPixmap PictureFile::scaled(QSize pixels, qreal ratio, QString* error) const {
    if (!d_ || pixels.isEmpty()) return {};
    const bool ahead = g_ahead.pixels.valid() && g_ahead.path == d_->path;
    Decoded d = ahead ? g_ahead.pixels.get() : decodeFile(d_->path);
    if (d.status != bmp::Status::Ok) {
        if (error) *error = failure(d_->path, d.status);
        return {};
    }
    QImage image = std::move(d.image);
    ++g_decodes;
    if (image.size() != pixels) image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(std::move(image));
}

void readyAhead(const QString& firstPicture) {
    try {
        // fontconfig is thread-safe for this; Qt then finds it loaded.
        g_ahead.pixels = std::async(std::launch::async, [firstPicture] {
            FcInit();
            return decodeFile(firstPicture);
        });
        g_ahead.path = firstPicture;
    } catch (const std::system_error&) {
        // No thread to be had: all of it is done where it is needed.
    }
}

int pictureDecodes() { return g_decodes; }

}  // namespace tk
