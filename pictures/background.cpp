// Backgrounds behind each portrait and the light laid over it, one look per mood.
#include "pictures.h"

#include <tuple>

namespace pics {

namespace {

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

} // namespace

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
        // warm daylight, tinted with the meal's own colour
        const QColor t = who.tint;
        QRadialGradient g(QPointF(160, 120), 240);
        g.setColorAt(0, mix(QColor(255, 250, 238), t, 0.22));
        g.setColorAt(0.5, mix(QColor(245, 226, 200), t, 0.42));
        g.setColorAt(1, mix(QColor(96, 70, 70), t, 0.42));
        p.fillRect(all, g);
        windowScene(p, mix(QColor(255, 238, 196), t, 0.25), mix(QColor(110, 70, 50), t, 0.3),
                    alpha(mix(QColor(255, 244, 214), t, 0.2), 90));
        const QColor glow = mix(QColor(255, 246, 225), t, 0.3);
        for (int i = 0; i < 16; ++i)
            glowSpot(p, {rng.uniform(0, 320), rng.uniform(0, 320)}, rng.uniform(8, 22),
                     alpha(glow, int(rng.uniform(40, 110))));
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
        // deep rose behind him, so the pale lord in white stands out in gold light
        QRadialGradient g(QPointF(160, 110), 260);
        g.setColorAt(0, QColor(170, 70, 96));
        g.setColorAt(0.45, QColor(104, 26, 64));
        g.setColorAt(1, QColor(30, 6, 28));
        p.fillRect(all, g);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 24; ++i) {
            const double a0 = i * 2 * kPi / 24, a1 = a0 + kPi / 40;
            QPainterPath ray;
            ray.moveTo(160, 120);
            ray.lineTo(160 + std::cos(a0) * 400, 120 + std::sin(a0) * 400);
            ray.lineTo(160 + std::cos(a1) * 400, 120 + std::sin(a1) * 400);
            ray.closeSubpath();
            p.setBrush(QColor(255, 214, 120, 46));
            p.drawPath(ray);
        }
        glowSpot(p, {160, 106}, 150, QColor(255, 200, 120, 90));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(240, 190, 70, 240), 6));
        p.drawEllipse(QPointF(160, 106), 112, 112);
        p.setPen(QPen(QColor(255, 232, 170, 170), 2));
        p.drawEllipse(QPointF(160, 106), 121, 121);
        break;
    }
    }
}

void moodLight(QPainter &p, const Person &who, Mood mood, Rng &rng)
{
    const QRectF all(0, 0, kFace, kFace);
    switch (mood) {
    case Mood::Happy: {
        p.setCompositionMode(QPainter::CompositionMode_Screen);
        p.fillRect(all, mix(QColor(40, 28, 8), who.tint, 0.12));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        const QColor sun = mix(QColor(255, 232, 180), who.tint, 0.25);
        QRadialGradient g(QPointF(40, 20), 260);
        g.setColorAt(0, alpha(sun, 90));
        g.setColorAt(1, alpha(sun, 0));
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

} // namespace pics
