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

// Null when the file cannot be read truly.
inline std::optional<Pixels> decode(const unsigned char* data, size_t size) {
    bool ok = true;
    // `count` bytes at `at`, least significant first; reading past the end
    // spoils the whole reading.
    auto le = [&](unsigned long long at, int count) {
        unsigned long long v = 0;
        for (int k = count - 1; k >= 0; --k) {
            ok = ok && at + k < size;
            v = v * 256 + (at + k < size ? data[at + k] : 0);
        }
        return v;
    };
    auto signed32 = [](unsigned long long v) { return v >= 0x80000000ull ? (long long)v - 0x100000000ll : (long long)v; };
    if (le(0, 1) != 'B' || le(1, 1) != 'M') return {};
    const unsigned long long pixelsAt = le(10, 4), info = le(14, 4);
    long long width, height;
    unsigned long long depth, compression = 0, used = 0, entry = 4;
    if (info == 12) {
        width = (long long)le(18, 2), height = (long long)le(20, 2), depth = le(24, 2), entry = 3;
    } else if (info == 40 || info == 52 || info == 56 || info == 108 || info == 124) {
        width = signed32(le(18, 4)), height = signed32(le(22, 4)), depth = le(28, 2);
        compression = le(30, 4), used = le(46, 4);
    } else {
        return {};
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (!ok || width <= 0 || height <= 0 || width * height > (1ll << 24)) return {};
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) return {};

    unsigned long long masks[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    if (compression == 3 && (depth == 16 || depth == 32)) {
        for (int i = 0; i < 3; ++i) masks[i] = le(14 + 40 + 4 * i, 4);
    } else if (compression != 0) {
        return {};
    } else if (depth == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    }
    std::vector<uint32_t> palette;
    const unsigned long long count = depth > 8 ? 0 : used ? used : 1ull << depth;
    if (count > 256 || !masks[0] || !masks[1] || !masks[2]) return {};
    for (unsigned long long i = 0; i < count; ++i)
        palette.push_back(0xFF000000u | uint32_t(le(14 + info + i * entry, 3)));

    Pixels out{width, height, {}};
    out.argb.reserve(size_t(width * height));  // no more than the picture needs
    const unsigned long long stride = (width * depth + 31) / 32 * 4;
    for (long long y = 0; y < height; ++y) {
        const unsigned long long row = pixelsAt + (topDown ? y : height - 1 - y) * stride;
        for (long long x = 0; x < width && ok; ++x) {
            const unsigned long long bit = x * depth;
            const unsigned long long v = depth < 8 ? (le(row + bit / 8, 1) >> (8 - depth - bit % 8)) & ((1u << depth) - 1)
                                                   : le(row + bit / 8, int(depth / 8));
            if (depth <= 8 && v >= palette.size()) return {};
            if (depth <= 8) {
                out.argb.push_back(palette[v]);
                continue;
            }
            // Each channel's bits gathered, lowest first, and widened to
            // 0..255 by rounding to nearest.
            uint32_t argb = 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                unsigned long long raw = 0;
                int bits = 0;
                for (int b = 0; b < 32; ++b)
                    if ((masks[c] >> b) & 1) raw |= ((v >> b) & 1) << bits++;
                argb |= uint32_t(std::lround(double(raw) * 255.0 / (std::ldexp(1.0, bits) - 1))) << (16 - 8 * c);
            }
            out.argb.push_back(argb);
        }
    }
    if (!ok) return {};
    return out;
}

}  // namespace reference
