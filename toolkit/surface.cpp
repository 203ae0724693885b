// The windowless graphics: pictures, shapes and labels.
#include "toolkit/surface.h"

#include "toolkit/runtime.h"

#include <QFontInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tk {

// ---- Graphic ---------------------------------------------------------------

Graphic::Graphic(Surface* owner) : owner_(owner) {}

void Graphic::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    owner_->update(reach());
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
    if (visible_) owner_->update(reach());
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
                // Not tried again; the error stops the game once this paint
                // is over, since no box may open inside one.
                file_ = PictureFile();
                QMetaObject::invokeMethod(surface(), [error] { Fatal(error); }, Qt::QueuedConnection);
            }
        }
        if (!scaled_.isNull()) p.drawPixmap(px, scaled_);
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

void Shape::setBorder(bool on, QColor colour, int width) {
    border_ = on ? width : 0;
    borderColour_ = colour;
    changed();
}

void Shape::paint(QPainter& p, const QRect& px) {
    if (px.isEmpty()) return;
    // The outline is the rectangle's outermost pixels, inside it; a hatched
    // or open shape leaves what lies beneath showing through.
    // (QRect keeps a negative size, which fillRect would not skip.)
    const int w = border_;
    const QRect inside = px.adjusted(w, w, -w, -w);
    if (fill_ == Solid && w) p.fillRect(px, borderColour_);
    if (!inside.isEmpty() && fill_ == Solid) p.fillRect(inside, fillColour_);
    if (!inside.isEmpty() && fill_ == HorizontalLines) p.fillRect(inside, QBrush(fillColour_, Qt::HorPattern));
    if (!w || fill_ == Solid) return;
    const int side = std::max(0, px.height() - 2 * w);
    p.fillRect(QRect(px.left(), px.top(), px.width(), std::min(w, px.height())), borderColour_);
    if (px.height() > w) p.fillRect(QRect(px.left(), px.bottom() + 1 - w, px.width(), w), borderColour_);
    if (side) {
        p.fillRect(QRect(px.left(), px.top() + w, std::min(w, px.width()), side), borderColour_);
        p.fillRect(QRect(px.right() + 1 - std::min(w, px.width()), px.top() + w, std::min(w, px.width()), side), borderColour_);
    }
}

bool Shape::opaque() const {
    return fill_ == Solid && fillColour_.alpha() == 255 && (!border_ || borderColour_.alpha() == 255);
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

Label::Label(Surface* owner) : Graphic(owner), font_(owner->font()) {}

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

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    if (on) fitText();
}

void Label::surfaceResized() {
    if (autoSize_) fitText();
}

void Label::surfaceFontChanged() {
    QFont f = surface()->font();
    if (font_.pointSizeF() > 0) f.setPointSizeF(font_.pointSizeF());
    if (f == font_) return;
    changed();
    font_ = f;
    if (autoSize_) fitText();
    changed();
}

void Label::fitText() {
    const QFontMetrics fm(font_);
    const double w = surface()->toUserWidth(fm.horizontalAdvance(text_) + 2);
    const double h = surface()->toUserHeight(fm.height());
    Move(rect().left(), rect().top(), w, h);
}

int Label::flags() const {
    const int align = Qt::AlignTop | (centre_ ? Qt::AlignHCenter : right_ ? Qt::AlignRight : Qt::AlignLeft);
    return autoSize_ ? align : align | Qt::TextWordWrap;
}

QRect Label::textArea(const QRect& px) const {
    const int pad = static_cast<int>(std::lround(padding_ * QFontInfo(font_).pixelSize()));
    return px.adjusted(pad, 0, -pad, 0);
}

QRect Label::textRect() const {
    if (text_.isEmpty()) return {};
    const QRect area = textArea(pixelRect());
    return QFontMetrics(font_).boundingRect(area, flags(), text_) & pixelRect();
}

void Label::paint(QPainter& p, const QRect& px) {
    if (text_.isEmpty()) return;
    p.setFont(font_);
    p.setPen(Qt::white);
    p.drawText(textArea(px), flags(), text_);
}

Graphic* Label::clone() const {
    auto* c = new Label(surface());
    c->copyGeometryFrom(*this);
    c->text_ = text_;
    c->toolTip_ = toolTip_;
    c->font_ = font_;
    c->right_ = right_;
    c->centre_ = centre_;
    c->padding_ = padding_;
    c->autoSize_ = autoSize_;
    return c;
}

}  // namespace tk
