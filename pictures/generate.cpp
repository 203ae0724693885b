// velmoria-pictures OUTDIR
//
// Draws every picture the game shows (title, ending and all faces) with
// QPainter and writes them as 24-bit BMP files.  Everything is vector shapes
// and fixed-seed noise, so a given source always yields the same bytes.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
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

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor alpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

QFont japaneseFont(int px, QFont::Weight weight)
{
    QFont f;
    // Noto first so Han characters take their Japanese forms.
    f.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    f.setPixelSize(px);
    f.setWeight(weight);
    return f;
}

// Written by hand so the file is always BI_RGB 24-bit, whatever Qt's writer prefers.
bool writeBmp(const QImage &src, const QString &path, QString *error)
{
    const QImage img = src.convertToFormat(QImage::Format_RGB888);
    const int w = img.width(), h = img.height();
    const int rowBytes = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = std::uint32_t(rowBytes) * std::uint32_t(h);
    QByteArray out;
    out.reserve(int(54 + dataSize));
    auto put16 = [&](std::uint16_t v) {
        out.append(char(v & 0xff));
        out.append(char(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xff));
    };
    out.append("BM", 2);
    put32(54 + dataSize);
    put16(0);
    put16(0);
    put32(54);
    put32(40);
    put32(std::uint32_t(w));
    put32(std::uint32_t(h)); // positive height: rows stored bottom-up
    put16(1);
    put16(24);
    put32(0); // BI_RGB
    put32(dataSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = h - 1; y >= 0; --y) {
        const uchar *line = img.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            out.append(char(line[3 * x + 2]));
            out.append(char(line[3 * x + 1]));
            out.append(char(line[3 * x]));
        }
        for (int pad = w * 3; pad < rowBytes; ++pad)
            out.append('\0');
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = f.errorString();
        return false;
    }
    if (f.write(out) != out.size() || !f.flush()) {
        *error = f.errorString();
        return false;
    }
    f.close();
    if (f.error() != QFileDevice::NoError) {
        *error = f.errorString();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- shapes ---

// A tapering lock of hair (or any leaf-like stroke) from a wide root to a point.
QPainterPath lock(QPointF root, QPointF tip, double w, double bend)
{
    const QPointF d = tip - root;
    const double len = std::hypot(d.x(), d.y());
    const QPointF n(-d.y() / len, d.x() / len);
    const QPointF mid = (root + tip) / 2 + n * bend;
    QPainterPath path;
    path.moveTo(root + n * w);
    path.quadTo(mid + n * w * 0.6, tip);
    path.quadTo(mid - n * w * 0.6, root - n * w);
    path.closeSubpath();
    return path;
}

// Path from a compact "M x y L x y Q cx cy x y C c1x c1y c2x c2y x y Z" string
// (absolute coordinates only), so hand-placed outlines stay one readable line.
QPainterPath svg(const char *d)
{
    QPainterPath path;
    const QStringList tok = QString::fromLatin1(d).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    qsizetype i = 0;
    auto pt = [&] {
        const double x = tok.at(i).toDouble(), y = tok.at(i + 1).toDouble();
        i += 2;
        return QPointF(x, y);
    };
    while (i < tok.size()) {
        const QChar c = tok.at(i++).at(0);
        if (c == QLatin1Char('M')) {
            path.moveTo(pt());
        } else if (c == QLatin1Char('L')) {
            path.lineTo(pt());
        } else if (c == QLatin1Char('Q')) {
            const QPointF a = pt();
            path.quadTo(a, pt());
        } else if (c == QLatin1Char('C')) {
            const QPointF a = pt(), b = pt();
            path.cubicTo(a, b, pt());
        } else {
            path.closeSubpath();
        }
    }
    return path;
}

QPainterPath mirrored(const QPainterPath &path)
{
    QTransform t(-1, 0, 0, 1, kFace, 0);
    return t.map(path);
}

QPainterPath sparkle(QPointF c, double r)
{
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c, QPointF(c.x() + r * 0.7, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() + r));
    s.quadTo(c, QPointF(c.x() - r * 0.7, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() - r));
    return s;
}

QPainterPath gothicArch(double x, double top, double w, double bottom)
{
    const double spring = top + w * 0.75;
    QPainterPath a;
    a.moveTo(x, bottom);
    a.lineTo(x, spring);
    a.cubicTo(x, spring - w * 0.45, x + w * 0.3, top + w * 0.12, x + w / 2, top);
    a.cubicTo(x + w * 0.7, top + w * 0.12, x + w, spring - w * 0.45, x + w, spring);
    a.lineTo(x + w, bottom);
    a.closeSubpath();
    return a;
}

QPainterPath bat(QPointF c, double s)
{
    QPainterPath b;
    b.moveTo(c);
    b.quadTo(c.x() - 4 * s, c.y() - 6 * s, c.x() - 14 * s, c.y() - 5 * s);
    b.quadTo(c.x() - 11 * s, c.y() - 1 * s, c.x() - 13 * s, c.y() + 3 * s);
    b.quadTo(c.x() - 9 * s, c.y() + 0.5 * s, c.x() - 7 * s, c.y() + 3 * s);
    b.quadTo(c.x() - 4 * s, c.y() + 0.5 * s, c.x(), c.y() + 4 * s);
    b.quadTo(c.x() + 4 * s, c.y() + 0.5 * s, c.x() + 7 * s, c.y() + 3 * s);
    b.quadTo(c.x() + 9 * s, c.y() + 0.5 * s, c.x() + 13 * s, c.y() + 3 * s);
    b.quadTo(c.x() + 11 * s, c.y() - 1 * s, c.x() + 14 * s, c.y() - 5 * s);
    b.quadTo(c.x() + 4 * s, c.y() - 6 * s, c.x(), c.y());
    return b;
}

QPainterPath petal(QPointF c, double s, double angle)
{
    QPainterPath p;
    p.moveTo(0, -s);
    p.cubicTo(s * 0.9, -s * 0.6, s * 0.7, s * 0.7, 0, s);
    p.cubicTo(-s * 0.7, s * 0.7, -s * 0.9, -s * 0.6, 0, -s);
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(angle);
    return t.map(p);
}

void vignette(QPainter &p, const QRectF &r, int strength)
{
    QRadialGradient g(r.center(), std::hypot(r.width(), r.height()) * 0.55);
    g.setColorAt(0.55, QColor(0, 0, 0, 0));
    g.setColorAt(1.0, QColor(0, 0, 0, strength));
    p.fillRect(r, g);
}

