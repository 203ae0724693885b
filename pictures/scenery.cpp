// The title and end pictures: the mansion under the moon, and at dawn.
#include "pictures.h"

#include <tuple>

namespace pics {

namespace {

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

} // namespace

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


} // namespace pics
