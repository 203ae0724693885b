// Windows bitmap reading: files read with a hard cap, headers checked region
// by region, pixels decoded with every read inside the file.
#include "toolkit/bitmap.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tk::bmp {

QString reason(Status status) {
    switch (status) {
    case Status::Ok: return {};
    case Status::NotFound: return QCoreApplication::translate("tk::bmp", "ファイルが見つかりません");
    case Status::NotRegular: return QCoreApplication::translate("tk::bmp", "通常のファイルではありません");
    case Status::Unreadable: return QCoreApplication::translate("tk::bmp", "ファイルを読めません");
    case Status::TooLarge: return QCoreApplication::translate("tk::bmp", "ファイルが大きすぎます");
    case Status::NotBitmap: return QCoreApplication::translate("tk::bmp", "ビットマップ形式ではありません");
    case Status::BrokenHeader:
        return QCoreApplication::translate("tk::bmp", "ビットマップのヘッダが壊れているか、対応していない形式です");
    case Status::CutShort: return QCoreApplication::translate("tk::bmp", "ファイルが途中で切れています");
    }
    return {};
}

// ---- Headers ---------------------------------------------------------------

namespace {
quint32 u16(const char* p) {
    const auto* b = reinterpret_cast<const uchar*>(p);
    return quint32(b[0]) | quint32(b[1]) << 8;
}
quint32 u32(const char* p) {
    const auto* b = reinterpret_cast<const uchar*>(p);
    return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
}

bool knownInfoSize(quint32 size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Non-zero, one run of bits, and inside the pixel.
bool goodMask(quint32 mask, int depth) {
    if (mask == 0) return false;
    if (depth == 16 && mask > 0xFFFFu) return false;
    const quint64 run = quint64(mask >> std::countr_zero(mask)) + 1;
    return (run & (run - 1)) == 0;
}
}  // namespace

Status readHeader(const char* data, qint64 length, qint64 fileSize, Header* out) {
    length = std::min(length, fileSize);
    if (length < 2 || data[0] != 'B' || data[1] != 'M') return Status::NotBitmap;
    if (fileSize > kCap) return Status::TooLarge;
    if (length < 18) return Status::CutShort;
    const qint64 pixelsAt = u32(data + 10);
    const quint32 infoSize = u32(data + 14);
    if (!knownInfoSize(infoSize)) return Status::BrokenHeader;
    qint64 at = 14 + qint64(infoSize);
    if (at > length) return Status::CutShort;

    Header h;
    qint64 width, height;
    quint32 planes, compression = 0, colours = 0;
    if (infoSize == 12) {
        width = u16(data + 18);
        height = u16(data + 20);  // unsigned: always bottom-up
        planes = u16(data + 22);
        h.depth = int(u16(data + 24));
        h.paletteEntry = 3;
    } else {
        width = qint32(u32(data + 18));
        height = qint32(u32(data + 22));
        planes = u16(data + 26);
        h.depth = int(u16(data + 28));
        compression = u32(data + 30);
        colours = u32(data + 46);
    }
    const int d = h.depth;
    if (planes != 1) return Status::BrokenHeader;
    if (d != 1 && d != 4 && d != 8 && d != 16 && d != 24 && d != 32) return Status::BrokenHeader;
    // Plain, or bit fields at 16 and 32 bits; run-length and the rest refused.
    if (compression == 3) h.bitFields = true;
    if (compression > 3 || (compression != 0 && !h.bitFields) || (h.bitFields && d != 16 && d != 32))
        return Status::BrokenHeader;
    if (width <= 0 || height == 0) return Status::BrokenHeader;
    h.topDown = height < 0;
    h.width = width;
    h.height = height < 0 ? -height : height;
    if (h.width > kCap / 4 || h.height > kCap / 4 || h.width * h.height > kCap / 4)
        return Status::TooLarge;
    h.stride = (h.width * d + 31) / 32 * 4;

    if (h.bitFields) {
        // After a 40-byte header, or inside the larger ones.
        const qint64 masksAt = 14 + 40;
        if (infoSize == 40) at += 12;
        if (at > length) return Status::CutShort;
        for (int i = 0; i < 3; ++i) {
            h.masks[i] = u32(data + masksAt + 4 * i);
            if (!goodMask(h.masks[i], d)) return Status::BrokenHeader;
        }
        if ((h.masks[0] & h.masks[1]) || (h.masks[0] & h.masks[2]) || (h.masks[1] & h.masks[2]))
            return Status::BrokenHeader;
    } else if (d == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (d >= 24) {
        h.masks[0] = 0xFF0000, h.masks[1] = 0x00FF00, h.masks[2] = 0x0000FF;
    }

    // A colour table is used up to 8 bits; above, an optional one is skipped.
    qint64 count = colours;
    if (d <= 8 && count == 0) count = qint64(1) << d;
    if (count > (qint64(1) << d)) return Status::BrokenHeader;
    h.paletteAt = at;
    h.paletteCount = d <= 8 ? count : 0;
    at += count * h.paletteEntry;
    if (pixelsAt < at) return Status::BrokenHeader;  // the pixels would overlap it
    h.pixelsAt = pixelsAt;
    if (pixelsAt + h.stride * h.height > fileSize) return Status::CutShort;
    *out = h;
    return Status::Ok;
}

// ---- Pixels ----------------------------------------------------------------

namespace {
// One channel of a packed pixel, widened to 8 bits.
struct Channel {
    quint32 mask;
    int shift;
    quint64 max;
    explicit Channel(quint32 m)
        : mask(m), shift(std::countr_zero(m)), max((quint64(m) >> std::countr_zero(m))) {}
    quint32 operator()(quint32 v) const {
        const quint64 c = (v & mask) >> shift;
        return quint32((c * 255 + max / 2) / max);
    }
};
}  // namespace

Status decode(const char* data, qint64 length, QImage* out) {
    Header h;
    if (const Status s = readHeader(data, length, length, &h); s != Status::Ok) return s;
    QImage image(int(h.width), int(h.height), QImage::Format_RGB32);
    if (image.isNull()) return Status::TooLarge;  // out of memory

    QRgb palette[256];
    for (qint64 i = 0; i < h.paletteCount; ++i) {
        const auto* e = reinterpret_cast<const uchar*>(data + h.paletteAt + i * h.paletteEntry);
        palette[i] = qRgb(e[2], e[1], e[0]);
    }
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const bool plain8 = !h.bitFields;  // 24 and plain 32 bits: bytes as they are
    const int w = int(h.width);
    const int d = h.depth;

    for (qint64 y = 0; y < h.height; ++y) {
        const auto* src = reinterpret_cast<const uchar*>(data + h.pixelsAt + y * h.stride);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(int(h.topDown ? y : h.height - 1 - y)));
        switch (d) {
        case 1:
        case 4:
        case 8: {
            const int perByte = 8 / d;
            const quint32 low = (1u << d) - 1;
            for (int x = 0; x < w; ++x) {
                const int shift = 8 - d * (x % perByte + 1);
                const quint32 index = (src[x / perByte] >> shift) & low;
                if (index >= h.paletteCount) return Status::BrokenHeader;
                dst[x] = palette[index];
            }
            break;
        }
        case 16:
            for (int x = 0; x < w; ++x) {
                const quint32 v = src[2 * x] | quint32(src[2 * x + 1]) << 8;
                dst[x] = qRgb(int(red(v)), int(green(v)), int(blue(v)));
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x, src += 3)
                dst[x] = 0xFF000000u | quint32(src[2]) << 16 | quint32(src[1]) << 8 | src[0];
            break;
        case 32:
            for (int x = 0; x < w; ++x, src += 4) {
                const quint32 v = u32(reinterpret_cast<const char*>(src));
                dst[x] = plain8 ? 0xFF000000u | (v & 0xFFFFFFu)
                                : qRgb(int(red(v)), int(green(v)), int(blue(v)));
            }
            break;
        }
    }
    *out = std::move(image);
    return Status::Ok;
}

// ---- Files -----------------------------------------------------------------

namespace {
Status fromErrno(int e) {
    switch (e) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG: return Status::NotFound;
    case ELOOP: return Status::NotRegular;
    default: return Status::Unreadable;
    }
}

// Opens a regular file for reading. Anything else is refused before it is
// opened (a device may act on open); opening never blocks.
Status openRegular(const QString& path, int* fd, struct stat* info) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0) return fromErrno(errno);
    if (!S_ISREG(st.st_mode)) return Status::NotRegular;
    const int f = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (f < 0) return fromErrno(errno);
    if (::fstat(f, info) != 0 || !S_ISREG(info->st_mode)) {  // replaced meanwhile
        ::close(f);
        return Status::NotRegular;
    }
    *fd = f;
    return Status::Ok;
}