void glowSpot(QPainter &p, QPointF c, double r, const QColor &col)
{
    QRadialGradient g(c, r);
    g.setColorAt(0, col);
    g.setColorAt(1, alpha(col, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

// -------------------------------------------------------------- portraits ---

enum class Mood { Calm, Happy, Sad, Knowing, Lordly, Radiant };
enum class HairStyle { Spiky, Messy, Hime, TwinTails, Ringlets, SideSwept, Bun, Slicked, Flowing };
enum class Outfit { Jacket, Vest, Collar, Blouse, Frills, Hoodie, Gown, Maid, Cape, Robe };
enum class Mouth { Flat, Soft, Pout, Smirk };

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
    Mouth mouth;
    bool angularJaw;
    bool broad;      // wide shoulders and neck
    double brows;    // >0 knitted and low, <0 worried
    bool glasses = false;
    bool mole = false;
};

const QColor kSkin(252, 226, 210);
const QColor kPale(238, 232, 240);

// Seven meals, then the maid, the master and the master's bloomed form.
const std::array<Person, 10> kPeople = {{
    {QColor(255, 0, 0), QColor(248, 220, 200), QColor(135, 24, 30), QColor(200, 60, 40),
     QColor(58, 46, 44), QColor(205, 28, 36), HairStyle::Spiky, Outfit::Jacket,
     {19, 14, 5, 0.12, 0.58, false, 3.4}, Mouth::Flat, true, true, 1.0},
    {QColor(0, 255, 0), kSkin, QColor(72, 118, 70), QColor(70, 175, 90),
     QColor(242, 244, 240), QColor(44, 140, 72), HairStyle::Messy, Outfit::Vest,
     {20, 22, 1.5, 0.0, 0.74, false, 3.0}, Mouth::Pout, false, false, 0.6},
    {QColor(0, 0, 255), kSkin, QColor(34, 44, 96), QColor(70, 100, 205),
     QColor(42, 70, 180), QColor(250, 250, 255), HairStyle::Hime, Outfit::Collar,
     {19, 20, -1, 0.05, 0.70, false, 2.8}, Mouth::Soft, false, false, -0.2, true},
    {QColor(255, 255, 0), kSkin, QColor(250, 214, 112), QColor(225, 150, 45),
     QColor(255, 206, 52), QColor(255, 238, 120), HairStyle::TwinTails, Outfit::Blouse,
     {20, 23, 0, 0.0, 0.76, false, 3.0}, Mouth::Soft, false, false, -0.1},
    {QColor(255, 0, 255), kSkin, QColor(176, 52, 160), QColor(190, 60, 185),
     QColor(165, 25, 130), QColor(252, 245, 252), HairStyle::Ringlets, Outfit::Frills,
     {20, 18, 4, 0.32, 0.66, false, 3.4}, Mouth::Smirk, false, false, 0.0},
    {QColor(0, 255, 255), kSkin, QColor(44, 122, 132), QColor(40, 175, 185),
     QColor(70, 196, 208), QColor(30, 110, 125), HairStyle::SideSwept, Outfit::Hoodie,
     {18, 19, -3, 0.08, 0.66, false, 2.8}, Mouth::Flat, true, true, -0.8},
    {QColor(100, 100, 100), QColor(250, 228, 218), QColor(208, 210, 220), QColor(120, 132, 160),
     QColor(112, 112, 122), QColor(76, 76, 88), HairStyle::Flowing, Outfit::Gown,
     {20, 16, -1, 0.30, 0.66, false, 3.0}, Mouth::Soft, false, false, -0.1, false, true},
    {QColor(120, 40, 70), kSkin, QColor(48, 36, 42), QColor(130, 60, 95),
     QColor(28, 26, 34), QColor(252, 252, 252), HairStyle::Bun, Outfit::Maid,
     {19, 18, 1.5, 0.26, 0.66, false, 3.0}, Mouth::Soft, false, false, 0.0},
    {QColor(150, 0, 20), kPale, QColor(26, 22, 32), QColor(225, 20, 36),
     QColor(18, 14, 22), QColor(170, 10, 28), HairStyle::Slicked, Outfit::Cape,
     {20, 14, 6, 0.16, 0.56, true, 3.4}, Mouth::Smirk, true, true, 0.5},
    {QColor(255, 210, 120), QColor(250, 240, 236), QColor(250, 230, 176), QColor(235, 70, 70),
     QColor(250, 248, 242), QColor(222, 178, 72), HairStyle::Slicked, Outfit::Robe,
     {20, 14, 6, 0.16, 0.56, true, 3.2}, Mouth::Soft, true, true, -0.1},
}};

QColor lashColour(const Person &who)
{
    return mix(who.hair, QColor(30, 16, 26), 0.75);
}

// ---- hair

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

QPainterPath domeShape()
{
    const QPainterPath d = svg("M 84 150 C 80 -4 240 -4 236 150 Q 160 52 84 150 Z");
    return d;
}

struct HairBuilder {
    HairShape shape;
    QPainterPath front;
    QPainterPath back;
    void add(QPointF root, QPointF tip, double w, double bend, bool twin = false)
    {
        front = front.united(lock(root, tip, w, bend));
        line(root, tip, bend);
        if (twin) {
            const QPointF r2(kFace - root.x(), root.y()), t2(kFace - tip.x(), tip.y());
            front = front.united(lock(r2, t2, w, -bend));
            line(r2, t2, -bend);
        }
    }
    void addBack(QPointF root, QPointF tip, double w, double bend, bool twin = false)
    {
        back = back.united(lock(root, tip, w, bend));
        if (twin)
            back = back.united(lock({kFace - root.x(), root.y()}, {kFace - tip.x(), tip.y()}, w, -bend));
    }
    void line(QPointF root, QPointF tip, double bend)
    {
        const QPointF d = tip - root;
        const double len = std::hypot(d.x(), d.y());
        const QPointF n(-d.y() / len, d.x() / len);
        const QPointF mid = (root + tip) / 2 + n * bend;
        QPainterPath l;
        l.moveTo(root + (mid - root) * 0.9);
        l.quadTo(mid + n * 0.5 * bend, root + (tip - root) * 0.88);
        shape.lines.push_back(l);
    }
    HairShape done()
    {
        shape.front = front;
        shape.back = back;
        return shape;
    }
};

HairShape buildHair(HairStyle style)
{
    HairBuilder h;
    h.front = domeShape();
    h.back.addEllipse(QPointF(160, 120), 78, 88);
    switch (style) {
    case HairStyle::Spiky:
        for (auto [x, y] : std::array<std::pair<double, double>, 7>{
                 {{62, 92}, {74, 44}, {112, 14}, {160, 4}, {206, 16}, {246, 46}, {258, 96}}})
            h.add({160, 92}, {x, y}, 22, 0);
        h.add({110, 62}, {98, 132}, 16, -4);
        h.add({136, 56}, {128, 130}, 15, 3);
        h.add({160, 56}, {160, 140}, 14, 0);
        h.add({185, 56}, {192, 128}, 15, -3);
        h.add({208, 62}, {222, 134}, 16, 4);
        h.add({96, 100}, {90, 172}, 10, -3, true);
        h.addBack({110, 150}, {96, 214}, 14, 0, true);
        break;
    case HairStyle::Messy:
        h.add({104, 62}, {94, 140}, 16, -8);
        h.add({128, 58}, {120, 142}, 15, 6);
        h.add({150, 55}, {146, 132}, 14, -5);
        h.add({172, 56}, {180, 144}, 15, 7);
        h.add({196, 58}, {206, 132}, 15, -6);
        h.add({216, 66}, {228, 146}, 14, 6);
        h.add({145, 60}, {128, 16}, 13, -7);
        h.add({178, 60}, {198, 20}, 13, 6);
        h.add({120, 70}, {74, 56}, 13, -5);
        h.add({200, 70}, {248, 60}, 13, 5);
        h.add({94, 110}, {88, 184}, 12, -4, true);
        h.addBack({104, 150}, {86, 216}, 14, -3, true);
        h.addBack({130, 170}, {120, 222}, 14, 0, true);
        {
            // stubborn tuft on the crown
            const QPainterPath a = svg("M 156 40 C 150 10 176 -4 192 8 C 176 4 164 16 166 40 Z");
            h.front = h.front.united(a);
        }
        break;
    case HairStyle::Hime: {
        QPainterPath bangs;
        bangs.moveTo(94, 70);
        bangs.lineTo(92, 132);
        const double cut[] = {128, 134, 129, 135, 128, 134, 129, 135, 130};
        for (int i = 0; i < 9; ++i)
            bangs.lineTo(100 + i * 15, cut[i]);
        bangs.lineTo(228, 132);
        bangs.lineTo(226, 70);
        bangs.closeSubpath();
        h.front = h.front.united(bangs);
        for (int i = 0; i < 8; ++i)
            h.line({105.0 + i * 16, 70}, {104.0 + i * 16, 126}, 0);
        h.add({98, 92}, {102, 262}, 13, 2, true);
        const QPainterPath longBack = svg("M 84 150 C 80 -4 240 -4 236 150 L 262 300 L 58 300 Z");
        h.back = h.back.united(longBack);
        break;
    }
    case HairStyle::TwinTails:
        h.add({108, 62}, {100, 132}, 15, -5);
        h.add({130, 58}, {126, 138}, 15, 4);
        h.add({155, 56}, {152, 128}, 13, -3);
        h.add({178, 56}, {184, 136}, 15, 5);
        h.add({202, 60}, {212, 130}, 15, -4);
        h.add({96, 100}, {96, 196}, 10, -4, true);
        h.addBack({88, 78}, {34, 300}, 32, -34, true);
        h.addBack({88, 78}, {62, 286}, 24, -12, true);
        h.addBack({92, 84}, {18, 250}, 18, -30, true);
        h.shape.ribbons = {{88, 72}, {232, 72}};
        break;
    case HairStyle::Ringlets:
        h.add({140, 58}, {98, 136}, 18, -12);
        h.add({150, 58}, {128, 126}, 15, -6);
        h.add({165, 58}, {178, 122}, 16, 6);
        h.add({180, 60}, {210, 130}, 17, 10);
        h.add({195, 64}, {228, 142}, 14, 8);
        h.add({96, 96}, {90, 176}, 15, -4, true);
        // drill curls: each coil a little smaller and further out than the one above
        for (int i = 0; i < 5; ++i) {
            const double r = 20 - i * 2.0;
            const QPointF c(86 - i * 2.5, 176 + i * 23 - i * i * 0.5);
            h.shape.curls.push_back({c, r});
            h.shape.curls.push_back({{kFace - c.x(), c.y()}, r});
        }
        {
            const QPainterPath longBack = svg("M 84 150 C 80 -4 240 -4 236 150 C 246 200 258 250 256 300 L 64 300 "
                                              "C 62 250 74 200 84 150 Z");
            h.back = h.back.united(longBack);
        }
        break;
    case HairStyle::SideSwept:
        h.add({118, 60}, {100, 130}, 14, -6);
        h.add({130, 58}, {150, 134}, 16, 6);
        h.add({140, 58}, {188, 170}, 20, 10);
        h.add({152, 58}, {208, 178}, 20, 12);
        h.add({166, 62}, {228, 172}, 16, 10);
        h.add({182, 66}, {234, 152}, 12, 8);
        h.add({95, 104}, {92, 186}, 10, -3);
        h.addBack({104, 150}, {90, 220}, 14, -3, true);
        h.addBack({140, 170}, {130, 226}, 14, 0, true);
        break;
    case HairStyle::Bun:
        h.add({135, 56}, {100, 122}, 18, -10);
        h.add({145, 58}, {120, 118}, 14, -5);
        h.add({160, 60}, {200, 122}, 20, 8);
        h.add({175, 62}, {224, 134}, 16, 10);
        h.add({94, 110}, {98, 204}, 8, -2, true);
        {
            QPainterPath bun;
            bun.addEllipse(QPointF(160, 34), 32, 26);
            h.back = h.back.united(bun);
        }
        break;
    case HairStyle::Slicked: {
        const QPainterPath s = svg("M 84 150 C 80 -4 240 -4 236 150 Q 232 95 206 80 Q 180 72 160 94 "
                                   "Q 140 72 114 80 Q 88 95 84 150 Z");
        h.front = s;
        h.add({150, 80}, {138, 134}, 7, -7);
        h.add({92, 118}, {96, 168}, 6, -1, true);
        for (int i = 0; i < 6; ++i) {
            QPainterPath l;
            const double x = 112 + i * 19;
            l.moveTo(x, 86 - std::abs(x - 160) * 0.1);
            l.quadTo(x + (x - 160) * 0.3, 50, 160 + (x - 160) * 1.3, 30);
            h.shape.lines.push_back(l);
        }
        h.addBack({104, 150}, {94, 214}, 14, -2, true);
        break;
    }
    case HairStyle::Flowing: {
        const QPainterPath d = svg("M 84 150 C 80 -4 240 -4 236 150 Q 200 60 160 62 Q 120 60 84 150 Z");
        // curtains parted in the middle, framing the face down over the shoulders
        const QPainterPath curtain = svg("M 160 46 C 122 50 94 80 90 132 C 86 200 84 262 74 316 Q 92 306 100 316 "
                                         "C 104 250 102 190 102 156 C 104 110 128 76 160 56 Z");
        h.front = d.united(curtain).united(mirrored(curtain));
        for (double off : {0.0, 6.0}) {
            QPainterPath l;
            l.moveTo(150 - off * 2, 56);
            l.cubicTo(116 - off, 70, 96 + off, 130, 92 + off, 200);
            h.shape.lines.push_back(l);
            h.shape.lines.push_back(mirrored(l));
        }
        const QPainterPath longBack = svg("M 84 150 C 80 -4 240 -4 236 150 C 252 220 272 280 276 330 L 44 330 "
                                          "C 48 280 68 220 84 150 Z");
        h.back = h.back.united(longBack);
        break;
    }
    }
    return h.done();
}

QColor hairShine(const QColor &c)
{
    return mix(c, QColor(255, 255, 255), c.lightnessF() < 0.3 ? 0.3 : 0.45);
}

void paintHairFill(QPainter &p, const QPainterPath &shape, const QColor &base, bool back)
{
    // shade towards a dusky violet rather than plain black so light hair doesn't turn olive
    const QColor dusk(60, 28, 60);
    const QColor b = back ? mix(base, dusk, 0.3) : base;
    QLinearGradient g(0, 10, 0, 320);
    g.setColorAt(0, mix(b, QColor(255, 255, 255), 0.18));
    g.setColorAt(0.4, b);
    g.setColorAt(1, mix(b, dusk, 0.45));
    p.setBrush(g);
    p.setPen(QPen(mix(base, QColor(20, 10, 20), 0.7), 1.8));
    p.drawPath(shape);
}

void paintCurl(QPainter &p, QPointF c, double r, const QColor &base)
{
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.35), r * 1.4);
    g.setColorAt(0, mix(base, QColor(255, 255, 255), 0.3));
    g.setColorAt(0.6, base);
    g.setColorAt(1, base.darker(165));
    p.setBrush(g);
    p.setPen(QPen(mix(base, QColor(20, 10, 20), 0.7), 1.5));
    p.drawEllipse(c, r, r * 0.82);
    // the turn of the coil and its shine
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(alpha(base.darker(200), 170), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - r * 0.8, c.y() - r * 0.9, r * 1.6, r * 1.3), 200 * 16, 150 * 16);
    p.setPen(QPen(alpha(mix(base, QColor(255, 255, 255), 0.6), 200), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - r * 0.6, c.y() - r * 0.6, r * 1.2, r * 0.9), 40 * 16, 80 * 16);
}

