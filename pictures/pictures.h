// What the picture generator's files share: drawing helpers, the people, and each part's entry points.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace pics {

constexpr double kPi = 3.14159265358979323846;
// Portraits are drawn in a kFace x kFace frame of design units.
constexpr int kFace = 320;

// xorshift32: std distributions differ between library versions, this does not.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : s_(seed ? seed : 1u) {}
    std::uint32_t next()
    {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    double uniform(double lo, double hi) { return lo + (hi - lo) * (next() / 4294967296.0); }

private:
    std::uint32_t s_;
};

// ---- drawing helpers (draw.cpp)

QColor mix(const QColor &a, const QColor &b, double t);
QColor alpha(QColor c, int a);
// The faces of a language ("ja", "en", "zh"), at a size in pixels.
QFont languageFont(const QString &language, int px, QFont::Weight weight);
QFont japaneseFont(int px, QFont::Weight weight);
// Empty when one of the language's own faces draws the sample, else what drew it instead.
QString fontMissing(const QString &language, const QString &sample);
bool writeBmp(const QImage &src, const QString &path, QString *error);

QPainterPath lock(QPointF root, QPointF tip, double w, double bend);
QPainterPath svg(const char *d);
QPainterPath mirrored(const QPainterPath &path);
QPainterPath sparkle(QPointF c, double r);
QPainterPath gothicArch(double x, double top, double w, double bottom);
QPainterPath bat(QPointF c, double s);
QPainterPath petal(QPointF c, double s, double angle);
void vignette(QPainter &p, const QRectF &r, int strength);
void glowSpot(QPainter &p, QPointF c, double r, const QColor &col);

// ---- people (people.cpp)

enum class Mood { Calm, Happy, Sad, Knowing, Lordly, Radiant };
enum class HairStyle { Spiky, Messy, Hime, TwinTails, Ringlets, SideSwept, Bun, Slicked, Flowing };
enum class Outfit { Jacket, Vest, Collar, Blouse, Frills, Hoodie, Gown, Maid, Cape, Robe };
enum class Mouth { Flat, Soft, Pout, Smirk };
// How a meal looks when contented: each its own smile and eyes.
enum class Smile { Grin, Laugh, Gentle, Wink, Smug, Shy, Serene };

struct EyeShape {
    double w, h;   // half width, half height
    double lift;   // outer corner raised (sharp) or lowered (droopy)
    double drop;   // how far the upper lid covers the eye
    double iris;   // iris size relative to the eye
    bool slit;     // narrow pupil
    double lash;   // lash line thickness
};

struct Person {
    QColor tint, skin, hair, iris, cloth, trim;
    HairStyle hairStyle;
    Outfit outfit;
    EyeShape eye;
    Mouth mouth;     // at rest
    Smile smile;     // contented
    bool angularJaw;
    bool broad;      // wide shoulders and neck
    double brows;    // >0 knitted and low, <0 worried
    bool glasses = false;
    bool mole = false;
};

// Seven meals, then the maid, the master and the master's bloomed form.
extern const std::array<Person, 10> kPeople;

// Draws the part `view` of a portrait's design frame into an image of `size`.
QImage portrait(const Person &who, Mood mood, std::uint32_t seed, QSize size, const QRectF &view);

// ---- hair (hair.cpp)

struct HairShape {
    QPainterPath back;
    QPainterPath front;
    std::vector<QPainterPath> lines;    // strand texture, drawn over the front
    struct Curl {
        QPointF centre;
        double r;
    };
    std::vector<Curl> curls;
    std::vector<QPointF> ribbons;
};

HairShape buildHair(HairStyle style);
void paintHairFill(QPainter &p, const QPainterPath &shape, const QColor &base, bool back);
void paintRibbon(QPainter &p, QPointF c, const QColor &col);
void frontHair(QPainter &p, const Person &who, const HairShape &hair);

// ---- faces and expressions (face.cpp, eyes.cpp)

QColor lashColour(const Person &who);
// side is -1 for the eye on the picture's left, +1 for the one on its right.
void drawEye(QPainter &p, QPointF centre, int side, const Person &who, Mood mood);

void head(QPainter &p, const Person &who, Mood mood, const HairShape &hair);
void accessories(QPainter &p, const Person &who);

// ---- bodies and clothes (body.cpp)

void fillShape(QPainter &p, const QPainterPath &path, const QColor &c, double penW = 1.5);
void collarBehind(QPainter &p, const Person &who);
void body(QPainter &p, const Person &who);

// ---- backgrounds and light (background.cpp)

void background(QPainter &p, const Person &who, Mood mood, Rng &rng);
void moodLight(QPainter &p, const Person &who, Mood mood, Rng &rng);

// ---- title and end pictures (scenery.cpp)

QImage titlePicture();
// The end, its word in the faces of its language.
QImage endingPicture(const QString &word, const QString &language);

// ---- the app icon (icon.cpp)

// Icon sizes the desktop looks for, in pixels.
constexpr std::array<int, 8> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
QImage icon(int size);

} // namespace pics
