// Picture files: checked when a scene asks for them, pixels read and scaled
// only when first drawn.
#pragma once

#include "toolkit/bitmap.h"

#include <QPixmap>
#include <QSize>
#include <QString>

#include <memory>

namespace tk {

// A picture file found and checked; its pixels are read when first needed.
// Copies share one entry. Null when nothing was loaded.
class PictureFile {
public:
    PictureFile() = default;
    bool isNull() const { return !d_; }
    QString source() const;  // the file's path on disk
    QSize size() const;      // in pixels, from its headers
    // The same file, unchanged since it was checked.
    bool operator==(const PictureFile& other) const;

    // The picture read from its file, smoothly scaled to `pixels` device
    // pixels and tagged with `ratio`. A file that no longer decodes gives a
    // null pixmap and an error naming it.
    QPixmap scaled(QSize pixels, qreal ratio, QString* error) const;

    struct Data;

private:
    friend PictureFile LoadPicture(const QString& path);
    std::shared_ptr<const Data> d_;
};

// Checks a picture's file and headers, or stops the program with an error
// naming the file. The pixels wait until the picture is drawn.
PictureFile LoadPicture(const QString& path);

// Begins, on a second core while Qt opens the display, what the first frame
// would otherwise wait for: fontconfig's configuration, which Qt's first
// text loads, and the pixels of the picture the window opens on, which its
// first drawing takes. Call before the QApplication is made.
void readyAhead(const QString& firstPicture);

// How many picture files have been decoded so far.
int pictureDecodes();

}  // namespace tk