// read(2), retried when interrupted or when a non-blocking stream is empty.
qint64 readSome(int fd, char* to, qint64 n) {
    for (;;) {
        const ssize_t got = ::read(fd, to, size_t(n));
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        if (errno != EAGAIN) return -1;
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, -1);
    }
}
}  // namespace

Status readAtMost(int fd, qint64 cap, QByteArray* out) {
    struct stat st;
    const qint64 claimed = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : 0;
    // Room past the claimed size, so that a true claim ends in one read.
    QByteArray buf(std::min(std::max<qint64>((claimed + 15) / 8 * 8, 64 * 1024), cap + 1),
                   Qt::Uninitialized);
    qint64 have = 0;
    for (;;) {
        if (have == buf.size()) buf.resize(std::min<qint64>(2 * buf.size(), cap + 1));
        // Whole 8-byte units where possible: some kernel files (pagemap)
        // refuse other counts. Then the last bytes before the cap: such a
        // file is asked for one more unit to learn whether it goes on.
        qint64 want = buf.size() - have;
        if (want >= 8) want &= ~qint64(7);
        qint64 got = readSome(fd, buf.data() + have, want);
        if (got < 0 && errno == EINVAL && want < 8) {
            char unit[8];
            got = readSome(fd, unit, sizeof unit);
            if (got > 0) return Status::TooLarge;
        }
        if (got < 0) return Status::Unreadable;
        if (got == 0) break;
        have += got;
        if (have > cap) return Status::TooLarge;
    }
    buf.truncate(have);
    *out = std::move(buf);
    return Status::Ok;
}

