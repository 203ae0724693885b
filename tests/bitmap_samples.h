// Small bitmaps of every kind the game reads, and broken ones, written byte
// by byte with the pixels each must give: for the reader's tests and the
// fuzzer's seeds.
#pragma once

#include "toolkit/bitmap.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace samples {

struct Layout {
    int infoSize = 40;
    int depth = 24;
    bool bitFields = false;
    uint32_t masks[3] = {0, 0, 0};
    bool topDown = false;
    int colours = 0;  // colour-table entries for 1 to 8 bits; 0: all 2^depth
};

inline void put(QByteArray& b, qint64 at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// Entry i of every colour table: distinct, uneven colours (0xRRGGBB).
inline uint32_t colour(int i) {
    return (uint32_t(255 - i * 13) & 0xFF) << 16 | (uint32_t(i * 91 + 200) & 0xFF) << 8 | (uint32_t(i * 37 + 11) & 0xFF);
}

// The pixel a raw value stands for: its colour-table entry, or each mask's
// bits widened to 0..255, rounded to nearest (5-5-5 for plain 16 bits).
inline uint32_t pixel(const Layout& l, uint32_t v) {
    if (l.depth <= 8) return 0xFF000000u | colour(int(v));
    const uint32_t plain16[] = {0x7C00, 0x03E0, 0x001F}, plain[] = {0xFF0000, 0xFF00, 0xFF};
    const uint32_t* m = l.bitFields ? l.masks : l.depth == 16 ? plain16 : plain;
    uint32_t argb = 0xFF000000u;
    for (int c = 0; c < 3; ++c) {
        const double top = std::ldexp(1.0, std::popcount(m[c])) - 1;
        argb |= uint32_t(std::lround(((v & m[c]) >> std::countr_zero(m[c])) * 255.0 / top)) << (16 - 8 * c);
    }
    return argb;
}

// `value` gives each pixel's raw value: a colour-table index, or the packed
// bits (24 bits: 0xRRGGBB).
inline QByteArray write(const Layout& l, int w, int h, const std::function<uint32_t(int, int)>& value) {
    const bool core = l.infoSize == 12;
    const int entries = l.depth <= 8 ? (l.colours ? l.colours : 1 << l.depth) : 0;
    const int masksAfter = l.bitFields && l.infoSize == 40 ? 12 : 0;
    const qint64 paletteAt = 14 + l.infoSize + masksAfter;
    const qint64 pixelsAt = paletteAt + entries * (core ? 3 : 4);
    const qint64 stride = (qint64(w) * l.depth + 31) / 32 * 4;
    QByteArray b(pixelsAt + stride * h, '\0');
    b[0] = 'B';
    b[1] = 'M';
    // {offset, value, bytes}: the file header, then the core or info header.
    using F = std::vector<std::array<uint32_t, 3>>;
    F fields = {{2, uint32_t(b.size()), 4}, {10, uint32_t(pixelsAt), 4}, {14, uint32_t(l.infoSize), 4}};
    const F head = core ? F{{18, uint32_t(w), 2}, {20, uint32_t(h), 2}, {22, 1, 2}, {24, uint32_t(l.depth), 2}}
                        : F{{18, uint32_t(w), 4}, {22, uint32_t(l.topDown ? -h : h), 4}, {26, 1, 2},
                            {28, uint32_t(l.depth), 2}, {30, l.bitFields ? 3u : 0u, 4}, {34, uint32_t(stride * h), 4},
                            {38, 2835, 4}, {42, 2835, 4}, {46, uint32_t(l.colours), 4}};
    fields.insert(fields.end(), head.begin(), head.end());
    for (int i = 0; l.bitFields && i < 3; ++i) fields.push_back({uint32_t(54 + 4 * i), l.masks[i], 4});
    for (const auto& [at, v, n] : fields) put(b, at, v, int(n));
    // A colour table of distinct, uneven colours.
    for (int i = 0; i < entries; ++i) put(b, paletteAt + i * (core ? 3 : 4), colour(i), 3);
    for (int y = 0; y < h; ++y) {
        const qint64 row = pixelsAt + (l.topDown ? y : h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            const uint32_t v = value(x, y);
            if (l.depth < 8) {
                const qint64 bit = qint64(x) * l.depth;
                b[row + bit / 8] = char(uchar(b[row + bit / 8]) | v << (8 - l.depth - bit % 8));
            } else {
                put(b, row + qint64(x) * (l.depth / 8), v, l.depth / 8);
            }
        }
    }
    return b;
}

// Deterministic noise, so that every pixel differs from its neighbours.
inline std::function<uint32_t(int, int)> noise(uint32_t limit) {
    return [limit](int x, int y) {
        uint32_t s = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ 0x9E3779B9u;
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return limit ? s % limit : s;
    };
}

struct Sample {
    QString name;
    QByteArray bytes;
    tk::bmp::Status status = tk::bmp::Status::Ok;  // what the reader must say
    bool headersPass = false;  // a fault only the pixels show
    std::function<uint32_t(int, int)> pixel;  // what an accepted one shows
};

// Every depth, both row orders, every header size, plain and bit fields.
inline std::vector<Sample> accepted() {
    std::vector<Sample> out;
    auto add = [&](Layout l, uint32_t limit, int w = 13, int h = 5) {
        out.push_back({QString("%1 bits, header %2%3%4").arg(l.depth).arg(l.infoSize).arg(l.topDown ? ", top-down" : "")
                           .arg(l.bitFields ? ", fields" : ""), write(l, w, h, noise(limit)), tk::bmp::Status::Ok, false,
                       [l, limit](int x, int y) { return pixel(l, noise(limit)(x, y)); }});
    };
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        const uint32_t limit = depth == 32 ? 0 : 1u << depth;
        for (int info : {12, 40, 124})
            if (info != 12 || depth != 32) add({info, depth, false, {}, info == 124}, limit);
        if (depth <= 8) add({40, depth, false, {}, false, 2}, 2);  // fewer colours
    }
    add({40, 16, true, {0xF800, 0x07E0, 0x001F}}, 0x10000);
    add({56, 16, true, {0x0F00, 0x00F0, 0x000F}, true}, 0x10000);
    add({52, 16, true, {0x001F, 0x03E0, 0x7C00}}, 0x10000);
    add({108, 24}, 0x1000000, 1, 3);  // one pixel wide
    add({40, 32, true, {0xFF0000, 0xFF00, 0xFF}}, 0);
    add({124, 32, true, {0x3FF00000, 0xFFC00, 0x3FF}, true}, 0);
    add({56, 32, true, {0x80000000, 0x7FFFFFFE, 0x1}}, 0);
    return out;
}

