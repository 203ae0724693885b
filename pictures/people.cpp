// The people as data (each meal, the guide and the master) and how one portrait is put together.
#include "pictures.h"

namespace pics {

namespace {
const QColor kSkin(252, 226, 210);
const QColor kPale(238, 232, 240);
} // namespace

const std::array<Person, 10> kPeople = {{
    {QColor(255, 0, 0), QColor(248, 220, 200), QColor(135, 24, 30), QColor(200, 60, 40),
     QColor(58, 46, 44), QColor(205, 28, 36), HairStyle::Spiky, Outfit::Jacket,
     {19, 14, 5, 0.12, 0.58, false, 3.4}, Mouth::Flat, true, true, 1.0},
    {QColor(0, 255, 0), kSkin, QColor(72, 118, 70), QColor(70, 175, 90),
     QColor(242, 244, 240), QColor(44, 140, 72), HairStyle::Messy, Outfit::Vest,
     {20, 22, 1.5, 0.0, 0.74, false, 3.0}, Mouth::Pout, false, false, 0.6},
    {QColor(0, 0, 255), kSkin, QColor(34, 44, 96), QColor(70, 100, 205),
     QColor(42, 70, 180), QColor(250, 250, 255), HairStyle::Hime, Outfit::Collar,
     {19, 20, -1, 0.05, 0.70, false, 2.8}, Mouth::Soft, false, false, -0.2, true},
    {QColor(255, 255, 0), kSkin, QColor(250, 214, 112), QColor(225, 150, 45),
     QColor(255, 206, 52), QColor(255, 238, 120), HairStyle::TwinTails, Outfit::Blouse,
     {20, 23, 0, 0.0, 0.76, false, 3.0}, Mouth::Soft, false, false, -0.1},
    {QColor(255, 0, 255), kSkin, QColor(176, 52, 160), QColor(190, 60, 185),
     QColor(165, 25, 130), QColor(252, 245, 252), HairStyle::Ringlets, Outfit::Frills,
     {20, 18, 4, 0.32, 0.66, false, 3.4}, Mouth::Smirk, false, false, 0.0},
    {QColor(0, 255, 255), kSkin, QColor(44, 122, 132), QColor(40, 175, 185),
     QColor(70, 196, 208), QColor(30, 110, 125), HairStyle::SideSwept, Outfit::Hoodie,
     {18, 19, -3, 0.08, 0.66, false, 2.8}, Mouth::Flat, true, true, -0.8},
    {QColor(100, 100, 100), QColor(250, 228, 218), QColor(208, 210, 220), QColor(120, 132, 160),
     QColor(112, 112, 122), QColor(76, 76, 88), HairStyle::Flowing, Outfit::Gown,
     {20, 16, -1, 0.30, 0.66, false, 3.0}, Mouth::Soft, false, false, -0.1, false, true},
    {QColor(120, 40, 70), kSkin, QColor(48, 36, 42), QColor(130, 60, 95),
     QColor(28, 26, 34), QColor(252, 252, 252), HairStyle::Bun, Outfit::Maid,
     {19, 18, 1.5, 0.26, 0.66, false, 3.0}, Mouth::Soft, false, false, 0.0},
    {QColor(150, 0, 20), kPale, QColor(26, 22, 32), QColor(225, 20, 36),
     QColor(18, 14, 22), QColor(170, 10, 28), HairStyle::Slicked, Outfit::Cape,
     {20, 14, 6, 0.16, 0.56, true, 3.4}, Mouth::Smirk, true, true, 0.5},
    {QColor(255, 210, 120), QColor(250, 240, 236), QColor(250, 230, 176), QColor(235, 70, 70),
     QColor(250, 248, 242), QColor(222, 178, 72), HairStyle::Slicked, Outfit::Robe,
     {20, 14, 6, 0.16, 0.56, true, 3.2}, Mouth::Soft, true, true, -0.1},
}};

QImage portrait(const Person &who, Mood mood, std::uint32_t seed, QSize size, const QRectF &view)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // everything is drawn in design units; this shows the part `view` of them
    QTransform frame;
    frame.scale(size.width() / view.width(), size.height() / view.height());
    frame.translate(-view.left(), -view.top());
    p.setWorldTransform(frame);
    Rng rng(seed);
    background(p, who, mood, rng);

    const HairShape hair = buildHair(who.hairStyle);
    // a leaving meal hangs its head
    QTransform headTf;
    if (mood == Mood::Sad) {
        headTf.translate(160, 250);
        headTf.rotate(-6);
        headTf.translate(-160, -244);
    }

    p.setWorldTransform(headTf * frame);
    paintHairFill(p, hair.back, who.hair, true);
    p.setWorldTransform(frame);
    collarBehind(p, who);
    body(p, who);
    p.setWorldTransform(headTf * frame);
    head(p, who, mood, hair);
    frontHair(p, who, hair);
    accessories(p, who);
    p.setWorldTransform(frame);
    moodLight(p, mood, rng);
    p.end();
    return img;
}

} // namespace pics
