// Bodies and clothes: shoulders, necks and each outfit from jacket to cape.
#include "pictures.h"

namespace pics {

void fillShape(QPainter &p, const QPainterPath &path, const QColor &c, double penW)
{
    QLinearGradient g(0, 200, 0, 330);
    g.setColorAt(0, c.lighter(112));
    g.setColorAt(1, c.darker(135));
    p.setBrush(g);
    p.setPen(penW > 0 ? QPen(mix(c, QColor(10, 5, 15), 0.65), penW) : Qt::NoPen);
    p.drawPath(path);
}

namespace {

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

} // namespace

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

} // namespace pics
