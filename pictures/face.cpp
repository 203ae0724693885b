// Faces and expressions: the head, eyes, brows, mouths, tears, blush and glasses.
#include "pictures.h"

namespace pics {

namespace {

QColor lashColour(const Person &who)
{
    return mix(who.hair, QColor(30, 16, 26), 0.75);
}

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

} // namespace

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

} // namespace pics
