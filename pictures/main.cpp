// velmoria-pictures OUTDIR [ICON.png]: draws every picture the game shows and writes them out.
//
// Everything is vector shapes and fixed-seed noise, so a given source always
// yields the same bytes.

#include "pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>

using namespace pics;

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: velmoria-pictures OUTDIR [ICON.png]\n");
        return 2;
    }
    // Without a Japanese font the title would be baked with empty boxes or Chinese forms.
    const QString missing = japaneseFontMissing();
    if (!missing.isEmpty()) {
        std::fprintf(stderr,
                     "velmoria-pictures: no Japanese font (Noto Sans CJK JP or IPAGothic) is installed; "
                     "the text was drawn with %s.\n"
                     "Install the Debian package fonts-noto-cjk (apt-get install fonts-noto-cjk) and build again.\n",
                     qPrintable(missing));
        return 1;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "velmoria-pictures: cannot create %s\n", argv[1]);
        return 1;
    }

    struct Job {
        QString name;
        std::function<QImage()> draw;
    };
    std::vector<Job> jobs;
    jobs.push_back({QStringLiteral("stt.bmp"), titlePicture});
    jobs.push_back({QStringLiteral("end.bmp"), endingPicture});
    for (int i = 0; i < 7; ++i) {
        const Person &who = kPeople[i];
        const QString n = QString::number(i + 1);
        const std::uint32_t seed = 100u + std::uint32_t(i) * 10u;
        jobs.push_back({"Fce" + n + ".bmp", [&who, seed] { return portrait(who, Mood::Calm, seed); }});
        jobs.push_back({"fce" + n + "k.bmp", [&who, seed] { return portrait(who, Mood::Happy, seed + 1); }});
        jobs.push_back({"Fce" + n + "d.bmp", [&who, seed] { return portrait(who, Mood::Sad, seed + 2); }});
    }
    jobs.push_back({QStringLiteral("fce8.bmp"), [] { return portrait(kPeople[7], Mood::Knowing, 800); }});
    jobs.push_back({QStringLiteral("fce9.bmp"), [] { return portrait(kPeople[8], Mood::Lordly, 900); }});
    jobs.push_back({QStringLiteral("fce0.bmp"), [] { return portrait(kPeople[9], Mood::Radiant, 1000); }});

    int failures = 0;
    for (const Job &job : jobs) {
        const QString path = QDir(outDir).filePath(job.name);
        QString error;
        if (!writeBmp(job.draw(), path, &error)) {
            std::fprintf(stderr, "velmoria-pictures: cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            ++failures;
        }
    }
    // The desktop icon: the master, as the menus show him.
    if (argc == 3) {
        const QImage icon = portrait(kPeople[8], Mood::Lordly, 900)
                                .scaled(256, 256, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
            std::fprintf(stderr, "velmoria-pictures: cannot write %s\n", argv[2]);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