void paintRibbon(QPainter &p, QPointF c, const QColor &col)
{
    p.save();
    p.translate(c);
    QPainterPath loops = svg("M 0 0 C -18 -22 -34 -8 -26 8 C -20 16 -8 6 0 0 C 18 -22 34 -8 26 8 "
                             "C 20 16 8 6 0 0 M -3 3 L -12 30 L -4 26 L 0 4 L 6 28 L 13 30 "
                             "L 3 3");
    loops.setFillRule(Qt::WindingFill);
    QLinearGradient g(0, -20, 0, 30);
    g.setColorAt(0, col.lighter(125));
    g.setColorAt(1, col.darker(135));
    p.setBrush(g);
    p.setPen(QPen(col.darker(220), 1.4));
    p.drawPath(loops);
    p.setBrush(col.darker(115));
    p.drawEllipse(QPointF(0, 1), 5.5, 6.5);
    p.restore();
}

// ---- background

void windowScene(QPainter &p, const QColor &glass, const QColor &frame, const QColor &spill)
{
    const QPainterPath arch = gothicArch(212, 22, 86, 262);
    QLinearGradient g(0, 22, 0, 262);
    g.setColorAt(0, glass.lighter(120));
    g.setColorAt(1, glass.darker(140));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(arch);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(frame, 7));
    p.drawPath(arch);
    p.setPen(QPen(frame, 4));
    p.drawLine(QPointF(255, 30), QPointF(255, 262));
    p.drawLine(QPointF(212, 130), QPointF(298, 130));
    p.drawLine(QPointF(212, 196), QPointF(298, 196));
    const QPainterPath light = svg("M 212 90 L 298 60 L 190 320 L 0 320 Z");
    QLinearGradient lg(250, 60, 100, 320);
    lg.setColorAt(0, spill);
    lg.setColorAt(1, alpha(spill, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(lg);
    p.drawPath(light);
}

void background(QPainter &p, const Person &who, Mood mood, Rng &rng)
{
    const QRectF all(0, 0, kFace, kFace);
    switch (mood) {
    case Mood::Calm: {
        QLinearGradient g(0, 0, 0, kFace);
        g.setColorAt(0, mix(QColor(12, 10, 30), who.tint, 0.16));
        g.setColorAt(1, mix(QColor(34, 20, 46), who.tint, 0.26));
        p.fillRect(all, g);
        const QColor moon = mix(QColor(190, 205, 255), who.tint, 0.25);
        windowScene(p, mix(moon, QColor(20, 20, 50), 0.45), QColor(16, 10, 22), alpha(moon, 50));
        glowSpot(p, {272, 78}, 30, alpha(QColor(255, 250, 235), 200));
        p.setBrush(QColor(250, 246, 230));
        p.drawEllipse(QPointF(272, 78), 13, 13);
        for (int i = 0; i < 14; ++i)
            glowSpot(p, {rng.uniform(0, 200), rng.uniform(10, 300)}, rng.uniform(6, 18),
                     alpha(mix(who.tint, QColor(255, 255, 255), 0.4), int(rng.uniform(25, 70))));
        break;
    }
    case Mood::Happy: {
        QRadialGradient g(QPointF(160, 120), 240);
        g.setColorAt(0, mix(QColor(255, 240, 190), who.tint, 0.10));
        g.setColorAt(0.5, mix(QColor(245, 180, 90), who.tint, 0.18));
        g.setColorAt(1, mix(QColor(150, 74, 40), who.tint, 0.15));
        p.fillRect(all, g);
        windowScene(p, QColor(255, 214, 140), QColor(120, 60, 30), QColor(255, 236, 180, 90));
        for (int i = 0; i < 16; ++i)
            glowSpot(p, {rng.uniform(0, 320), rng.uniform(0, 320)}, rng.uniform(8, 22),
                     QColor(255, 240, 200, int(rng.uniform(40, 110))));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 10; ++i) {
            p.setBrush(QColor(255, 252, 230, int(rng.uniform(150, 240))));
            p.drawPath(sparkle({rng.uniform(10, 310), rng.uniform(10, 200)}, rng.uniform(4, 10)));
        }
        break;
    }
    case Mood::Sad: {
        QLinearGradient g(0, 0, 0, kFace);
        g.setColorAt(0, mix(QColor(8, 12, 30), who.tint, 0.06));
        g.setColorAt(1, mix(QColor(30, 46, 80), who.tint, 0.10));
        p.fillRect(all, g);
        windowScene(p, QColor(50, 70, 110), QColor(8, 10, 20), QColor(140, 170, 230, 45));
        p.setPen(QPen(QColor(180, 200, 240, 70), 1.2));
        for (int i = 0; i < 24; ++i) {
            const double x = rng.uniform(214, 298), y = rng.uniform(30, 250), l = rng.uniform(6, 16);
            p.drawLine(QPointF(x, y), QPointF(x - 1, y + l));
        }
        break;
    }
    case Mood::Knowing: {
        QLinearGradient g(0, 0, 0, kFace);
        g.setColorAt(0, QColor(46, 30, 40));
        g.setColorAt(1, QColor(20, 14, 22));
        p.fillRect(all, g);
        // damask wallpaper
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 50, 70, 45));
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x) {
                const QPointF c(x * 40 + (y % 2) * 20, y * 40);
                QPainterPath d;
                d.moveTo(c.x(), c.y() - 12);
                d.quadTo(c.x() + 4, c.y(), c.x(), c.y() + 12);
                d.quadTo(c.x() - 4, c.y(), c.x(), c.y() - 12);
                d.addEllipse(c, 3, 3);
                p.drawPath(d);
            }
        for (QPointF c : {QPointF(36, 96), QPointF(286, 110)}) {
            glowSpot(p, c, 60, QColor(255, 180, 90, 90));
            p.setBrush(QColor(240, 230, 210));
            p.drawRect(QRectF(c.x() - 4, c.y() + 6, 8, 34));
            p.setBrush(QColor(255, 220, 120));
            p.drawPath(lock(c + QPointF(0, 6), c + QPointF(0, -12), 4, 0));
        }
        break;
    }
    case Mood::Lordly: {
        QRadialGradient g(QPointF(160, 110), 240);
        g.setColorAt(0, QColor(120, 12, 24));
        g.setColorAt(0.6, QColor(60, 4, 14));
        g.setColorAt(1, QColor(18, 0, 6));
        p.fillRect(all, g);
        glowSpot(p, {160, 112}, 150, QColor(200, 30, 40, 110));
        p.setBrush(QColor(200, 50, 50, 90));
        p.drawEllipse(QPointF(160, 112), 118, 118);
        p.setBrush(QColor(10, 0, 4, 220));
        for (auto [x, y, s] : std::array<std::tuple<double, double, double>, 5>{
                 {{34, 40, 1.3}, {70, 22, 0.9}, {272, 34, 1.4}, {300, 70, 0.8}, {28, 120, 0.7}}})
            p.drawPath(bat({x, y}, s));
        break;
    }
    case Mood::Radiant: {
        QRadialGradient g(QPointF(160, 120), 250);
        g.setColorAt(0, QColor(255, 253, 240));
        g.setColorAt(0.45, QColor(255, 232, 170));
        g.setColorAt(1, QColor(210, 150, 70));
        p.fillRect(all, g);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 24; ++i) {
            const double a0 = i * 2 * kPi / 24, a1 = a0 + kPi / 40;
            QPainterPath ray;
            ray.moveTo(160, 120);
            ray.lineTo(160 + std::cos(a0) * 400, 120 + std::sin(a0) * 400);
            ray.lineTo(160 + std::cos(a1) * 400, 120 + std::sin(a1) * 400);
            ray.closeSubpath();
            p.setBrush(QColor(255, 255, 255, 70));
            p.drawPath(ray);
        }
        glowSpot(p, {160, 110}, 130, QColor(255, 255, 250, 200));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(240, 196, 80, 230), 6));
        p.drawEllipse(QPointF(160, 106), 112, 112);
        p.setPen(QPen(QColor(255, 246, 200, 200), 2));
        p.drawEllipse(QPointF(160, 106), 120, 120);
        break;
    }
    }
}

