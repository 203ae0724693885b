// libFuzzer target: the bitmap reader never crashes or reads outside its
// input, its header check agrees with it, and no picture it accepts is over
// the cap. (Its pixels are checked against the samples' own in test_toolkit.)
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
    return 0;
}