// Each way a file can be refused, one sample each.
inline std::vector<Sample> refused() {
    using S = tk::bmp::Status;
    std::vector<Sample> out;
    const QByteArray good24 = write({40, 24}, 13, 5, noise(0x1000000));
    const QByteArray good8 = write({40, 8}, 13, 5, noise(256));
    const QByteArray fields16 = write({40, 16, true, {0xF800, 0x07E0, 0x001F}}, 13, 5, noise(0x10000));
    auto changed = [](QByteArray b, qint64 at, uint32_t v, int bytes) {
        put(b, at, v, bytes);
        return b;
    };
    auto add = [&](const char* name, const QByteArray& b, S s, bool headersPass = false) {
        out.push_back({QString::fromUtf8(name), b, s, headersPass});
    };
    add("empty", {}, S::NotBitmap);
    add("not a bitmap", QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(80, 'x'), S::NotBitmap);
    add("headers cut", good24.left(30), S::CutShort);
    add("pixels cut", good24.left(good24.size() - 1), S::CutShort);
    add("pixels beyond the file", changed(good24, 10, 1000, 4), S::CutShort);
    add("unknown header size", changed(good24, 14, 64, 4), S::BrokenHeader);
    add("header size near 2^32", changed(good24, 14, 0xFFFFFFF0u, 4), S::BrokenHeader);
    add("two planes", changed(good24, 26, 2, 2), S::BrokenHeader);
    add("2 bits", changed(good24, 28, 2, 2), S::BrokenHeader);
    add("depth 24 made 8", changed(good24, 28, 8, 2), S::BrokenHeader);
    add("run-length 8 bits", changed(good8, 30, 1, 4), S::BrokenHeader);
    add("run-length 4 bits", changed(write({40, 4}, 13, 5, noise(16)), 30, 2, 4), S::BrokenHeader);
    add("bit fields at 24 bits", changed(good24, 30, 3, 4), S::BrokenHeader);
    add("bit fields without masks", changed(changed(good24, 28, 16, 2), 30, 3, 4), S::BrokenHeader);
    add("zero mask", changed(fields16, 58, 0, 4), S::BrokenHeader);
    add("mask with a gap", changed(fields16, 54, 0xF00F, 4), S::BrokenHeader);
    add("overlapping masks", changed(fields16, 58, 0x0FE0, 4), S::BrokenHeader);
    add("mask beyond 16 bits", changed(fields16, 54, 0x1F0000, 4), S::BrokenHeader);
    add("offset inside the colour table", changed(good8, 10, 54 + 512, 4), S::BrokenHeader);
    add("more colours than 8 bits hold", changed(good8, 46, 257, 4), S::BrokenHeader);
    // Indices 0-4 against four colours: one past the end.
    add("index beyond the colour table", changed(write({40, 8}, 13, 5, noise(5)), 46, 4, 4), S::BrokenHeader, true);
    add("zero width", changed(good24, 18, 0, 4), S::BrokenHeader);
    add("negative width", changed(good24, 18, uint32_t(-13), 4), S::BrokenHeader);
    add("zero height", changed(good24, 22, 0, 4), S::BrokenHeader);
    add("lowest height", changed(good24, 22, 0x80000000u, 4), S::TooLarge);
    add("over the pixel cap", changed(changed(write({40, 1}, 8, 1, noise(2)), 18, 8192, 4), 22, 2049, 4),
        S::TooLarge);
    return out;
}

}  // namespace samples