// ---- body and clothes

QPainterPath shoulderShape(bool broad)
{
    const double s = broad ? 1.0 : 0.84;
    QPainterPath b;
    b.moveTo(160 - 158 * s, 330);
    b.cubicTo(160 - 152 * s, 286, 160 - 112 * s, 262, 138, 250);
    b.lineTo(182, 250);
    b.cubicTo(160 + 112 * s, 262, 160 + 152 * s, 286, 160 + 158 * s, 330);
    b.closeSubpath();
    return b;
}

void fillShape(QPainter &p, const QPainterPath &path, const QColor &c, double penW = 1.5)
{
    QLinearGradient g(0, 200, 0, 330);
    g.setColorAt(0, c.lighter(112));
    g.setColorAt(1, c.darker(135));
    p.setBrush(g);
    p.setPen(penW > 0 ? QPen(mix(c, QColor(10, 5, 15), 0.65), penW) : Qt::NoPen);
    p.drawPath(path);
}

QPainterPath scallops(QPointF from, QPointF to, int n, double r)
{
    QPainterPath s;
    for (int i = 0; i < n; ++i) {
        const QPointF c = from + (to - from) * ((i + 0.5) / n);
        QPainterPath e;
        e.addEllipse(c, r, r);
        s = s.united(e);
    }
    return s;
}

QPainterPath standingCollar()
{
    const QPainterPath c = svg("M 150 252 C 118 246 80 226 56 142 C 80 176 104 196 132 206 Z");
    return c;
}

void collarBehind(QPainter &p, const Person &who)
{
    if (who.outfit != Outfit::Cape && who.outfit != Outfit::Robe)
        return;
    const bool cape = who.outfit == Outfit::Cape;
    const QColor lining = cape ? who.trim : QColor(255, 240, 200);
    const QColor edge = cape ? QColor(14, 10, 16) : who.trim;
    for (const QPainterPath &c : {standingCollar(), mirrored(standingCollar())}) {
        QLinearGradient g(0, 140, 0, 250);
        g.setColorAt(0, lining.lighter(130));
        g.setColorAt(1, lining.darker(170));
        p.setBrush(g);
        p.setPen(QPen(edge, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(c);
    }
}

void body(QPainter &p, const Person &who)
{
    const double nw = who.broad ? 22 : 18;
    const QPainterPath torso = shoulderShape(who.broad);

    if (who.outfit == Outfit::Hoodie) {
        QPainterPath hood;
        hood.addEllipse(QPointF(160, 254), 60, 20);
        fillShape(p, hood, who.cloth.darker(125));
    }

    QPainterPath neck;
    neck.moveTo(160 - nw, 186);
    neck.lineTo(160 - nw, 238);
    neck.quadTo(160 - nw, 252, 160 - nw - 14, 262);
    neck.lineTo(160 + nw + 14, 262);
    neck.quadTo(160 + nw, 252, 160 + nw, 238);
    neck.lineTo(160 + nw, 186);
    neck.closeSubpath();
    p.setBrush(who.skin.darker(108));
    p.setPen(Qt::NoPen);
    p.drawPath(neck);

    // skin showing at the neckline for open collars
    if (who.outfit == Outfit::Blouse || who.outfit == Outfit::Gown) {
        QPainterPath chest;
        chest.moveTo(110, 256);
        chest.quadTo(160, who.outfit == Outfit::Gown ? 316 : 300, 210, 256);
        chest.lineTo(182, 244);
        chest.lineTo(138, 244);
        chest.closeSubpath();
        p.setBrush(who.skin.darker(104));
        p.drawPath(chest);
    }

    QPainterPath cloth = torso;
    if (who.outfit == Outfit::Blouse || who.outfit == Outfit::Gown) {
        QPainterPath neckline = svg("M 100 240 L 220 240 L 210 256");
        neckline.quadTo(160, who.outfit == Outfit::Gown ? 316 : 300, 110, 256);
        neckline.closeSubpath();
        cloth = torso.subtracted(neckline);
    }
    fillShape(p, cloth, who.cloth);

    const QPen line(mix(who.cloth, QColor(10, 5, 15), 0.6), 1.5);
    switch (who.outfit) {
    case Outfit::Jacket: {
        const QPainterPath v = svg("M 140 250 L 160 330 L 180 250 Z");
        fillShape(p, v, QColor(30, 26, 30));
        const QPainterPath lapel = svg("M 140 248 L 106 260 L 124 282 L 112 292 L 150 330 L 160 330 Z");
        fillShape(p, lapel, who.cloth.lighter(130));
        fillShape(p, mirrored(lapel), who.cloth.lighter(130));
        p.setPen(QPen(QColor(160, 140, 120, 120), 1.2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(40, 290), QPointF(20, 330));
        p.drawLine(QPointF(280, 290), QPointF(300, 330));
        const QPainterPath scarf = svg("M 124 236 C 138 260 182 260 196 236 L 202 256 C 184 284 136 284 118 256 "
                                       "Z");
        const QPainterPath tail = svg("M 170 262 L 198 258 L 214 330 L 182 330 Z");
        fillShape(p, tail, who.trim.darker(115));
        fillShape(p, scarf, who.trim);
        p.setPen(QPen(who.trim.darker(170), 1.2));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(176 + i * 2, 290 + i * 12), QPointF(202 + i * 3, 288 + i * 12));
        break;
    }
    case Outfit::Vest: {
        const QPainterPath vest = svg("M 44 330 L 62 290 Q 100 272 132 268 L 158 330 Z");
        fillShape(p, vest, who.trim);
        fillShape(p, mirrored(vest), who.trim);
        p.setBrush(QColor(240, 230, 200));
        p.setPen(QPen(who.trim.darker(200), 1));
        p.drawEllipse(QPointF(146, 302), 3, 3);
        p.drawEllipse(QPointF(152, 318), 3, 3);
        const QPainterPath collar = svg("M 140 244 L 124 270 L 156 264 L 160 256 Z");
        fillShape(p, collar, QColor(250, 250, 248));
        fillShape(p, mirrored(collar), QColor(250, 250, 248));
        const QPainterPath tie = svg("M 160 258 L 152 276 L 158 300 L 166 276 Z");
        fillShape(p, tie, who.trim.darker(120));
        break;
    }
    case Outfit::Collar: {
        const QPainterPath lobe = svg("M 160 254 C 150 290 108 292 104 262 C 116 250 140 244 160 254 Z");
        fillShape(p, lobe, who.trim);
        fillShape(p, mirrored(lobe), who.trim);
        paintRibbon(p, {160, 264}, who.cloth.lighter(115));
        break;
    }
    case Outfit::Blouse: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255), 5));
        const QPainterPath edge = svg("M 110 256 Q 160 300 210 256");
        p.drawPath(edge);
        p.setPen(line);
        p.drawLine(QPointF(70, 276), QPointF(80, 300));
        p.drawLine(QPointF(250, 276), QPointF(240, 300));
        paintRibbon(p, {160, 290}, QColor(255, 140, 40));
        break;
    }
    case Outfit::Frills: {
        QPainterPath band;
        band.addRect(QRectF(134, 208, 52, 44));
        QPainterPath ruff = band.united(scallops({132, 252}, {188, 252}, 6, 6))
                                .united(scallops({134, 208}, {186, 208}, 6, 5));
        fillShape(p, ruff, who.trim, 1.2);
        for (int tier = 2; tier >= 0; --tier) {
            const double y = 264 + tier * 20, hw = 20 + tier * 9;
            QPainterPath top;
            top.addRect(QRectF(160 - hw, y - 10, 2 * hw, 10));
            fillShape(p, top.united(scallops({160 - hw, y}, {160 + hw, y}, 4 + tier, 8 + tier)), who.trim, 1.2);
        }
        p.setBrush(QColor(230, 180, 60));
        p.setPen(QPen(QColor(120, 80, 20), 1.2));
        p.drawEllipse(QPointF(160, 238), 11, 13);
        QRadialGradient gem(QPointF(157, 234), 10);
        gem.setColorAt(0, who.cloth.lighter(190));
        gem.setColorAt(1, who.cloth.darker(130));
        p.setBrush(gem);
        p.drawEllipse(QPointF(160, 238), 7, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(157, 234), 2, 3);
        break;
    }
    case Outfit::Hoodie: {
        p.setPen(QPen(who.cloth.darker(180), 2));
        p.drawLine(QPointF(160, 266), QPointF(160, 330));
        for (int y = 270; y < 330; y += 6)
            p.drawLine(QPointF(157, y), QPointF(163, y));
        p.setPen(QPen(QColor(240, 250, 250), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(146, 262), QPointF(142, 306));
        p.drawLine(QPointF(174, 262), QPointF(178, 306));
        p.setPen(QPen(who.cloth.darker(220), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(142, 306), QPointF(141.5, 312));
        p.drawLine(QPointF(178, 306), QPointF(178.5, 312));
        const QPainterPath roll = svg("M 104 256 C 110 234 136 236 142 252 C 134 270 110 272 104 256");
        fillShape(p, roll, who.cloth.lighter(108));
        fillShape(p, mirrored(roll), who.cloth.lighter(108));
        break;
    }
    case Outfit::Gown: {
        const QPainterPath shawl = svg("M 10 330 C 30 280 70 258 112 254 Q 104 290 96 330 Z");
        fillShape(p, shawl, who.trim);
        fillShape(p, mirrored(shawl), who.trim);
        p.setPen(QPen(QColor(150, 150, 150), 0.8));
        for (int i = 0; i <= 12; ++i) {
            const double a = kPi * (0.15 + 0.7 * i / 12.0);
            const QPointF c(160 - std::cos(a) * 30, 246 + std::sin(a) * 26);
            QRadialGradient g(c + QPointF(-1, -1), 4);
            g.setColorAt(0, QColor(255, 255, 255));
            g.setColorAt(1, QColor(200, 196, 210));
            p.setBrush(g);
            p.drawEllipse(c, 3.2, 3.2);
        }
        break;
    }
    case Outfit::Maid: {
        QPainterPath bib;
        bib.addRoundedRect(QRectF(126, 280, 68, 60), 6, 6);
        QPainterPath straps = svg("M 128 282 L 100 262 L 88 270 L 118 296 Z");
        straps.addPath(mirrored(straps));
        fillShape(p, straps.united(scallops({98, 264}, {76, 286}, 4, 5))
                          .united(scallops({222, 264}, {244, 286}, 4, 5)),
                  who.trim, 1.2);
        fillShape(p, bib.united(scallops({128, 280}, {192, 280}, 6, 5)), who.trim, 1.2);
        const QPainterPath lobe = svg("M 160 254 C 152 278 124 280 120 258 C 130 248 144 246 160 254 Z");
        fillShape(p, lobe, who.trim, 1.2);
        fillShape(p, mirrored(lobe), who.trim, 1.2);
        paintRibbon(p, {160, 258}, QColor(150, 30, 50));
        break;
    }
    case Outfit::Cape:
    case Outfit::Robe: {
        const bool cape = who.outfit == Outfit::Cape;
        const QPainterPath shirt = svg("M 140 248 L 160 320 L 180 248 Z");
        fillShape(p, shirt, cape ? QColor(236, 232, 236) : QColor(255, 246, 220));
        for (int tier = 0; tier < 3; ++tier) {
            const double y = 266 + tier * 13, hw = 10 + tier * 4;
            fillShape(p, scallops({160 - hw, y}, {160 + hw, y}, 3, 6),
                      cape ? QColor(250, 248, 250) : QColor(255, 250, 235), 1.0);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(who.trim, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(138, 252), QPointF(118, 330));
        p.drawLine(QPointF(182, 252), QPointF(202, 330));
        const QColor gemCol = cape ? QColor(200, 10, 30) : QColor(255, 200, 60);
        glowSpot(p, {160, 256}, 16, alpha(gemCol, 120));
        p.setBrush(QColor(210, 170, 70));
        p.setPen(QPen(QColor(110, 80, 20), 1));
        p.drawEllipse(QPointF(160, 256), 8, 9);
        p.setBrush(gemCol);
        p.drawEllipse(QPointF(160, 256), 5, 6);
        p.setBrush(QColor(255, 255, 255, 210));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(158, 253), 1.6, 2);
        break;
    }
    }
}

