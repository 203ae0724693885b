// Our own Windows bitmap reader: only formats whose every pixel comes from
// the file, 64-bit arithmetic throughout, and never more memory than its cap.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tk::bmp {

enum class Status {
    Ok,
    NotFound,
    NotRegular,        // a folder, FIFO, device, symlink loop…
    Unreadable,
    TooLarge,
    NotBitmap,
    BrokenHeader,      // or a format we do not read (run-length compression…)
    CutShort,
};

// The reason in the player's words.
QString reason(Status status);

// The largest file read and the largest picture decoded (4 bytes a pixel).
inline constexpr qint64 kCap = 64 * 1024 * 1024;
// Enough of a file's start to check its headers.
inline constexpr qint64 kHeadBytes = 14 + 124 + 12;

// What checked headers say.
struct Header {
    qint64 width = 0;
    qint64 height = 0;  // rows, always positive
    bool topDown = false;
    int depth = 0;      // bits a pixel
    bool bitFields = false;
    quint32 masks[3] = {};  // red, green, blue, for 16 and 32 bits
    qint64 paletteAt = 0;
    qint64 paletteCount = 0;
    int paletteEntry = 4;   // bytes a colour-table entry
    qint64 pixelsAt = 0;
    qint64 stride = 0;      // bytes a row, padded to 4
};

// Checks the headers at the start of a file (`length` bytes of its
// `fileSize`): every region must lie inside the file and in order.
Status readHeader(const char* data, qint64 length, qint64 fileSize, Header* out);

// Decodes a whole file held in memory into an opaque RGB32 image. An n-bit
// channel becomes 8 bits as round(v * 255 / (2^n - 1)); alpha is ignored.
Status decode(const char* data, qint64 length, QImage* out);

// Reads an open descriptor to its end, but never more than cap + 1 bytes:
// a longer stream is TooLarge, whatever size it claims.
Status readAtMost(int fd, qint64 cap, QByteArray* out);

// A regular file, read whole (at most kCap bytes). Refuses FIFOs and devices
// without opening them for long, and never blocks on one.
Status readFile(const QString& path, QByteArray* out);
// Such a file, read whole and decoded.
Status loadFile(const QString& path, QImage* out);
// The first `bytes` of a regular file, and its true size (a file whose
// claimed size is false is measured by reading it, up to kCap + 1 bytes).
Status readStart(const QString& path, qint64 bytes, QByteArray* out, qint64* fileSize);

}  // namespace tk::bmp
