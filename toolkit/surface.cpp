#include "toolkit/surface.h"

#include "toolkit/runtime.h"

#include <QFontInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
int px(double user, double origin, double extent, int pixels) {
    return static_cast<int>(std::lround((user - origin) * pixels / extent));
}
}  // namespace

// ---- Graphic ---------------------------------------------------------------

Graphic::Graphic(Surface* owner) : owner_(owner) {}

void Graphic::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    owner_->repaint(pixelRect());  // shown or hidden, the area changes
}

void Graphic::Move(double left, double top, double width, double height) {
    QRectF r(left, top, width < 0 ? rect_.width() : width, height < 0 ? rect_.height() : height);
    if (r == rect_) return;
    changed();
    rect_ = r;
    changed();
}

void Graphic::ZOrder() { owner_->bringToFront(this); }

QRect Graphic::pixelRect() const { return owner_->toPixels(rect_); }

void Graphic::changed() {
    if (visible_) owner_->repaint(pixelRect());
}

void Graphic::copyGeometryFrom(const Graphic& other) {
    rect_ = other.rect_;
    visible_ = false;  // copies start hidden
}

// ---- Picture ---------------------------------------------------------------

void Picture::setPicture(const PictureFile& file) {
    if (!(file == file_)) scaled_ = QPixmap();
    file_ = file;
    changed();
}

void Picture::setBorder(bool single) {
    if (border_ == single) return;
    border_ = single;
    changed();
}

void Picture::paint(QPainter& p, const QRect& px) {
    if (px.isEmpty()) return;
    // Straight from the file to device pixels: no blocks on a HiDPI screen.
    const qreal ratio = p.device()->devicePixelRatio();
    const QSize pixels = (QSizeF(px.size()) * ratio).toSize();
    if (!file_.isNull() && !pixels.isEmpty()) {
        if (scaled_.size() != pixels || scaled_.devicePixelRatio() != ratio) {
            QString error;
            scaled_ = file_.scaled(pixels, ratio, &error);
            if (scaled_.isNull()) {
                file_ = PictureFile();  // not tried again while the error is shown
                Fatal(error);
            }
        }
        p.drawPixmap(px, scaled_);
    }
    if (border_) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(px.adjusted(0, 0, -1, -1));
    }
}

Graphic* Picture::clone() const {
    auto* c = new Picture(surface());
    c->copyGeometryFrom(*this);
    c->file_ = file_;
    c->scaled_ = scaled_;
    c->border_ = border_;
    return c;
}

// ---- Shape -----------------------------------------------------------------

void Shape::setFill(Fill f, QColor colour) {
    fill_ = f;
    fillColour_ = colour;
    changed();
}

void Shape::setBorder(bool on, QColor colour) {
    border_ = on;
    borderColour_ = colour;
    changed();
}

