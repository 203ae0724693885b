// libFuzzer target: the bitmap reader never crashes or reads outside its
// input, its header check agrees with it, and every picture it accepts has
// exactly the pixels of the reference reading.
#include "bitmap_reference.h"
#include "toolkit/bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_bitmap: %s\n", what);
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tk::bmp::Status;
    const char* bytes = reinterpret_cast<const char*>(data);
    const qint64 length = qint64(size);
    QImage image;
    if (tk::bmp::decode(bytes, length, &image) != Status::Ok) return 0;

    tk::bmp::Header header;
    if (tk::bmp::readHeader(bytes, std::min(length, tk::bmp::kHeadBytes), length, &header) != Status::Ok)
        fail("a picture decoded whose headers alone were refused");
    if (qint64(image.width()) * image.height() * 4 > tk::bmp::kCap) fail("a picture over the cap");
    const auto ref = reference::decode(data, size);
    if (!ref) fail("accepted a file the reference cannot read");
    if (ref->width != image.width() || ref->height != image.height()) fail("sizes differ from the reference");
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] != ref->at(x, y)) {
                std::fprintf(stderr, "pixel %d,%d: %08x, reference %08x\n", x, y, row[x], ref->at(x, y));
                fail("pixels differ from the reference");
            }
    }
    return 0;
}
