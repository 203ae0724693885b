// velmoria-pictures GF_DIR ICON_DIR: draws every picture the game shows, and its icons, and writes them out.
//
// Everything is vector shapes and fixed-seed noise, so a given source always
// yields the same bytes (on one machine: installed fonts may differ).

#include "fonts.h"
#include "names.h"
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>

using namespace pics;

namespace {

// Faces fill the place they are shown in, at the size a 1080-pixel screen
// shows them: one cell of the 7 x 3 grid for the row of meals, 2 x 2 cells
// for whoever speaks.
const QSize kCell(188, 208);
const QSize kSpeaker(372, 410);

// The middle of the square design frame, as wide as the picture's shape allows.
QRectF frameFor(QSize size)
{
    const double w = kFace * double(size.width()) / size.height();
    return QRectF((kFace - w) / 2, 0, w, kFace);
}

// The end's word in each language, in that language's faces.
struct Word {
    const char *picture, *word, *language;
};
constexpr Word kEndWords[] = {{"end", "終", "ja"}, {"end_en", "The End", "en"}, {"end_zh", "终", "zh"}};

// Each language's faces, and what they must draw: without them the words
// would be baked in empty boxes or another language's forms.
struct Needed {
    const char *language, *sample, *what;
};
constexpr Needed kNeeded[] = {{"ja", "ヴェルモリア終", "Japanese"}, {"zh", "终", "Simplified Chinese"}};

// What each name shows, drawn in the shape of its place.
std::function<QImage()> drawing(const QString &name)
{
    auto face = [](const Person &who, Mood mood, std::uint32_t seed, QSize size) {
        return [=, &who] { return portrait(who, mood, seed, size, frameFor(size)); };
    };
    if (name == QLatin1String("stt"))
        return titlePicture;
    for (const Word &w : kEndWords)
        if (name == QLatin1String(w.picture))
            return [w] { return endingPicture(QString::fromUtf8(w.word), QLatin1String(w.language)); };
    if (name == QLatin1String("fce8"))
        return face(kPeople[7], Mood::Knowing, 800, kSpeaker);
    if (name == QLatin1String("fce9"))
        return face(kPeople[8], Mood::Lordly, 900, kSpeaker);
    if (name == QLatin1String("fce0"))
        return face(kPeople[9], Mood::Radiant, 1000, kSpeaker);
    // "fce<n>", "fce<n>k" and "fce<n>d": meal n calm, happy and leaving.
    const int i = name.size() >= 4 ? name[3].digitValue() - 1 : -1;
    if (!name.startsWith(QLatin1String("fce")) || i < 0 || i > 6 || name.size() > 5)
        return {};
    const std::uint32_t seed = 100u + std::uint32_t(i) * 10u;
    if (name.size() == 4)
        return face(kPeople[i], Mood::Calm, seed, kCell);
    if (name.endsWith(QLatin1Char('k')))
        return face(kPeople[i], Mood::Happy, seed + 1, kSpeaker);
    if (name.endsWith(QLatin1Char('d')))
        return face(kPeople[i], Mood::Sad, seed + 2, kSpeaker);
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmoria-pictures GF_DIR ICON_DIR\n");
        return 2;
    }
    for (const Needed &n : kNeeded) {
        const QString missing = fontMissing(QLatin1String(n.language), QString::fromUtf8(n.sample));
        if (missing.isEmpty())
            continue;
        std::fprintf(stderr,
                     "velmoria-pictures: no %s font (%s) is installed; the text was drawn with %s.\n"
                     "Install the Debian package fonts-noto-cjk (apt-get install fonts-noto-cjk) and build again.\n",
                     n.what, qPrintable(fonts::families(QLatin1String(n.language)).join(QStringLiteral(" or "))),
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
    for (const char *name : kPictureNames) {
        const QString path = gfDir.filePath(QLatin1String(name) + QStringLiteral(".bmp"));
        const auto draw = drawing(QLatin1String(name));
        QString error;
        if (!draw)
            fail(path, QStringLiteral("no drawing has this name"));
        else if (!writeBmp(draw(), path, &error))
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
