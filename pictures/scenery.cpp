// The title and end pictures: the mansion under the moon, and at dawn.
#include "pictures.h"

#include <algorithm>
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

// Text as a path centred on `centre`, so a picture can lay things out around it.
QPainterPath textPath(const QString &text, const QFont &font, QPointF centre)
{
    QPainterPath t;
    t.addText(0, 0, font, text);
    const QRectF b = t.boundingRect();
    t.translate(centre.x() - b.center().x(), centre.y() - b.center().y());
    return t;
}

void drawTitleText(QPainter &p, const QPainterPath &t, const QColor &top, const QColor &bottom, const QColor &glow,
                   const QColor &edge, double edgeWidth = 5)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 6; i >= 1; --i) {
        p.setPen(QPen(alpha(glow, 22), i * 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(t);
    }
    p.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
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

// Both fill the window's client area, about 2.1 : 1, at the size a 1080-pixel
// screen shows them. Nothing important sits in the bottom strip, where the
// start screen shows its prompt.
constexpr int kWide = 1300, kHigh = 615;

} // namespace

QImage titlePicture()
{
    QImage img(kWide, kHigh, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, kWide, kHigh);
    QLinearGradient sky(0, 0, 0, kHigh);
    sky.setColorAt(0, QColor(6, 4, 20));
    sky.setColorAt(0.55, QColor(34, 16, 52));
    sky.setColorAt(0.85, QColor(80, 30, 70));
    sky.setColorAt(1, QColor(30, 10, 30));
    p.fillRect(all, sky);
    Rng rng(1997);
    stars(p, QRectF(0, 0, kWide, 430), 240, 230, rng);

    const QPainterPath title = textPath(QStringLiteral("ヴェルモリア"), japaneseFont(136, QFont::Bold), {650, 170});
    QFont latinFont = japaneseFont(38, QFont::Normal);
    latinFont.setLetterSpacing(QFont::AbsoluteSpacing, 18);
    const QPainterPath latin = textPath(QStringLiteral("Velmoria"), latinFont, {650, 286});

    // the moon keeps clear of the title's last kana, whatever font drew it
    const double moonR = 66;
    const QPointF moon(std::max(1150.0, title.boundingRect().right() + moonR + 36), 128);
    glowSpot(p, moon, 230, QColor(220, 200, 255, 70));
    glowSpot(p, moon, 115, QColor(255, 245, 225, 120));
    QRadialGradient mg(moon + QPointF(-18, -18), moonR * 1.2);
    mg.setColorAt(0, QColor(255, 252, 240));
    mg.setColorAt(1, QColor(228, 220, 200));
    p.setBrush(mg);
    p.drawEllipse(moon, moonR, moonR);
    p.setBrush(QColor(200, 190, 175, 90));
    for (auto [dx, dy, r] : std::array<std::tuple<double, double, double>, 4>{
             {{-20, -15, 12}, {17, 8, 15}, {-8, 29, 8}, {29, -25, 7}}})
        p.drawEllipse(moon + QPointF(dx, dy), r, r);
    for (int i = 0; i < 3; ++i) {
        const QRectF wisp(moon.x() - 140 + i * 60, moon.y() + 14 + i * 30, 260 - i * 44, 14);
        QLinearGradient cg(wisp.left(), 0, wisp.right(), 0);
        cg.setColorAt(0, QColor(40, 20, 50, 0));
        cg.setColorAt(0.5, QColor(40, 20, 50, 190));
        cg.setColorAt(1, QColor(40, 20, 50, 0));
        p.setBrush(cg);
        p.drawEllipse(wisp);
    }

    // mist behind the house
    QLinearGradient mist(0, 390, 0, 570);
    mist.setColorAt(0, QColor(120, 70, 130, 0));
    mist.setColorAt(1, QColor(150, 90, 150, 110));
    p.fillRect(QRectF(0, 390, kWide, 180), mist);

    mansion(p, 650, 556, 0.7, QColor(12, 6, 18), QColor(255, 196, 100), 0.55, 7);
    p.setBrush(QColor(8, 4, 12));
    Rng trees(31);
    tree(p, {100, kHigh}, -kPi / 2 - 0.1, 120, 16, 6, trees);
    tree(p, {1205, kHigh}, -kPi / 2 + 0.15, 110, 15, 6, trees);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 4, 12));
    const QPainterPath hill = svg("M 0 570 Q 650 510 1300 570 L 1300 615 L 0 615 Z");
    p.drawPath(hill);
    fence(p, 552, kWide, QColor(4, 2, 8));
    p.setBrush(QColor(10, 4, 14));
    for (auto [x, y, s] : std::array<std::tuple<double, double, double>, 6>{
             {{moon.x() - 120, 70, 2.0}, {moon.x() - 70, 42, 1.4}, {moon.x() + 60, 236, 1.6}, {moon.x() - 180, 120, 1.1},
              {200, 90, 1.3}, {262, 132, 0.9}}})
        p.drawPath(bat({x, y}, s));

    drawTitleText(p, title, QColor(255, 240, 245), QColor(200, 40, 70), QColor(255, 90, 120), QColor(30, 4, 16));
    drawTitleText(p, latin, QColor(240, 220, 230), QColor(190, 160, 190), QColor(160, 80, 160), QColor(20, 6, 20));
    p.setPen(QPen(QColor(210, 170, 200, 200), 1.5));
    const QRectF lb = latin.boundingRect();
    p.drawLine(QPointF(lb.left() - 120, 286), QPointF(lb.left() - 24, 286));
    p.drawLine(QPointF(lb.right() + 24, 286), QPointF(lb.right() + 120, 286));
    vignette(p, all, 120);
    p.end();
    return img;
}