void Shape::paint(QPainter& p, const QRect& px) {
    if (px.width() <= 0 || px.height() <= 0) return;
    if (fill_ == Solid) p.fillRect(px, fillColour_);
    else if (fill_ == HorizontalLines) p.fillRect(px, QBrush(fillColour_, Qt::HorPattern));
    if (border_) {
        p.setPen(QPen(borderColour_, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(px.adjusted(0, 0, -1, -1));
    }
}

Graphic* Shape::clone() const {
    auto* c = new Shape(surface());
    c->copyGeometryFrom(*this);
    c->fill_ = fill_;
    c->fillColour_ = fillColour_;
    c->borderColour_ = borderColour_;
    c->border_ = border_;
    return c;
}

// ---- Label -----------------------------------------------------------------

Label::Label(Surface* owner) : Graphic(owner) {
    font_.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
}

void Label::setText(const QString& text) {
    if (text == text_) return;
    changed();
    text_ = text;
    if (autoSize_) fitText();
    changed();
}

void Label::setPointSize(double points) {
    changed();
    font_.setPointSizeF(points);
    if (autoSize_) fitText();
    changed();
}

void Label::setAlignRight(bool right) {
    right_ = right;
    changed();
}

void Label::setAlignCentre(bool centre) {
    centre_ = centre;
    changed();
}

void Label::setPadding(double ems) {
    changed();
    padding_ = ems;
    changed();
}

int Label::paddingPixels() const {
    return static_cast<int>(std::lround(padding_ * QFontInfo(font_).pixelSize()));
}

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    if (on) fitText();
}

void Label::surfaceResized() {
    if (autoSize_) fitText();
}

void Label::fitText() {
    const QFontMetrics fm(font_);
    const double w = surface()->toUserWidth(fm.horizontalAdvance(text_) + 2);
    const double h = surface()->toUserHeight(fm.height());
    Move(rect().left(), rect().top(), w, h);
}

void Label::paint(QPainter& p, const QRect& px) {
    if (text_.isEmpty()) return;
    p.setFont(font_);
    p.setPen(Qt::white);
    int flags = Qt::AlignTop | (centre_ ? Qt::AlignHCenter : right_ ? Qt::AlignRight : Qt::AlignLeft);
    if (!autoSize_) flags |= Qt::TextWordWrap;
    const int pad = paddingPixels();
    p.drawText(px.adjusted(pad, 0, -pad, 0), flags, text_);
}

Graphic* Label::clone() const {
    auto* c = new Label(surface());
    c->copyGeometryFrom(*this);
    c->text_ = text_;
    c->font_ = font_;
    c->right_ = right_;
    c->centre_ = centre_;
    c->padding_ = padding_;
    c->autoSize_ = autoSize_;
    return c;
}

// ---- Surface ---------------------------------------------------------------

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::Scale(double left, double top, double width, double height) {
    scale_ = QRectF(left, top, width, height);
    update();
}

QRect Surface::toPixels(const QRectF& u) const {
    const QRect in = innerRect();
    const int x0 = px(u.left(), scale_.left(), scale_.width(), in.width());
    const int x1 = px(u.left() + u.width(), scale_.left(), scale_.width(), in.width());
    const int y0 = px(u.top(), scale_.top(), scale_.height(), in.height());
    const int y1 = px(u.top() + u.height(), scale_.top(), scale_.height(), in.height());
    return QRect(in.left() + x0, in.top() + y0, x1 - x0, y1 - y0);
}

double Surface::toUserWidth(int pixels) const {
    const int w = innerRect().width();
    return w > 0 ? pixels * scale_.width() / w : 0;
}

double Surface::toUserHeight(int pixels) const {
    const int h = innerRect().height();
    return h > 0 ? pixels * scale_.height() / h : 0;
}

void Surface::adopt(std::unique_ptr<Graphic> g, const Graphic* above) {
    auto it = std::find_if(graphics_.begin(), graphics_.end(),
                           [above](const auto& p) { return p.get() == above; });
    graphics_.insert(it == graphics_.end() ? it : it + 1, std::move(g));
}

void Surface::bringToFront(Graphic* g) {
    auto it = std::find_if(graphics_.begin(), graphics_.end(),
                           [g](const auto& p) { return p.get() == g; });
    if (it == graphics_.end()) return;
    std::rotate(it, it + 1, graphics_.end());
    if (g->Visible()) repaint(g->pixelRect());
}

std::vector<const Graphic*> Surface::stackingOrder() const {
    std::vector<const Graphic*> out;
    for (const auto& g : graphics_) out.push_back(g.get());
    return out;
}

void Surface::repaint(const QRect& r) {
    // Outlines and text may reach a pixel past the rectangle.
    update(r.adjusted(-1, -1, 1, 1));
}

void Surface::setBackground(QColor c) {
    background_ = c;
    update();
}

Picture* Surface::pictureAt(const QPoint& pos) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        auto* pic = dynamic_cast<Picture*>(it->get());
        if (pic && pic->Visible() && pic->pixelRect().contains(pos)) return pic;
    }
    return nullptr;
}

void Surface::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), background_);
    paintFrame(p);
    p.setClipRect(innerRect());
    for (const auto& g : graphics_) {
        if (!g->Visible()) continue;
        const QRect r = g->pixelRect();
        if (!r.adjusted(-1, -1, 1, 1).intersects(e->rect())) continue;
        g->paint(p, r);
    }
}

void Surface::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = pictureAt(e->position().toPoint());
    if (pressed_ && pressed_->onMouseDown) pressed_->onMouseDown();
}

void Surface::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pressed_) return;
    Picture* pic = pressed_;
    pressed_ = nullptr;
    if (pic->onMouseUp) pic->onMouseUp();
    // A click is a press and a release on the same picture, still shown.
    if (pic->Visible() && pictureAt(e->position().toPoint()) == pic && pic->onClick) pic->onClick();
}

void Surface::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    for (const auto& g : graphics_) g->surfaceResized();
    for (QObject* child : children())
        if (auto* panel = qobject_cast<Panel*>(child)) panel->placeOnParent();
}

// ---- Panel -----------------------------------------------------------------

namespace {
constexpr int kFrame = 2;  // sunken 3D frame, as the classic picture box
}

Panel::Panel(QWidget* parent) : Surface(parent) {
    setBackground(palette().color(QPalette::Button));
}

QRect Panel::innerRect() const { return rect().adjusted(kFrame, kFrame, -kFrame, -kFrame); }

void Panel::Move(double left, double top, double width, double height) {
    place_ = QRectF(left, top, width < 0 ? place_.width() : width,
                    height < 0 ? place_.height() : height);
    placeOnParent();
}

void Panel::placeOnParent() {
    if (auto* s = qobject_cast<Surface*>(parentWidget())) setGeometry(s->toPixels(place_));
}

void Panel::paintFrame(QPainter& p) {
    const QRect r = rect();
    const QPalette& pal = palette();
    // Outer: shadow top-left, light bottom-right; inner: dark, then midlight.
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
    p.setPen(pal.color(QPalette::Midlight));
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

}  // namespace tk
