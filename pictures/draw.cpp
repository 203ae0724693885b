// Drawing helpers every picture uses: colour mixing, each language's font, the BMP writer and small shapes.
#include "pictures.h"

#include "fonts.h"

#include <QFile>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QStringList>
#include <QTransform>

namespace pics {

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

QFont languageFont(const QString &language, int px, QFont::Weight weight)
{
    QFont f;
    f.setFamilies(fonts::families(language));
    f.setPixelSize(px);
    f.setWeight(weight);
    return f;
}

QFont japaneseFont(int px, QFont::Weight weight)
{
    return languageFont(QStringLiteral("ja"), px, weight);
}

// Fontconfig hands out a stand-in when a family is missing, so ask which font
// really drew the text. Another language's CJK face would draw the wrong forms.
QString fontMissing(const QString &language, const QString &sample)
{
    const QStringList wanted = fonts::families(language);
    QTextLayout layout(sample, languageFont(language, 40, QFont::Bold));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return QStringLiteral("no font at all");
    for (const QGlyphRun &run : runs) {
        const QRawFont font = run.rawFont();
        // With no fonts at all Qt draws boxes from a stand-in without tables,
        // and asking that one its family crashes.
        if (!font.isValid() || font.fontTable("cmap").isEmpty())
            return QStringLiteral("no font at all");
        const QString family = font.familyName();
        if (!wanted.contains(family))
            return family.isEmpty() ? QStringLiteral("no font at all") : family;
    }
    return QString();
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

} // namespace pics
