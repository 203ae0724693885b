// A second, deliberately plain reading of the bitmaps the game accepts: every
// byte read through one bounds check, every pixel through one general path.
// The tests and the fuzzer compare the real reader with it pixel for pixel.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace reference {

struct Pixels {
    long long width = 0, height = 0;
    std::vector<uint32_t> argb;  // 0xFFRRGGBB, top row first
    uint32_t at(long long x, long long y) const { return argb[size_t(y * width + x)]; }
};

namespace detail {
class Bytes {
public:
    Bytes(const unsigned char* data, size_t size) : data_(data), size_(size) {}
    bool ok = true;
    unsigned byte(unsigned long long i) {
        if (i >= size_) {
            ok = false;
            return 0;
        }
        return data_[i];
    }
    // `count` bytes, least significant first.
    unsigned long long le(unsigned long long at, int count) {
        unsigned long long v = 0;
        for (int k = count - 1; k >= 0; --k) v = v * 256 + byte(at + k);
        return v;
    }

private:
    const unsigned char* data_;
    size_t size_;
};

// The bits of `value` under `mask`, lowest first, and how many there are.
inline unsigned long long gather(unsigned long long value, unsigned long long mask, int* bits) {
    unsigned long long out = 0;
    *bits = 0;
    for (int b = 0; b < 32; ++b)
        if ((mask >> b) & 1) out |= ((value >> b) & 1) << (*bits)++;
    return out;
}

// An n-bit value on the 0..255 scale, rounded to nearest.
inline uint32_t widen(unsigned long long v, int bits) {
    return uint32_t(std::lround(double(v) * 255.0 / (std::ldexp(1.0, bits) - 1)));
}

inline long long signed32(unsigned long long v) { return v >= 0x80000000ull ? (long long)v - 0x100000000ll : (long long)v; }
}  // namespace detail

// Null when the file cannot be read truly.
inline std::optional<Pixels> decode(const unsigned char* data, size_t size) {
    detail::Bytes f(data, size);
    if (f.byte(0) != 'B' || f.byte(1) != 'M') return {};
    const unsigned long long pixelsAt = f.le(10, 4);
    const unsigned long long info = f.le(14, 4);
    long long width, height;
    unsigned long long depth, compression = 0, used = 0, entry = 4;
    if (info == 12) {
        width = (long long)f.le(18, 2);
        height = (long long)f.le(20, 2);
        depth = f.le(24, 2);
        entry = 3;
    } else if (info == 40 || info == 52 || info == 56 || info == 108 || info == 124) {
        width = detail::signed32(f.le(18, 4));
        height = detail::signed32(f.le(22, 4));
        depth = f.le(28, 2);
        compression = f.le(30, 4);
        used = f.le(46, 4);
    } else {
        return {};
    }
    if (!f.ok) return {};
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width * height > (1ll << 24)) return {};
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) return {};

    unsigned long long masks[3];
    if (compression == 3 && (depth == 16 || depth == 32)) {
        for (int i = 0; i < 3; ++i) masks[i] = f.le(14 + 40 + 4 * i, 4);
    } else if (compression != 0) {
        return {};
    } else if (depth == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    for (unsigned long long m : masks)
        if (m == 0) return {};

    std::vector<uint32_t> palette;
    if (depth <= 8) {
        const unsigned long long count = used ? used : 1ull << depth;
        if (count > 256) return {};
        const unsigned long long start = 14 + info;
        for (unsigned long long i = 0; i < count; ++i) {
            const unsigned long long e = start + i * entry;
            palette.push_back(0xFF000000u | f.byte(e + 2) << 16 | f.byte(e + 1) << 8 | f.byte(e));
        }
    }

    Pixels out;
    out.width = width;
    out.height = height;
    out.argb.reserve(size_t(width * height));  // no more than the picture needs
    const unsigned long long stride = (width * depth + 31) / 32 * 4;
    for (long long y = 0; y < height; ++y) {
        const unsigned long long row = pixelsAt + (topDown ? y : height - 1 - y) * stride;
        for (long long x = 0; x < width; ++x) {
            const unsigned long long bit = x * depth;
            unsigned long long v;
            if (depth < 8) v = (f.byte(row + bit / 8) >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
            else v = f.le(row + bit / 8, int(depth / 8));
            if (depth <= 8) {
                if (v >= palette.size()) return {};
                out.argb.push_back(palette[v]);
            } else {
                uint32_t argb = 0xFF000000u;
                for (int c = 0; c < 3; ++c) {
                    int bits;
                    const unsigned long long raw = detail::gather(v, masks[c], &bits);
                    argb |= detail::widen(raw, bits) << (16 - 8 * c);
                }
                out.argb.push_back(argb);
            }
        }
        if (!f.ok) return {};
    }
    if (!f.ok) return {};
    return out;
}

}  // namespace reference
