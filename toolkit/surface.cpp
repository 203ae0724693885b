// The windowless graphics: pictures, shapes and labels.
#include "toolkit/surface.h"

#include "toolkit/runtime.h"

#include <QFontInfo>
#include <QPainter>

#include <algorithm>

namespace tk {

// ---- Graphic ---------------------------------------------------------------

Graphic::Graphic(Canvas* owner) : owner_(owner) {}

void Graphic::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    owner_->repaint(pixelRect().adjusted(-bleed(), -bleed(), bleed(), bleed()));
}

void Graphic::Move(double left, double top, double width, double height) {
    QRectF r(left, top, width < 0 ? rect_.width() : width, height < 0 ? rect_.height() : height);
    if (r == rect_) return;
    const QRect from = pixelRect();
    rect_ = r;
    if (visible_) moved(from, pixelRect());
}

void Graphic::moved(const QRect& from, const QRect& to) {
    const int b = bleed();
    owner_->repaint(from.adjusted(-b, -b, b, b));
    owner_->repaint(to.adjusted(-b, -b, b, b));
}

void Graphic::ZOrder() { owner_->bringToFront(this); }

QRect Graphic::pixelRect() const { return owner_->toPixels(rect_); }

void Graphic::changed() {
    if (visible_) owner_->repaint(pixelRect().adjusted(-bleed(), -bleed(), bleed(), bleed()));
}

void Graphic::paintParts(QPainter& p, const QRect& px, std::span<const QRect>) { paint(p, px); }

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

void Shape::paint(QPainter& p, const QRect& px) { paintParts(p, px, {&px, 1}); }

void Shape::paintParts(QPainter& p, const QRect& px, std::span<const QRect> parts) {
    if (px.isEmpty()) return;
    // Outlines are one-pixel rectangles filled, which is far cheaper than
    // stroking them, and every fill is cut to the parts that need it.
    // (QRect normalises a negative size, so empty rectangles are skipped.)
    auto fill = [&p](const QRect& a, const QRect& part, const auto& with) {
        if (!a.isEmpty() && a.intersects(part)) p.fillRect(a & part, with);
    };
    const QRect inside = border_ ? px.adjusted(1, 1, -1, -1) : px;
    const QRect edges[] = {
        {px.left(), px.top(), px.width(), 1},
        {px.left(), px.bottom(), px.width(), 1},
        {px.left(), px.top() + 1, 1, px.height() - 2},
        {px.right(), px.top() + 1, 1, px.height() - 2},
    };
    for (const QRect& part : parts) {
        if (fill_ == Solid && border_) {
            fill(px, part, borderColour_);
            fill(inside, part, fillColour_);
            continue;
        }
        if (fill_ == Solid) fill(inside, part, fillColour_);
        else if (fill_ == HorizontalLines) fill(inside, part, QBrush(fillColour_, Qt::HorPattern));
        if (border_)
            for (const QRect& e : edges) fill(e, part, borderColour_);
    }
}

bool Shape::opaque() const {
    return fill_ == Solid && fillColour_.alpha() == 255 && (!border_ || borderColour_.alpha() == 255);
}

void Shape::moved(const QRect& from, const QRect& to) {
    // A shape that grows or shrinks at one edge (a bar) changes only between
    // its old and new edge, plus the outline just inside the shorter one.
    const int in = border_ ? 1 : 0;
    const bool sameX = from.left() == to.left() && from.width() == to.width();
    const bool sameY = from.top() == to.top() && from.height() == to.height();
    if (from == to) return;
    if (sameX && from.top() == to.top()) {
        const int lo = std::max(from.top(), std::min(from.bottom(), to.bottom()) + 1 - in);
        surface()->repaint(QRect(from.left(), lo, from.width(), std::max(from.bottom(), to.bottom()) + 1 - lo));
    } else if (sameX && from.bottom() == to.bottom()) {
        const int hi = std::min(from.bottom(), std::max(from.top(), to.top()) - 1 + in);
        const int lo = std::min(from.top(), to.top());
        surface()->repaint(QRect(from.left(), lo, from.width(), hi + 1 - lo));
    } else if (sameY && from.left() == to.left()) {
        const int lo = std::max(from.left(), std::min(from.right(), to.right()) + 1 - in);
        surface()->repaint(QRect(lo, from.top(), std::max(from.right(), to.right()) + 1 - lo, from.height()));
    } else if (sameY && from.right() == to.right()) {
        const int hi = std::min(from.right(), std::max(from.left(), to.left()) - 1 + in);
        const int lo = std::min(from.left(), to.left());
        surface()->repaint(QRect(lo, from.top(), hi + 1 - lo, from.height()));
    } else {
        Graphic::moved(from, to);
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

Label::Label(Canvas* owner) : Graphic(owner) {
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

}  // namespace tk