// ---- face

QPainterPath facePath(bool angular)
{
    QPainterPath f;
    if (angular) {
        f.moveTo(92, 100);
        f.cubicTo(90, 150, 96, 185, 116, 210);
        f.cubicTo(130, 226, 148, 234, 160, 234);
        f.cubicTo(172, 234, 190, 226, 204, 210);
        f.cubicTo(224, 185, 230, 150, 228, 100);
    } else {
        f.moveTo(94, 100);
        f.cubicTo(92, 150, 98, 182, 120, 207);
        f.cubicTo(136, 222, 150, 231, 160, 231);
        f.cubicTo(170, 231, 184, 222, 200, 207);
        f.cubicTo(222, 182, 228, 150, 226, 100);
    }
    f.cubicTo(226, 30, 94, 30, f.elementAt(0).x, f.elementAt(0).y);
    f.closeSubpath();
    return f;
}

// Eye drawn in a frame where +x points to the outer corner, so one routine serves both sides.
void drawEye(QPainter &p, QPointF centre, int side, const Person &who, Mood mood)
{
    const EyeShape &e = who.eye;
    const double w = e.w, h = e.h;
    const double drop = std::min(0.6, e.drop + (mood == Mood::Sad ? 0.3 : 0.0));
    const double raise = mood == Mood::Happy ? 0.55 : 0.0;
    const double lookY = mood == Mood::Sad ? h * 0.32 : 0.0;
    const double lookX = (mood == Mood::Knowing ? 2.5 : 0.0) * side;
    const QColor lashCol = lashColour(who);

    p.save();
    p.translate(centre);
    p.scale(side, 1);

    const QPointF inner(-w, -0.1 * h + 2), outer(w * 1.05, -0.15 * h - e.lift);
    const double topC = -h * 1.333 * (1.0 - drop);
    QPainterPath upper;
    upper.moveTo(inner);
    upper.cubicTo(-0.45 * w, topC, 0.55 * w, topC - e.lift * 0.6, outer.x(), outer.y());

    const QPointF lowOuter(0.85 * w, 0.45 * h - e.lift * 0.5), lowInner(-0.8 * w, 0.5 * h);
    const double lowMid = h * 0.9 * (1.0 - raise * 1.5);
    const double lowC = (4 * lowMid - lowOuter.y() - lowInner.y()) / 2;
    QPainterPath lower;
    lower.moveTo(lowOuter);
    lower.quadTo(0.05 * w, lowC, lowInner.x(), lowInner.y());

    QPainterPath white = upper;
    white.lineTo(lowOuter);
    white.quadTo(0.05 * w, lowC, lowInner.x(), lowInner.y());
    white.closeSubpath();

    QLinearGradient sg(0, -h, 0, h);
    sg.setColorAt(0, QColor(205, 196, 218));
    sg.setColorAt(0.5, QColor(252, 250, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(sg);
    p.drawPath(white);

    p.save();
    p.setClipPath(white);
    const double rx = w * e.iris * 0.8, ry = h * 0.92 * (e.h < 17 ? 1.15 : 1.0);
    const QPointF ic(0.04 * w + lookX, 0.08 * h + lookY);
    QLinearGradient ig(0, ic.y() - ry, 0, ic.y() + ry);
    ig.setColorAt(0, who.iris.darker(280));
    ig.setColorAt(0.45, who.iris.darker(125));
    ig.setColorAt(1, who.iris.lighter(165));
    p.setBrush(ig);
    p.setPen(QPen(who.iris.darker(320), 1.3));
    p.drawEllipse(ic, rx, ry);
    p.setPen(QPen(alpha(who.iris.lighter(150), 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ic, rx * 0.72, ry * 0.74);
    p.setPen(Qt::NoPen);
    p.setBrush(who.iris.darker(380));
    p.drawEllipse(ic + QPointF(0, ry * 0.06), rx * (e.slit ? 0.16 : 0.45), ry * (e.slit ? 0.72 : 0.48));
    p.setBrush(alpha(who.iris.lighter(200), 120));
    p.drawEllipse(ic + QPointF(0, ry * 0.55), rx * 0.6, ry * 0.25);
    // shadow the upper lid casts onto the eye
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 30, 60, 80), h * 0.55));
    p.drawPath(upper);
    // catch-lights always sit up-left in the picture, whichever eye this is
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(ic + QPointF(-0.38 * rx * side, -0.4 * ry), rx * 0.34, ry * 0.26);
    p.drawEllipse(ic + QPointF(0.4 * rx * side, 0.4 * ry), rx * 0.14, rx * 0.14);
    if (mood == Mood::Happy || mood == Mood::Radiant) {
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawPath(sparkle(ic + QPointF(0.3 * rx * side, -0.1 * ry), rx * 0.35));
    }
    if (mood == Mood::Sad) {
        p.setBrush(QColor(200, 230, 255, 150));
        p.drawEllipse(QPointF(0.05 * w, lowMid - 1.5), w * 0.7, 3.2);
    }
    p.restore();

    // lash line: heavy towards the outer corner
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(lashCol, e.lash, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(upper);
    p.save();
    p.setClipRect(QRectF(0, -60, 60, 120));
    p.setPen(QPen(lashCol, e.lash * 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(upper.translated(0, -e.lash * 0.3));
    p.restore();
    const double fl = who.broad ? 0.5 : 1.0; // men get a plain corner, women a flick
    QPainterPath flick;
    flick.moveTo(outer + QPointF(-8, -2));
    flick.quadTo(outer + QPointF(4, -4) * fl, outer + QPointF(8, -7 - e.lift * 0.3) * fl);
    flick.quadTo(outer + QPointF(2, 1) * fl, outer + QPointF(-4, 3));
    flick.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(lashCol);
    p.drawPath(flick);
    if (who.mouth == Mouth::Smirk && !who.angularJaw) {
        // long upper lashes for the haughty lady
        p.setPen(QPen(lashCol, 1.8, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            const QPointF a = upper.pointAtPercent(0.62 + i * 0.13);
            p.drawLine(a, a + QPointF(4 + i * 2, -6 + i));
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(alpha(lashCol, mood == Mood::Happy ? 230 : 150), mood == Mood::Happy ? 2.2 : 1.3,
                  Qt::SolidLine, Qt::RoundCap));
    p.drawPath(lower);
    // eyelid crease
    p.save();
    p.setClipRect(QRectF(-w * 0.6, -60, w * 1.5, 120));
    p.setPen(QPen(alpha(lashCol, 90), 1.1));
    p.drawPath(upper.translated(0, -h * 0.28 - 3));
    p.restore();

    // brow
    double by = -h * (1.0 - drop * 0.4) - 12 - (h < 17 ? 2 : 0);
    double innerY = by + 4 + who.brows * 5, outerY = by + 1 - e.lift * 0.4;
    if (mood == Mood::Sad) {
        innerY -= 9;
        outerY += 3;
        by -= 4;
    } else if (mood == Mood::Happy) {
        innerY -= 3;
        outerY -= 2;
    } else if (mood == Mood::Lordly) {
        innerY += 3;
    }
    const QColor browCol = mix(who.hair, QColor(20, 10, 20), who.hair.lightnessF() > 0.6 ? 0.35 : 0.5);
    p.setPen(QPen(browCol.darker(130), 0.8));
    p.setBrush(browCol);
    p.drawPath(lock({-w * 0.85, innerY}, {w * 1.1, outerY}, who.angularJaw ? 3.2 : 2.4, -4 - (mood == Mood::Happy ? 2 : 0)));
    p.restore();
}

void drawMouth(QPainter &p, const Person &who, Mood mood)
{
    const QColor lineCol = mix(who.skin, QColor(90, 20, 30), 0.7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(lineCol, 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath m;
    switch (mood) {
    case Mood::Happy: {
        m.moveTo(142, 201);
        m.quadTo(160, 207, 178, 201);
        m.quadTo(172, 224, 160, 224);
        m.quadTo(148, 224, 142, 201);
        m.closeSubpath();
        p.setBrush(QColor(150, 40, 56));
        p.setPen(QPen(lineCol, 1.6));
        p.drawPath(m);
        p.save();
        p.setClipPath(m);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 120, 130));
        p.drawEllipse(QPointF(160, 225), 12, 8);
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(140, 198, 40, 8));
        p.restore();
        return;
    }
    case Mood::Sad:
        m.moveTo(149, 211);
        m.quadTo(155, 205, 160, 206);
        m.quadTo(166, 205, 171, 211);
        break;
    case Mood::Knowing:
        m.moveTo(148, 206);
        m.cubicTo(155, 210, 166, 209, 175, 201);
        break;
    case Mood::Lordly: {
        const QPainterPath open = svg("M 142 204 C 152 212 168 212 180 199 C 170 218 152 218 142 204");
        p.setBrush(QColor(90, 10, 20));
        p.setPen(QPen(lineCol.darker(130), 1.6));
        p.drawPath(open);
        QPainterPath fangs;
        for (double x : {150.0, 170.0}) {
            const double y = x < 160 ? 208.5 : 207.5;
            fangs.moveTo(x - 3.5, y - 1);
            fangs.lineTo(x + 3.5, y - 1.5);
            fangs.lineTo(x, y + 8);
            fangs.closeSubpath();
        }
        p.setBrush(QColor(255, 255, 255));
        p.setPen(QPen(QColor(140, 120, 130), 0.8));
        p.drawPath(fangs);
        return;
    }
    case Mood::Radiant:
        m.moveTo(146, 204);
        m.quadTo(160, 214, 174, 204);
        p.drawPath(m);
        m = QPainterPath();
        p.setBrush(QColor(255, 255, 255));
        p.setPen(QPen(QColor(160, 140, 140), 0.8));
        m.moveTo(165, 208.5);
        m.lineTo(170.5, 207);
        m.lineTo(168, 214);
        m.closeSubpath();
        p.drawPath(m);
        return;
    case Mood::Calm:
        switch (who.mouth) {
        case Mouth::Flat:
            m.moveTo(150, 207);
            m.quadTo(160, 205, 170, 207);
            break;
        case Mouth::Soft:
            m.moveTo(151, 205);
            m.quadTo(160, 210, 169, 205);
            break;
        case Mouth::Pout:
            m.moveTo(151, 209);
            m.quadTo(160, 203, 169, 208);
            break;
        case Mouth::Smirk:
            m.moveTo(148, 207);
            m.cubicTo(156, 210, 166, 208, 174, 200);
            break;
        }
        break;
    }
    p.drawPath(m);
}

void tear(QPainter &p, QPointF c)
{
    QPainterPath streak;
    streak.moveTo(c.x() - 2, c.y() - 34);
    streak.quadTo(c.x() - 4, c.y() - 14, c.x(), c.y() - 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(210, 235, 255, 160), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(streak);
    QPainterPath drop;
    drop.moveTo(c.x(), c.y() - 9);
    drop.cubicTo(c.x() + 6, c.y() - 1, c.x() + 6, c.y() + 6, c.x(), c.y() + 6);
    drop.cubicTo(c.x() - 6, c.y() + 6, c.x() - 6, c.y() - 1, c.x(), c.y() - 9);
    p.setBrush(QColor(205, 232, 255, 230));
    p.setPen(QPen(QColor(110, 160, 215), 1.1));
    p.drawPath(drop);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(c.x() - 2, c.y() + 1), 1.6, 2.2);
}

void blush(QPainter &p, Mood mood, bool strong)
{
    const int a = strong ? 150 : 70;
    for (double x : {118.0, 202.0}) {
        QRadialGradient g(QPointF(x, 186), 20);
        g.setColorAt(0, QColor(255, 110, 120, a));
        g.setColorAt(1, QColor(255, 110, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(x, 186), 22, 13);
        if (strong && mood == Mood::Happy) {
            p.setPen(QPen(QColor(230, 80, 100, 170), 1.3, Qt::SolidLine, Qt::RoundCap));
            for (int i = -1; i <= 1; ++i)
                p.drawLine(QPointF(x + i * 6 - 2, 190), QPointF(x + i * 6 + 3, 182));
        }
    }
}

void head(QPainter &p, const Person &who, Mood mood, const HairShape &hair)
{
    const QPainterPath face = facePath(who.angularJaw);
    const QColor outline = mix(who.skin, QColor(110, 50, 50), 0.55);

    // chin shadow across the neck
    p.save();
    p.setClipRect(QRectF(120, 180, 80, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(who.skin.darker(135), 170));
    p.drawPath(face.translated(0, 10));
    p.restore();

    p.setBrush(who.skin);
    p.setPen(QPen(outline, 1.5));
    p.drawEllipse(QPointF(92, 152), 8, 15);
    p.drawEllipse(QPointF(228, 152), 8, 15);

    QRadialGradient g(QPointF(150, 140), 120);
    g.setColorAt(0, who.skin.lighter(104));
    g.setColorAt(0.7, who.skin);
    g.setColorAt(1, who.skin.darker(112));
    p.setBrush(g);
    p.drawPath(face);

    p.save();
    p.setClipPath(face);
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(who.skin.darker(125), 200));
    p.drawPath(hair.front.translated(2, 7));
    p.restore();

    const bool girl = !who.broad;
    if (mood == Mood::Happy || (mood == Mood::Sad && girl))
        blush(p, mood, true);
    else if (girl || mood == Mood::Radiant)
        blush(p, mood, false);

    drawEye(p, {127, 152}, -1, who, mood);
    drawEye(p, {193, 152}, 1, who, mood);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(who.skin.darker(145), 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPainterPath nose = svg("M 162 174 Q 165 184 159 186");
    p.drawPath(nose);

    drawMouth(p, who, mood);
    if (who.mole) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 60, 60));
        p.drawEllipse(QPointF(208, 176), 1.6, 1.6);
    }
    if (mood == Mood::Sad) {
        tear(p, {116, 196});
        tear(p, {206, 192});
    }
}

void frontHair(QPainter &p, const Person &who, const HairShape &hair)
{
    paintHairFill(p, hair.front, who.hair, false);
    p.save();
    p.setClipPath(hair.front);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(alpha(who.hair.darker(170), 150), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const QPainterPath &l : hair.lines)
        p.drawPath(l);
    // the ring of shine across the crown
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(hairShine(who.hair), 150));
    for (int i = 0; i < 11; ++i) {
        const double a = kPi * (0.2 + 0.6 * i / 10.0);
        const QPointF top(160 - std::cos(a) * 60, 86 - std::sin(a) * 40);
        const double len = i % 2 ? 9 : 15;
        p.drawPath(lock(top, top + QPointF(-std::cos(a) * 3, len), 3.2, 0));
        p.drawPath(lock(top + QPointF(-std::cos(a) * 1.5, 5), top + QPointF(std::cos(a) * 2, -len * 0.6), 3.2, 0));
    }
    p.restore();
    for (const HairShape::Curl &c : hair.curls)
        paintCurl(p, c.centre, c.r, who.hair);
    for (QPointF c : hair.ribbons)
        paintRibbon(p, c, QColor(255, 214, 0));
}

void accessories(QPainter &p, const Person &who)
{
    if (who.glasses) {
        const QColor frame(40, 46, 86);
        p.setPen(QPen(frame, 2.6));
        p.setBrush(QColor(220, 235, 255, 40));
        p.drawRoundedRect(QRectF(103, 130, 48, 40), 12, 12);
        p.drawRoundedRect(QRectF(169, 130, 48, 40), 12, 12);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(151, 136, 18, 12), 20 * 16, 140 * 16);
        p.drawLine(QPointF(103, 142), QPointF(94, 140));
        p.drawLine(QPointF(217, 142), QPointF(226, 140));
        p.setPen(QPen(QColor(255, 255, 255, 110), 2.5));
        for (double x : {110.0, 176.0}) {
            p.drawLine(QPointF(x + 20, 134), QPointF(x + 6, 152));
            p.drawLine(QPointF(x + 28, 136), QPointF(x + 18, 150));
        }
    }
    if (who.outfit == Outfit::Maid) {
        const QPainterPath band = svg("M 98 86 C 110 40 210 40 222 86 C 206 56 114 56 98 86 Z");
        QPainterPath frill;
        for (int i = 0; i <= 8; ++i) {
            const double t = i / 8.0;
            const double a = kPi * (1.0 - t);
            QPainterPath e;
            e.addEllipse(QPointF(160 + std::cos(a) * 58, 74 - std::sin(a) * 34), 8, 8);
            frill = frill.united(e);
        }
        fillShape(p, frill.united(band), QColor(252, 252, 252), 1.3);
        p.setPen(QPen(QColor(30, 26, 34), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(band);
    }
}

void moodLight(QPainter &p, Mood mood, Rng &rng)
{
    const QRectF all(0, 0, kFace, kFace);
    switch (mood) {
    case Mood::Happy: {
        p.setCompositionMode(QPainter::CompositionMode_Screen);
        p.fillRect(all, QColor(46, 26, 0));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QRadialGradient g(QPointF(40, 20), 260);
        g.setColorAt(0, QColor(255, 220, 150, 90));
        g.setColorAt(1, QColor(255, 220, 150, 0));
        p.fillRect(all, g);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 6; ++i) {
            const double x = i % 2 ? rng.uniform(262, 312) : rng.uniform(8, 58);
            p.setBrush(QColor(255, 250, 220, 220));
            p.drawPath(sparkle({x, rng.uniform(160, 310)}, rng.uniform(4, 9)));
        }
        vignette(p, all, 90);
        break;
    }
    case Mood::Sad: {
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.fillRect(all, QColor(118, 142, 200));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QLinearGradient g(300, 0, 120, 200);
        g.setColorAt(0, QColor(150, 190, 255, 60));
        g.setColorAt(1, QColor(150, 190, 255, 0));
        p.fillRect(all, g);
        p.setPen(QPen(QColor(190, 210, 255, 45), 1.0));
        for (int i = 0; i < 40; ++i) {
            const double x = rng.uniform(0, 340), y = rng.uniform(-20, 320), l = rng.uniform(12, 30);
            p.drawLine(QPointF(x, y), QPointF(x - l * 0.25, y + l));
        }
        vignette(p, all, 190);
        break;
    }
    case Mood::Radiant:
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 22; ++i) {
            const QPointF c(rng.uniform(0, 320), rng.uniform(0, 320));
            if (c.x() > 80 && c.x() < 240 && c.y() < 240)
                continue; // keep petals off the face
            p.setBrush(i % 3 ? QColor(255, 200, 210, 220) : QColor(255, 236, 170, 230));
            p.drawPath(petal(c, rng.uniform(5, 9), rng.uniform(0, 360)));
        }
        vignette(p, all, 50);
        break;
    case Mood::Lordly:
        vignette(p, all, 200);
        break;
    default:
        vignette(p, all, 140);
        break;
    }
}

QImage portrait(const Person &who, Mood mood, std::uint32_t seed)
{
    QImage img(kFace, kFace, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(seed);
    background(p, who, mood, rng);

    const HairShape hair = buildHair(who.hairStyle);
    // a leaving meal hangs its head
    QTransform headTf;
    if (mood == Mood::Sad) {
        headTf.translate(160, 250);
        headTf.rotate(-6);
        headTf.translate(-160, -244);
    }

    p.setWorldTransform(headTf);
    paintHairFill(p, hair.back, who.hair, true);
    p.resetTransform();
    collarBehind(p, who);
    body(p, who);
    p.setWorldTransform(headTf);
    head(p, who, mood, hair);
    frontHair(p, who, hair);
    accessories(p, who);
    p.resetTransform();
    moodLight(p, mood, rng);
    p.end();
    return img;
}

// ------------------------------------------------------- title and ending ---

void mansion(QPainter &p, double cx, double base, double s, const QColor &body, const QColor &lit,
             double litShare, std::uint32_t seed)
{
    QPainterPath m;
    m.setFillRule(Qt::WindingFill);
    auto rect = [&](double x0, double y0, double x1, double y1) {
        m.addRect(QRectF(cx + x0 * s, base + y0 * s, (x1 - x0) * s, (y1 - y0) * s));
    };
    auto roof = [&](double x0, double x1, double y, double apex) {
        QPainterPath r;
        r.moveTo(cx + x0 * s, base + y * s);
        r.lineTo(cx + (x0 + x1) / 2 * s, base + apex * s);
        r.lineTo(cx + x1 * s, base + y * s);
        r.closeSubpath();
        m.addPath(r);
    };
    rect(-260, -170, 260, 0);
    roof(-275, 275, -168, -240);
    rect(-45, -310, 45, -170);
    roof(-58, 58, -308, -440);
    rect(-2, -470, 2, -430);
    for (int sgn : {-1, 1}) {
        rect(sgn > 0 ? 200 : -260, -270, sgn > 0 ? 260 : -200, 0);
        roof(sgn > 0 ? 190 : -270, sgn > 0 ? 270 : -190, -268, -370);
        rect(sgn * 230 - 1.5, -392, sgn * 230 + 1.5, -360);
        rect(sgn > 0 ? 260 : -430, -120, sgn > 0 ? 430 : -260, 0);
        roof(sgn > 0 ? 300 : -390, sgn > 0 ? 390 : -300, -118, -190);
        roof(sgn > 0 ? 255 : -435, sgn > 0 ? 435 : -255, -118, -150);
        rect(sgn > 0 ? 120 : -140, -235, sgn > 0 ? 140 : -120, -180);
        for (int i = 0; i < 7; ++i)
            rect(sgn * (270 + i * 24), -130, sgn * (270 + i * 24) + sgn * 12, -118);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(m);

    Rng rng(seed);
    auto window = [&](double x, double y, double w, double h) {
        const bool on = rng.uniform(0, 1) < litShare;
        const QPainterPath a = gothicArch(cx + x * s, base + y * s, w * s, base + (y + h) * s);
        if (on)
            glowSpot(p, {cx + (x + w / 2) * s, base + (y + h / 2) * s}, h * s * 1.2, alpha(lit, 80));
        p.setPen(Qt::NoPen);
        p.setBrush(on ? lit : body.lighter(135));
        p.drawPath(a);
    };
    for (int i = 0; i < 9; ++i) {
        const double x = -190 + i * 44;
        if (std::abs(x + 9) < 40)
            continue;
        window(x, -150, 18, 48);
        window(x, -80, 18, 48);
    }
    for (int sgn : {-1, 1}) {
        window(sgn * 230 - 10, -240, 20, 50);
        window(sgn * 230 - 10, -160, 20, 50);
        window(sgn * 230 - 10, -90, 20, 50);
        for (int i = 0; i < 3; ++i)
            window(sgn * (300 + i * 44) - 9, -90, 18, 44);
    }
    window(-22, -110, 44, 110); // the great door
    // rose window in the central tower
    const QPointF rose(cx, base - 250 * s);
    glowSpot(p, rose, 40 * s, alpha(lit, 120));
    p.setBrush(lit);
    p.drawEllipse(rose, 22 * s, 22 * s);
    p.setPen(QPen(body, 3 * s));
    for (int i = 0; i < 4; ++i) {
        const double a = i * kPi / 4;
        p.drawLine(rose + QPointF(std::cos(a), std::sin(a)) * 22 * s, rose - QPointF(std::cos(a), std::sin(a)) * 22 * s);
    }
}

void tree(QPainter &p, QPointF a, double angle, double len, double width, int depth, Rng &rng)
{
    const QPointF b = a + QPointF(std::cos(angle), std::sin(angle)) * len;
    p.setPen(QPen(p.brush().color(), width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    if (depth == 0)
        return;
    const int kids = 2 + (rng.next() % 2);
    for (int i = 0; i < kids; ++i)
        tree(p, b, angle + rng.uniform(-0.7, 0.7), len * rng.uniform(0.6, 0.78), width * 0.65, depth - 1, rng);
}

void stars(QPainter &p, const QRectF &area, int count, int maxAlpha, Rng &rng)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(rng.uniform(area.left(), area.right()), rng.uniform(area.top(), area.bottom()));
        const double r = rng.uniform(0.6, 1.8);
        p.setBrush(QColor(255, 250, 235, int(rng.uniform(0.3, 1.0) * maxAlpha)));
        p.drawEllipse(c, r, r);
        if (r > 1.6)
            p.drawPath(sparkle(c, r * 3.5));
    }
}

void fence(QPainter &p, double top, double w, const QColor &c)
{
    p.setPen(QPen(c, 4));
    p.drawLine(QPointF(0, top + 16), QPointF(w, top + 16));
    p.drawLine(QPointF(0, top + 60), QPointF(w, top + 60));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (double x = 10; x < w; x += 26) {
        p.drawRect(QRectF(x - 2, top, 4, 200));
        QPainterPath spear;
        spear.moveTo(x, top - 14);
        spear.lineTo(x + 6, top + 2);
        spear.lineTo(x - 6, top + 2);
        spear.closeSubpath();
        p.drawPath(spear);
    }
}

void drawTitleText(QPainter &p, const QString &text, const QFont &font, QPointF centre,
                   const QColor &top, const QColor &bottom, const QColor &glow, const QColor &edge)
{
    QPainterPath t;
    t.addText(0, 0, font, text);
    const QRectF b = t.boundingRect();
    t.translate(centre.x() - b.center().x(), centre.y() - b.center().y());
    p.setBrush(Qt::NoBrush);
    for (int i = 6; i >= 1; --i) {
        p.setPen(QPen(alpha(glow, 22), i * 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(t);
    }
    p.setPen(QPen(edge, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t);
    const QRectF tb = t.boundingRect();
    QLinearGradient g(0, tb.top(), 0, tb.bottom());
    g.setColorAt(0, top);
    g.setColorAt(0.55, mix(top, bottom, 0.5));
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(t);
}

QImage titlePicture()
{
    QImage img(1400, 600, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, 1400, 600);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor(6, 4, 20));
    sky.setColorAt(0.55, QColor(34, 16, 52));
    sky.setColorAt(0.85, QColor(80, 30, 70));
    sky.setColorAt(1, QColor(30, 10, 30));
    p.fillRect(all, sky);
    Rng rng(1997);
    stars(p, QRectF(0, 0, 1400, 420), 260, 230, rng);

    const QPointF moon(1150, 150);
    glowSpot(p, moon, 260, QColor(220, 200, 255, 70));
    glowSpot(p, moon, 130, QColor(255, 245, 225, 120));
    QRadialGradient mg(moon + QPointF(-20, -20), 95);
    mg.setColorAt(0, QColor(255, 252, 240));
    mg.setColorAt(1, QColor(228, 220, 200));
    p.setBrush(mg);
    p.drawEllipse(moon, 78, 78);
    p.setBrush(QColor(200, 190, 175, 90));
    for (auto [dx, dy, r] : std::array<std::tuple<double, double, double>, 4>{
             {{-24, -18, 14}, {20, 10, 18}, {-10, 34, 9}, {34, -30, 8}}})
        p.drawEllipse(moon + QPointF(dx, dy), r, r);
    for (int i = 0; i < 3; ++i) {
        const QRectF wisp(1000 + i * 70, 168 + i * 34, 300 - i * 50, 16);
        QLinearGradient cg(wisp.left(), 0, wisp.right(), 0);
        cg.setColorAt(0, QColor(40, 20, 50, 0));
        cg.setColorAt(0.5, QColor(40, 20, 50, 190));
        cg.setColorAt(1, QColor(40, 20, 50, 0));
        p.setBrush(cg);
        p.drawEllipse(wisp);
    }

    // mist behind the house
    QLinearGradient mist(0, 380, 0, 560);
    mist.setColorAt(0, QColor(120, 70, 130, 0));
    mist.setColorAt(1, QColor(150, 90, 150, 110));
    p.fillRect(QRectF(0, 380, 1400, 180), mist);

    mansion(p, 700, 548, 0.7, QColor(12, 6, 18), QColor(255, 196, 100), 0.55, 7);
    p.setBrush(QColor(8, 4, 12));
    Rng trees(31);
    tree(p, {110, 600}, -kPi / 2 - 0.1, 120, 16, 6, trees);
    tree(p, {1300, 600}, -kPi / 2 + 0.15, 110, 15, 6, trees);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 4, 12));
    const QPainterPath hill = svg("M 0 560 Q 700 500 1400 560 L 1400 600 L 0 600 Z");
    p.drawPath(hill);
    fence(p, 540, 1400, QColor(4, 2, 8));
    p.setBrush(QColor(10, 4, 14));
    for (auto [x, y, s] : std::array<std::tuple<double, double, double>, 6>{
             {{1040, 90, 2.0}, {1090, 60, 1.4}, {1220, 250, 1.6}, {980, 140, 1.1}, {240, 90, 1.3}, {300, 130, 0.9}}})
        p.drawPath(bat({x, y}, s));

    drawTitleText(p, QStringLiteral("ヴェルモリア"), japaneseFont(150, QFont::Bold), {700, 178},
                  QColor(255, 240, 245), QColor(200, 40, 70), QColor(255, 90, 120), QColor(30, 4, 16));
    QFont latin = japaneseFont(40, QFont::Normal);
    latin.setLetterSpacing(QFont::AbsoluteSpacing, 18);
    drawTitleText(p, QStringLiteral("Velmoria"), latin, {700, 292}, QColor(240, 220, 230),
                  QColor(190, 160, 190), QColor(160, 80, 160), QColor(20, 6, 20));
    p.setPen(QPen(QColor(210, 170, 200, 200), 1.5));
    p.drawLine(QPointF(440, 292), QPointF(535, 292));
    p.drawLine(QPointF(865, 292), QPointF(960, 292));

    QFont hint = japaneseFont(28, QFont::Normal);
    hint.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    drawTitleText(p, QStringLiteral("― クリックで始める ―"), hint, {700, 574}, QColor(250, 235, 240),
                  QColor(220, 200, 220), QColor(0, 0, 0), QColor(10, 4, 14));
    vignette(p, all, 120);
    p.end();
    return img;
}

QImage endingPicture()
{
    QImage img(1400, 600, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, 1400, 600);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor(30, 30, 80));
    sky.setColorAt(0.4, QColor(120, 80, 140));
    sky.setColorAt(0.7, QColor(240, 150, 140));
    sky.setColorAt(0.9, QColor(255, 210, 150));
    p.fillRect(all, sky);
    Rng rng(2024);
    stars(p, QRectF(0, 0, 1400, 160), 90, 120, rng);

    // the moon sets as the sun comes up
    glowSpot(p, {220, 330}, 90, QColor(255, 240, 240, 60));
    p.setBrush(QColor(255, 246, 240, 150));
    p.drawEllipse(QPointF(220, 330), 46, 46);

    const QPointF sun(700, 470);
    p.setPen(Qt::NoPen);
    QRadialGradient rayFade(sun, 800);
    rayFade.setColorAt(0, QColor(255, 244, 210, 70));
    rayFade.setColorAt(1, QColor(255, 244, 210, 0));
    p.setBrush(rayFade);
    for (int i = 0; i < 18; ++i) {
        const double a0 = kPi + (i + 0.5) * kPi / 18, a1 = a0 + kPi / 60;
        QPainterPath ray;
        ray.moveTo(sun);
        ray.lineTo(sun + QPointF(std::cos(a0), std::sin(a0)) * 1000);
        ray.lineTo(sun + QPointF(std::cos(a1), std::sin(a1)) * 1000);
        ray.closeSubpath();
        p.drawPath(ray);
    }
    glowSpot(p, sun, 420, QColor(255, 230, 170, 150));
    glowSpot(p, sun, 160, QColor(255, 250, 225, 230));

    mansion(p, 700, 560, 0.66, QColor(70, 40, 70), QColor(255, 220, 160), 0.12, 11);
    QLinearGradient mist(0, 420, 0, 600);
    mist.setColorAt(0, QColor(255, 220, 200, 0));
    mist.setColorAt(1, QColor(255, 220, 200, 150));
    p.fillRect(QRectF(0, 420, 1400, 180), mist);
    p.setBrush(QColor(50, 26, 50));
    const QPainterPath hill = svg("M 0 565 Q 700 520 1400 565 L 1400 600 L 0 600 Z");
    p.drawPath(hill);

    Rng petals(5);
    p.setPen(Qt::NoPen);
    const QRectF keepClear(540, 50, 320, 300); // the closing words stay readable
    for (int i = 0; i < 60; ++i) {
        const QPointF c(petals.uniform(0, 1400), petals.uniform(0, 600));
        if (keepClear.contains(c))
            continue;
        p.setBrush(QColor(255, int(petals.uniform(150, 210)), int(petals.uniform(180, 220)), int(petals.uniform(140, 230))));
        p.drawPath(petal(c, petals.uniform(5, 11), petals.uniform(0, 360)));
    }

    const QPointF mark(700, 170);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 250, 240, 200), 3));
    p.drawEllipse(mark, 92, 92);
    p.setPen(QPen(QColor(255, 250, 240, 120), 1.2));
    p.drawEllipse(mark, 102, 102);
    drawTitleText(p, QStringLiteral("終"), japaneseFont(120, QFont::Bold), mark,
                  QColor(255, 255, 255), QColor(255, 215, 200), QColor(150, 60, 90), QColor(80, 30, 60));
    QFont fin = japaneseFont(34, QFont::Normal);
    fin.setLetterSpacing(QFont::AbsoluteSpacing, 14);
    drawTitleText(p, QStringLiteral("— Fin —"), fin, {700, 314}, QColor(255, 250, 245),
                  QColor(255, 225, 215), QColor(120, 50, 90), QColor(80, 30, 60));
    vignette(p, all, 90);
    p.end();
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: velmoria-pictures OUTDIR [ICON.png]\n");
        return 2;
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
