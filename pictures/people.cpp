// The people as data (each meal, the guide and the master) and how one portrait is put together.
#include "pictures.h"

namespace pics {

namespace {
const QColor kSkin(252, 226, 210);
const QColor kPale(238, 232, 240);
} // namespace

// Indexed like the game's meals (face file i + 1), then the guide, the master
// and the master in bloom. Each meal's tint is its colour in the game.
const std::array<Person, 10> kPeople = {{
    // the hot-headed one
    {.tint = QColor(255, 0, 0), .skin = QColor(248, 220, 200), .hair = QColor(135, 24, 30),
     .iris = QColor(200, 60, 40), .cloth = QColor(58, 46, 44), .trim = QColor(205, 28, 36),
     .hairStyle = HairStyle::Spiky, .outfit = Outfit::Jacket,
     .eye = {.w = 19, .h = 14, .lift = 5, .drop = 0.12, .iris = 0.58, .slit = false, .lash = 3.4},
     .mouth = Mouth::Flat, .smile = Smile::Grin, .angularJaw = true, .broad = true, .brows = 1.0},
    // the sulky boy
    {.tint = QColor(0, 255, 0), .skin = kSkin, .hair = QColor(72, 118, 70),
     .iris = QColor(70, 175, 90), .cloth = QColor(242, 244, 240), .trim = QColor(44, 140, 72),
     .hairStyle = HairStyle::Messy, .outfit = Outfit::Vest,
     .eye = {.w = 20, .h = 22, .lift = 1.5, .drop = 0.0, .iris = 0.74, .slit = false, .lash = 3.0},
     .mouth = Mouth::Pout, .smile = Smile::Shy, .angularJaw = false, .broad = false, .brows = 0.6},
    // the bookish girl
    {.tint = QColor(0, 0, 255), .skin = kSkin, .hair = QColor(34, 44, 96),
     .iris = QColor(70, 100, 205), .cloth = QColor(42, 70, 180), .trim = QColor(250, 250, 255),
     .hairStyle = HairStyle::Hime, .outfit = Outfit::Collar,
     .eye = {.w = 19, .h = 20, .lift = -1, .drop = 0.05, .iris = 0.70, .slit = false, .lash = 2.8},
     .mouth = Mouth::Soft, .smile = Smile::Gentle, .angularJaw = false, .broad = false, .brows = -0.2,
     .glasses = true},
    // the breezy one
    {.tint = QColor(255, 255, 0), .skin = kSkin, .hair = QColor(250, 214, 112),
     .iris = QColor(225, 150, 45), .cloth = QColor(255, 206, 52), .trim = QColor(255, 238, 120),
     .hairStyle = HairStyle::TwinTails, .outfit = Outfit::Blouse,
     .eye = {.w = 20, .h = 23, .lift = 0, .drop = 0.0, .iris = 0.76, .slit = false, .lash = 3.0},
     .mouth = Mouth::Soft, .smile = Smile::Wink, .angularJaw = false, .broad = false, .brows = -0.1},
    // the young lady
    {.tint = QColor(255, 0, 255), .skin = kSkin, .hair = QColor(176, 52, 160),
     .iris = QColor(190, 60, 185), .cloth = QColor(165, 25, 130), .trim = QColor(252, 245, 252),
     .hairStyle = HairStyle::Ringlets, .outfit = Outfit::Frills,
     .eye = {.w = 20, .h = 18, .lift = 4, .drop = 0.32, .iris = 0.66, .slit = false, .lash = 3.4},
     .mouth = Mouth::Smirk, .smile = Smile::Smug, .angularJaw = false, .broad = false, .brows = 0.0},
    // the quiet boy
    {.tint = QColor(0, 255, 255), .skin = kSkin, .hair = QColor(44, 122, 132),
     .iris = QColor(40, 175, 185), .cloth = QColor(70, 196, 208), .trim = QColor(30, 110, 125),
     .hairStyle = HairStyle::SideSwept, .outfit = Outfit::Hoodie,
     .eye = {.w = 18, .h = 19, .lift = -3, .drop = 0.08, .iris = 0.66, .slit = false, .lash = 2.8},
     .mouth = Mouth::Flat, .smile = Smile::Laugh, .angularJaw = true, .broad = true, .brows = -0.8},
    // the grey lady
    {.tint = QColor(100, 100, 100), .skin = QColor(250, 228, 218), .hair = QColor(208, 210, 220),
     .iris = QColor(120, 132, 160), .cloth = QColor(112, 112, 122), .trim = QColor(76, 76, 88),
     .hairStyle = HairStyle::Flowing, .outfit = Outfit::Gown,
     .eye = {.w = 20, .h = 16, .lift = -1, .drop = 0.30, .iris = 0.66, .slit = false, .lash = 3.0},
     .mouth = Mouth::Soft, .smile = Smile::Serene, .angularJaw = false, .broad = false, .brows = -0.1,
     .mole = true},
    // the guide, a maid of the house
    {.tint = QColor(120, 40, 70), .skin = kSkin, .hair = QColor(48, 36, 42),
     .iris = QColor(130, 60, 95), .cloth = QColor(28, 26, 34), .trim = QColor(252, 252, 252),
     .hairStyle = HairStyle::Bun, .outfit = Outfit::Maid,
     .eye = {.w = 19, .h = 18, .lift = 1.5, .drop = 0.26, .iris = 0.66, .slit = false, .lash = 3.0},
     .mouth = Mouth::Soft, .smile = Smile::Gentle, .angularJaw = false, .broad = false, .brows = 0.0},
    // the master
    {.tint = QColor(150, 0, 20), .skin = kPale, .hair = QColor(26, 22, 32),
     .iris = QColor(225, 20, 36), .cloth = QColor(18, 14, 22), .trim = QColor(170, 10, 28),
     .hairStyle = HairStyle::Slicked, .outfit = Outfit::Cape,
     .eye = {.w = 20, .h = 14, .lift = 6, .drop = 0.16, .iris = 0.56, .slit = true, .lash = 3.4},
     .mouth = Mouth::Smirk, .smile = Smile::Smug, .angularJaw = true, .broad = true, .brows = 0.5},
    // the master in bloom
    {.tint = QColor(255, 210, 120), .skin = QColor(250, 240, 236), .hair = QColor(250, 230, 176),
     .iris = QColor(235, 70, 70), .cloth = QColor(250, 248, 242), .trim = QColor(222, 178, 72),
     .hairStyle = HairStyle::Slicked, .outfit = Outfit::Robe,
     .eye = {.w = 20, .h = 14, .lift = 6, .drop = 0.16, .iris = 0.56, .slit = true, .lash = 3.2},
     .mouth = Mouth::Soft, .smile = Smile::Gentle, .angularJaw = true, .broad = true, .brows = -0.1},
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
    moodLight(p, who, mood, rng);
    p.end();
    return img;
}

} // namespace pics
