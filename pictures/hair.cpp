// Hair: each style's shape, its fill and shine, drill curls and ribbons.
#include "pictures.h"

namespace pics {

namespace {

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

} // namespace

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

namespace {

QColor hairShine(const QColor &c)
{
    return mix(c, QColor(255, 255, 255), c.lightnessF() < 0.3 ? 0.3 : 0.45);
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

} // namespace

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

} // namespace pics
