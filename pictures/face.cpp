// Faces and expressions: the head, mouths and smiles, tears, blush and glasses (eyes are in eyes.cpp).
#include "pictures.h"

namespace pics {

namespace {

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

// An open mouth: dark inside, the upper teeth along its top, the tongue at its bottom.
void openMouth(QPainter &p, const QPainterPath &m, const QColor &lineCol, double teeth)
{
    const QRectF r = m.boundingRect();
    p.setBrush(QColor(150, 40, 56));
    p.setPen(QPen(lineCol, 1.6));
    p.drawPath(m);
    p.save();
    p.setClipPath(m);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 120, 130));
    p.drawEllipse(QPointF(r.center().x(), r.bottom() + 1), r.width() * 0.32, r.height() * 0.42);
    if (teeth > 0) {
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(r.left() - 2, r.top() - 3, r.width() + 4, teeth + 3));
    }
    p.restore();
}

// Each meal's own contented smile.
void smile(QPainter &p, const Person &who, const QColor &lineCol)
{
    QPainterPath m;
    switch (who.smile) {
    case Smile::Grin: // lopsided, all teeth
        m = svg("M 140 202 Q 162 207 183 195 Q 178 219 160 221 Q 145 221 140 202 Z");
        openMouth(p, m, lineCol, 9);
        p.setPen(QPen(lineCol, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(svg("M 180 192 Q 185 194 186 198")); // the dimple of the raised corner
        return;
    case Smile::Laugh: // wide open, eyes shut
        m = svg("M 140 200 Q 160 205 180 200 Q 176 228 160 228 Q 144 228 140 200 Z");
        openMouth(p, m, lineCol, 6);
        return;
    case Smile::Gentle: // lips closed, corners up
        p.setPen(QPen(lineCol, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(svg("M 147 202 Q 160 213 173 202"));
        p.setPen(QPen(lineCol, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(svg("M 145 199 Q 146 203 149 204 M 175 199 Q 174 203 171 204"));
        return;
    case Smile::Wink: // open and cheerful
        m = svg("M 142 201 Q 160 207 178 201 Q 172 224 160 224 Q 148 224 142 201 Z");
        openMouth(p, m, lineCol, 6);
        return;
    case Smile::Smug: // closed, one corner high
        p.setPen(QPen(lineCol, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(svg("M 146 205 C 154 211 166 210 176 198"));
        p.setPen(QPen(lineCol, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(svg("M 174 195 Q 178 197 179 201"));
        return;
    case Smile::Shy: // small, off to one side
        m = svg("M 148 205 Q 156 208 166 204 Q 163 214 156 214 Q 150 213 148 205 Z");
        openMouth(p, m, lineCol, 0);
        return;
    case Smile::Serene: // a soft closed curve under shut eyes
        p.setPen(QPen(lineCol, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(svg("M 150 204 Q 160 211 170 204"));
        return;
    }
}

void drawMouth(QPainter &p, const Person &who, Mood mood)
{
    const QColor lineCol = mix(who.skin, QColor(90, 20, 30), 0.7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(lineCol, 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath m;
    switch (mood) {
    case Mood::Happy:
        smile(p, who, lineCol);
        return;
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
