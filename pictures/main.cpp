// velmoria-pictures GF_DIR ICON_DIR: draws every picture the game shows, and its icons, and writes them out.
//
// Everything is vector shapes and fixed-seed noise, so a given source always
// yields the same bytes (on one machine: installed fonts may differ).

#include "pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>

using namespace pics;

namespace {

struct Job {
    QString name;
    std::function<QImage()> draw;
};

std::vector<Job> pictureJobs()
{
    const QSize face(kFace, kFace);
    const QRectF all(0, 0, kFace, kFace);
    std::vector<Job> jobs;
    jobs.push_back({QStringLiteral("stt.bmp"), titlePicture});
    jobs.push_back({QStringLiteral("end.bmp"), endingPicture});
    for (int i = 0; i < 7; ++i) {
        const Person &who = kPeople[i];
        const QString n = QString::number(i + 1);
        const std::uint32_t seed = 100u + std::uint32_t(i) * 10u;
        jobs.push_back({"Fce" + n + ".bmp", [=, &who] { return portrait(who, Mood::Calm, seed, face, all); }});
        jobs.push_back({"fce" + n + "k.bmp", [=, &who] { return portrait(who, Mood::Happy, seed + 1, face, all); }});
        jobs.push_back({"Fce" + n + "d.bmp", [=, &who] { return portrait(who, Mood::Sad, seed + 2, face, all); }});
    }
    jobs.push_back({QStringLiteral("fce8.bmp"), [=] { return portrait(kPeople[7], Mood::Knowing, 800, face, all); }});
    jobs.push_back({QStringLiteral("fce9.bmp"), [=] { return portrait(kPeople[8], Mood::Lordly, 900, face, all); }});
    jobs.push_back({QStringLiteral("fce0.bmp"), [=] { return portrait(kPeople[9], Mood::Radiant, 1000, face, all); }});
    return jobs;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmoria-pictures GF_DIR ICON_DIR\n");
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
    const QDir gfDir(QString::fromLocal8Bit(argv[1]));
    const QDir iconDir(QString::fromLocal8Bit(argv[2]));

    int failures = 0;
    auto fail = [&](const QString &what, const QString &why) {
        std::fprintf(stderr, "velmoria-pictures: cannot write %s%s%s\n", qPrintable(what), why.isEmpty() ? "" : ": ",
                     qPrintable(why));
        ++failures;
    };
    if (!QDir().mkpath(gfDir.path()))
        fail(gfDir.path(), QStringLiteral("cannot create the folder"));
    for (const Job &job : pictureJobs()) {
        const QString path = gfDir.filePath(job.name);
        QString error;
        if (!writeBmp(job.draw(), path, &error))
            fail(path, error);
    }
    // The freedesktop icon theme layout, ready to install under share/icons/hicolor.
    for (int size : kIconSizes) {
        const QString sub = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = iconDir.filePath(sub + QStringLiteral("/org.velmoria.Velmoria.png"));
        if (!QDir().mkpath(iconDir.filePath(sub)) || !icon(size).save(path, "PNG"))
            fail(path, QString());
    }
    return failures ? 1 : 0;
}
