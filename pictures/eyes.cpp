// Eyes and brows: open, half-lidded, closed in a laugh or at peace, and winking.
#include "pictures.h"

namespace pics {

namespace {

// Drawn in a frame where +x points to the outer corner, like the rest of the eye.
void openEye(QPainter &p, const Person &who, Mood mood, int side, double drop, double raise, double lookX)
{
    const EyeShape &e = who.eye;
    const double w = e.w, h = e.h;
    const double lookY = mood == Mood::Sad ? h * 0.32 : 0.0;
    const QColor lashCol = lashColour(who);

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
}

// A shut eye: a lash line bowed up in a laugh (^), or down at peace.
void closedEye(QPainter &p, const Person &who, bool laughing)
{
    const EyeShape &e = who.eye;
    const double w = e.w, h = e.h;
    const QColor lashCol = lashColour(who);
    const QPointF inner(-w * 0.9, laughing ? 0.3 * h : 0.0), outer(w * 0.98, (laughing ? 0.2 * h : -0.05 * h) - e.lift * 0.4);
    QPainterPath lid;
    lid.moveTo(inner);
    lid.quadTo(0.05 * w, laughing ? -1.0 * h : 0.75 * h, outer.x(), outer.y());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(lashCol, e.lash * 1.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(lid);
    if (!who.broad) {
        // a few lashes at the outer corner
        p.setPen(QPen(lashCol, 1.6, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            const QPointF a = lid.pointAtPercent(0.7 + i * 0.12);
            p.drawLine(a, a + (laughing ? QPointF(3 + i * 2, -4 + i * 1.5) : QPointF(2 + i * 2, 5 - i)));
        }
    }
}

void brow(QPainter &p, const Person &who, Mood mood, double drop)
{
    const EyeShape &e = who.eye;
    const double w = e.w, h = e.h;
    double by = -h * (1.0 - drop * 0.4) - 12 - (h < 17 ? 2 : 0);
    double innerY = by + 4 + who.brows * 5, outerY = by + 1 - e.lift * 0.4;
    if (mood == Mood::Sad) {
        innerY -= 9;
        outerY += 3;
        by -= 4;
    } else if (mood == Mood::Happy) {
        innerY -= 3;
        outerY -= 2;
        if (who.smile == Smile::Smug)
            outerY -= 3; // one arched brow
    } else if (mood == Mood::Lordly) {
        innerY += 3;
    }
    const QColor browCol = mix(who.hair, QColor(20, 10, 20), who.hair.lightnessF() > 0.6 ? 0.35 : 0.5);
    p.setPen(QPen(browCol.darker(130), 0.8));
    p.setBrush(browCol);
    p.drawPath(lock({-w * 0.85, innerY}, {w * 1.1, outerY}, who.angularJaw ? 3.2 : 2.4, -4 - (mood == Mood::Happy ? 2 : 0)));
}

} // namespace

QColor lashColour(const Person &who)
{
    return mix(who.hair, QColor(30, 16, 26), 0.75);
}

// side is -1 for the eye on the picture's left, +1 for the one on its right.
void drawEye(QPainter &p, QPointF centre, int side, const Person &who, Mood mood)
{
    const EyeShape &e = who.eye;
    double drop = std::min(0.6, e.drop + (mood == Mood::Sad ? 0.3 : 0.0));
    double raise = mood == Mood::Happy ? 0.55 : 0.0;
    double lookX = (mood == Mood::Knowing ? 2.5 : 0.0) * side; // in the eye's frame
    bool shut = false, laughing = false;
    if (mood == Mood::Happy) {
        switch (who.smile) {
        case Smile::Laugh:
            shut = laughing = true;
            break;
        case Smile::Serene:
            shut = true;
            break;
        case Smile::Wink:
            shut = laughing = side > 0;
            break;
        case Smile::Smug:
            drop = std::min(0.6, drop + 0.22);
            raise = 0.3;
            lookX = 2.5 * side;
            break;
        case Smile::Shy:
            raise = 0.4;
            lookX = -3.0 * side; // both glance to the picture's left
            break;
        case Smile::Gentle:
            raise = 0.4;
            break;
        case Smile::Grin:
            break;
        }
    }

    p.save();
    p.translate(centre);
    p.scale(side, 1);
    if (shut)
        closedEye(p, who, laughing);
    else
        openEye(p, who, mood, side, drop, raise, lookX);
    brow(p, who, mood, drop);
    p.restore();
}

} // namespace pics