// Follows every ending, from the master's bloom to being eaten or sent away:
// the mansion at first light, quiet, its words in the sky above it: 終, or
// another language's word for it.
QImage endingPicture(const QString &word, const QString &language)
{
    QImage img(kWide, kHigh, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, kWide, kHigh);
    QLinearGradient sky(0, 0, 0, kHigh);
    sky.setColorAt(0, QColor(14, 18, 38));
    sky.setColorAt(0.42, QColor(46, 52, 82));
    sky.setColorAt(0.70, QColor(108, 100, 126));
    sky.setColorAt(0.84, QColor(178, 138, 138));
    sky.setColorAt(1, QColor(70, 56, 78));
    p.fillRect(all, sky);
    Rng rng(2024);
    stars(p, QRectF(0, 0, kWide, 220), 70, 110, rng);

    // first light low behind the house, no sun yet
    QRadialGradient dawn(QPointF(650, 600), 760);
    dawn.setColorAt(0, QColor(255, 196, 160, 90));
    dawn.setColorAt(0.5, QColor(230, 160, 150, 30));
    dawn.setColorAt(1, QColor(230, 160, 150, 0));
    p.fillRect(all, dawn);

    // the moon going down, pale
    glowSpot(p, {236, 300}, 80, QColor(220, 226, 255, 45));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 236, 246, 120));
    p.drawEllipse(QPointF(236, 300), 30, 30);

    // long low clouds across the light
    Rng clouds(12);
    for (int i = 0; i < 7; ++i) {
        const double y = clouds.uniform(230, 420), w = clouds.uniform(260, 560);
        const double x = clouds.uniform(-120, kWide - w + 120);
        const QRectF band(x, y, w, clouds.uniform(10, 22));
        QLinearGradient cg(band.left(), 0, band.right(), 0);
        const QColor c = mix(QColor(40, 36, 64), QColor(150, 110, 130), (y - 230) / 190);
        cg.setColorAt(0, alpha(c, 0));
        cg.setColorAt(0.5, alpha(c, 170));
        cg.setColorAt(1, alpha(c, 0));
        p.setBrush(cg);
        p.drawEllipse(band);
    }

    // far hills, then the house dark against the light, one window still burning
    p.setBrush(QColor(64, 54, 78));
    p.drawPath(svg("M 0 500 Q 200 450 420 488 Q 650 440 880 486 Q 1100 446 1300 492 L 1300 615 L 0 615 Z"));
    mansion(p, 650, 560, 0.66, QColor(34, 28, 46), QColor(255, 210, 150), 0.06, 11);
    p.setBrush(QColor(22, 18, 32));
    Rng trees(44);
    tree(p, {120, kHigh}, -kPi / 2 + 0.12, 104, 14, 6, trees);
    tree(p, {1190, kHigh}, -kPi / 2 - 0.1, 96, 13, 6, trees);

    QLinearGradient mist(0, 440, 0, kHigh);
    mist.setColorAt(0, QColor(170, 160, 186, 0));
    mist.setColorAt(1, QColor(170, 160, 186, 150));
    p.fillRect(QRectF(0, 440, kWide, kHigh - 440), mist);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 16, 28));
    p.drawPath(svg("M 0 578 Q 650 548 1300 578 L 1300 615 L 0 615 Z"));
    fence(p, 566, kWide, QColor(16, 12, 22));

    // a few bats heading home before the day
    p.setBrush(QColor(30, 24, 40));
    for (auto [x, y, s] : std::array<std::tuple<double, double, double>, 4>{
             {{930, 210, 0.9}, {980, 186, 0.7}, {1026, 226, 0.6}, {1070, 200, 0.5}}})
        p.drawPath(bat({x, y}, s));

    const QPointF mark(650, 74);
    const QPainterPath owari = textPath(word, languageFont(language, 78, QFont::Bold), mark);
    drawTitleText(p, owari, QColor(240, 236, 246), QColor(184, 174, 200), QColor(120, 110, 160), QColor(24, 20, 40));
    // rules either side, clear of a word wider than the one kanji
    const double gap = std::max(66.0, owari.boundingRect().width() / 2 + 24);
    p.setPen(QPen(QColor(210, 204, 226, 150), 1.2));
    p.drawLine(QPointF(mark.x() - gap - 124, mark.y()), QPointF(mark.x() - gap, mark.y()));
    p.drawLine(QPointF(mark.x() + gap, mark.y()), QPointF(mark.x() + gap + 124, mark.y()));
    QFont fin = japaneseFont(22, QFont::Normal);
    fin.setLetterSpacing(QFont::AbsoluteSpacing, 12);
    drawTitleText(p, textPath(QStringLiteral("Fin"), fin, {650, 138}), QColor(226, 222, 236), QColor(196, 188, 212),
                  QColor(90, 80, 130), QColor(24, 20, 40), 2.5);
    vignette(p, all, 150);
    p.end();
    return img;
}

} // namespace pics