Status readFile(const QString& path, QByteArray* out) {
    int fd;
    struct stat st;
    if (const Status s = openRegular(path, &fd, &st); s != Status::Ok) return s;
    const Status s = st.st_size > kCap ? Status::TooLarge : readAtMost(fd, kCap, out);
    ::close(fd);
    return s;
}

Status loadFile(const QString& path, QImage* out) {
    QByteArray data;
    const Status s = readFile(path, &data);
    return s == Status::Ok ? decode(data.constData(), data.size(), out) : s;
}

Status readStart(const QString& path, qint64 bytes, QByteArray* out, qint64* fileSize) {
    int fd;
    struct stat st;
    if (const Status s = openRegular(path, &fd, &st); s != Status::Ok) return s;
    if (st.st_size > kCap) {
        ::close(fd);
        return Status::TooLarge;
    }
    // Whole 8-byte units: some kernel files refuse other counts.
    QByteArray start((bytes + 7) / 8 * 8, Qt::Uninitialized);
    qint64 have = 0, got = 0;
    while (have < start.size() && (got = readSome(fd, start.data() + have, start.size() - have)) > 0)
        have += got;
    Status s = got < 0 ? Status::Unreadable : Status::Ok;
    qint64 size = st.st_size;
    if (s == Status::Ok && have < start.size()) {
        size = have;  // the whole file
    } else if (s == Status::Ok && st.st_size < have) {
        // It claims less than it holds: count what is really there.
        QByteArray rest;
        s = readAtMost(fd, kCap - have, &rest);
        size = have + rest.size();
    }
    start.truncate(std::min(have, bytes));
    ::close(fd);
    if (s != Status::Ok) return s;
    *out = std::move(start);
    *fileSize = size;
    return Status::Ok;
}

}  // namespace tk::bmp
