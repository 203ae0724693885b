// The app icon: a blood drop before the full moon when small, the master in a medallion when large.
#include "pictures.h"

namespace pics {

namespace {

const QColor kWine(104, 0, 22);
const QColor kGold(222, 178, 72);

// A drop hanging from its point at `tip`, `h` tall.
QPainterPath drop(QPointF tip, double h)
{
    const double r = h * 0.36;
    const QPointF c(tip.x(), tip.y() + h - r);
    QPainterPath d;
    d.moveTo(tip);
    d.cubicTo(tip.x() + r * 0.25, tip.y() + h * 0.28, c.x() + r, c.y() - r * 0.75, c.x() + r, c.y());
    d.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, -180);
    d.cubicTo(c.x() - r, c.y() - r * 0.75, tip.x() - r * 0.25, tip.y() + h * 0.28, tip.x(), tip.y());
    d.closeSubpath();
    return d;
}

void paintDrop(QPainter &p, QPointF tip, double h, double outline, bool shine)
{
    const QPainterPath d = drop(tip, h);
    QLinearGradient g(0, tip.y(), 0, tip.y() + h);
    g.setColorAt(0, QColor(240, 48, 56));
    g.setColorAt(1, QColor(160, 0, 26));
    p.setBrush(g);
    p.setPen(QPen(QColor(70, 0, 14), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(d);
    if (shine) {
        const double r = h * 0.36;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(tip.x() - r * 0.42, tip.y() + h - r * 1.25), r * 0.2, r * 0.32);
    }
}

// Drawn on the pixel grid of each small size, so it stays a clear round moon
// and a drop at 16 px, where a face would be a smudge.
QImage smallMark(int n)
{
    QImage img(n, n, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double ring = n <= 16 ? 1.0 : n <= 24 ? 1.4 : 1.8;
    const QPointF c(n / 2.0, n / 2.0);
    const double r = n / 2.0 - ring / 2;
    QRadialGradient moon(c - QPointF(n * 0.15, n * 0.15), n * 0.7);
    moon.setColorAt(0, QColor(255, 252, 238));
    moon.setColorAt(1, QColor(226, 208, 182));
    p.setBrush(moon);
    p.setPen(QPen(kWine, ring));
    p.drawEllipse(c, r, r);
    if (n >= 22) {
        // faint seas, so the disc reads as the moon
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 170, 150, 90));
        p.drawEllipse(c + QPointF(-n * 0.22, -n * 0.2), n * 0.09, n * 0.09);
        p.drawEllipse(c + QPointF(n * 0.24, n * 0.12), n * 0.07, n * 0.07);
    }
    const double h = n * 0.64;
    paintDrop(p, QPointF(c.x(), c.y() - h * 0.52), h, n <= 16 ? 0.9 : 1.1, n >= 22);
    p.end();
    return img;
}

QImage medallion(int n)
{
    QImage img(n, n, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double ring = n * 0.055;
    const QRectF disc(ring / 2, ring / 2, n - ring, n - ring);
    // the master's head and collar, as the ceremony shows him
    const QImage face = portrait(kPeople[8], Mood::Lordly, 900, QSize(n, n), QRectF(38, 26, 244, 244));
    p.setBrush(QBrush(face));
    p.setPen(Qt::NoPen);
    p.drawEllipse(disc);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWine, ring));
    p.drawEllipse(disc);
    p.setPen(QPen(kGold, std::max(1.0, n / 96.0)));
    p.drawEllipse(disc.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2));
    p.drawEllipse(disc.adjusted(-ring / 2 + 0.5, -ring / 2 + 0.5, ring / 2 - 0.5, ring / 2 - 0.5));
    // the same drop the small icons show, as a jewel on the rim
    const double h = n * 0.26;
    paintDrop(p, QPointF(n * 0.82, n - h * 1.02), h, std::max(1.0, n / 64.0), true);
    p.end();
    return img;
}

} // namespace

QImage icon(int size)
{
    return size <= 32 ? smallMark(size) : medallion(size);
}

} // namespace pics
