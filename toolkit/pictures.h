// Picture files: names found whatever their case, files checked when a scene
// asks for them, pixels decoded only when first drawn, and a small shared
// cache of copies scaled to device pixels.
#pragma once

#include "toolkit/bitmap.h"

#include <QPixmap>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

namespace tk {

// Finds a file whatever the case of its folder and file names, accepting "\"
// as a separator. Returns the real path, or an empty string and why. A
// folder's listing is read once and kept.
QString findFile(const QString& path, bmp::Status* why = nullptr);

// A picture file found and checked; its pixels are read when first needed.
// Copies share one entry. Null when nothing was loaded.
class PictureFile {
public:
    PictureFile() = default;
    bool isNull() const { return !d_; }
    QString source() const;  // the file's path on disk
    QSize size() const;      // in pixels, from its headers
    bool operator==(const PictureFile& other) const;

    // The picture smoothly scaled to `pixels` device pixels and tagged with
    // `ratio`: decoded and scaled only when no such copy is at hand. A file
    // that no longer decodes gives a null pixmap and an error naming it.
    QPixmap scaled(QSize pixels, qreal ratio, QString* error) const;

    struct Data;

private:
    friend PictureFile LoadPicture(const QString& path);
    std::shared_ptr<const Data> d_;
};

// Finds a picture and checks its file and headers, or stops the program with
// an error naming the file. The pixels wait until the picture is drawn.
PictureFile LoadPicture(const QString& path);

// For a picture about to be shown: returns work that reads and decodes it,
// or takes the copy `kept` offers instead when there is one (one already
// scaled, kept from an earlier run); the work may run on any thread. The
// first scaled() of that file takes its pixels rather than reading the file
// again (a kept copy only at its own size), and gives `made` the copy it
// made unless it took a kept one; when the work is not done soon, scaled()
// reads the file itself.
std::function<void()> decodeAhead(const QString& path, std::function<QImage()> kept = {},
                                  std::function<void(const QPixmap&)> made = {});

// Reads and decodes a bitmap at once. On failure a null image and why.
QImage readBitmap(const QString& path, QString* why = nullptr);

// How much work pictures have cost so far, and what the cache of scaled
// copies holds (it keeps at most `cacheLimit` bytes besides the latest copy).
struct PictureStats {
    int decodes = 0;
    int scalings = 0;
    qint64 cachedBytes = 0;
    int cachedCopies = 0;
    qint64 cacheLimit = 0;
};
PictureStats pictureStats();
// Forgets every scaled copy, folder listing and picture decoded ahead.
void clearPictureCache();

}  // namespace tk
