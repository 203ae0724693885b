// fuzz_seeds OUTDIR: writes the fuzzer's seed corpus, every hand-made sample
// of the reader's tests, accepted and refused.
#include "bitmap_samples.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUTDIR\n");
        return 2;
    }
    const QDir out(QFile::decodeName(argv[1]));
    if (!out.mkpath(".")) return 1;
    int n = 0;
    for (const auto& list : {samples::accepted(), samples::refused()})
        for (const samples::Sample& s : list) {
            QFile f(out.filePath(QString("seed-%1.bmp").arg(n++)));
            if (!f.open(QIODevice::WriteOnly) || f.write(s.bytes) != s.bytes.size()) return 1;
        }
    std::printf("fuzz_seeds: %d seeds in %s\n", n, argv[1]);
    return 0;
}
