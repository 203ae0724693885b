// The containers of graphics: a user scale over pixels, the window's drawing
// surface and the framed panels in front of it, and how they paint.
#include "toolkit/surface.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
int px(double user, double origin, double extent, int pixels) {
    return static_cast<int>(std::lround((user - origin) * pixels / extent));
}
}  // namespace

// ---- Canvas ----------------------------------------------------------------

void Canvas::Scale(double left, double top, double width, double height) {
    scale_ = QRectF(left, top, width, height);
    repaint(innerRect());
}

QRect Canvas::toPixels(const QRectF& u) const {
    const QRect in = innerRect();
    const int x0 = px(u.left(), scale_.left(), scale_.width(), in.width());
    const int x1 = px(u.left() + u.width(), scale_.left(), scale_.width(), in.width());
    const int y0 = px(u.top(), scale_.top(), scale_.height(), in.height());
    const int y1 = px(u.top() + u.height(), scale_.top(), scale_.height(), in.height());
    return QRect(in.left() + x0, in.top() + y0, x1 - x0, y1 - y0);
}

double Canvas::toUserWidth(int pixels) const {
    const int w = innerRect().width();
    return w > 0 ? pixels * scale_.width() / w : 0;
}

double Canvas::toUserHeight(int pixels) const {
    const int h = innerRect().height();
    return h > 0 ? pixels * scale_.height() / h : 0;
}

void Canvas::adopt(std::unique_ptr<Graphic> g, const Graphic* above) {
    auto it = std::find_if(graphics_.begin(), graphics_.end(),
                           [above](const auto& p) { return p.get() == above; });
    graphics_.insert(it == graphics_.end() ? it : it + 1, std::move(g));
}

void Canvas::bringToFront(Graphic* g) {
    auto it = std::find_if(graphics_.begin(), graphics_.end(),
                           [g](const auto& p) { return p.get() == g; });
    if (it == graphics_.end()) return;
    std::rotate(it, it + 1, graphics_.end());
    const int b = g->bleed();
    if (g->Visible()) repaint(g->pixelRect().adjusted(-b, -b, b, b));
}

std::vector<const Graphic*> Canvas::stackingOrder() const {
    std::vector<const Graphic*> out;
    for (const auto& g : graphics_) out.push_back(g.get());
    return out;
}

void Canvas::setBackground(QColor c) {
    background_ = c;
    repaint(innerRect());
}

Picture* Canvas::pictureAt(const QPoint& pos) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        auto* pic = dynamic_cast<Picture*>(it->get());
        if (pic && pic->Visible() && pic->pixelRect().contains(pos)) return pic;
    }
    return nullptr;
}

void Canvas::graphicsResized() {
    for (const auto& g : graphics_) g->surfaceResized();
}

void Canvas::paintGraphics(QPainter& p, QPoint origin, std::span<const QRect> parts,
                           bool framed) const {
    const QRect inner = innerRect().translated(origin);
    QVarLengthArray<QRect, 16> own;
    for (const QRect& part : parts)
        if (inner.intersects(part)) own.append(part & inner);
    if (own.isEmpty()) return;
    QVarLengthArray<QRect, 32> at;  // each graphic's pixels, null when hidden
    for (const auto& g : graphics_)
        at.append(g->Visible() ? g->pixelRect().translated(origin) : QRect());

    // Where each part starts: the topmost opaque graphic covering all of it
    // (the background is -1). Whatever lies beneath is never seen there.
    QVarLengthArray<int, 16> from;
    for (const QRect& r : own) {
        int start = int(graphics_.size()) - 1;
        while (start >= 0 && !(at[start].contains(r) && graphics_[start]->opaque())) --start;
        from.append(start);
        if (start < 0) p.fillRect(r, background_);
    }

    QVarLengthArray<QRect, 16> mine;
    for (int k = 0; k < int(graphics_.size()); ++k) {
        if (at[k].isNull()) continue;
        const int b = graphics_[k]->bleed();
        const QRect reach = at[k].adjusted(-b, -b, b, b);
        mine.clear();
        for (int i = 0; i < own.size(); ++i)
            if (from[i] <= k && reach.intersects(own[i])) mine.append(own[i] & reach);
        if (mine.isEmpty()) continue;
        // Graphics never paint over a frame.
        const bool spills = framed && !inner.contains(reach);
        if (spills) p.setClipRect(inner);
        graphics_[k]->paintParts(p, at[k], mine);
        if (spills) p.setClipping(false);
    }
}

// ---- Surface ---------------------------------------------------------------

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Surface::~Surface() = default;

void Surface::repaint(const QRect& r) { update(r); }

Picture* Surface::pictureAt(const QPoint& pos) const {
    // A panel in front takes the click, as a child window would.
    for (auto it = panels_.rbegin(); it != panels_.rend(); ++it) {
        const Panel& panel = **it;
        if (panel.Visible() && panel.geometry().contains(pos))
            return panel.pictureAt(pos - panel.geometry().topLeft());
    }
    return Canvas::pictureAt(pos);
}

void Surface::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    QVarLengthArray<QRect, 16> parts;  // not wholly inside a panel
    for (const QRect& r : e->region()) {
        const bool hidden = std::any_of(panels_.begin(), panels_.end(), [&r](const auto& panel) {
            return panel->Visible() && panel->geometry().contains(r);
        });
        if (!hidden) parts.append(r);
    }
    paintGraphics(p, QPoint(0, 0), parts, false);

    for (const auto& panel : panels_) {
        if (!panel->Visible()) continue;
        parts.clear();
        for (const QRect& r : e->region())
            if (r.intersects(panel->geometry())) parts.append(r & panel->geometry());
        if (!parts.isEmpty()) panel->paintOn(p, parts);
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
    graphicsResized();
    for (const auto& panel : panels_) panel->placeOnParent();
}

// ---- Panel -----------------------------------------------------------------

namespace {
constexpr int kFrame = 2;  // sunken 3D frame, as the classic picture box
}

Panel::Panel(Surface* parent) : parent_(parent) {
    setBackground(parent->palette().color(QPalette::Button));
    parent->panels_.emplace_back(this);
}

QRect Panel::innerRect() const {
    return QRect(QPoint(0, 0), geometry_.size()).adjusted(kFrame, kFrame, -kFrame, -kFrame);
}

void Panel::repaint(const QRect& px) {
    if (visible_) parent_->update(px.translated(geometry_.topLeft()) & geometry_);
}

void Panel::Move(double left, double top, double width, double height) {
    place_ = QRectF(left, top, width < 0 ? place_.width() : width,
                    height < 0 ? place_.height() : height);
    placeOnParent();
}

void Panel::placeOnParent() { setGeometry(parent_->toPixels(place_)); }

void Panel::setGeometry(const QRect& r) {
    if (r == geometry_) return;
    const QRect before = geometry_;
    geometry_ = r;
    if (r.size() != before.size()) graphicsResized();
    if (visible_) {
        parent_->update(before);
        parent_->update(r);
    }
}

void Panel::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    parent_->update(geometry_);
}

void Panel::paintOn(QPainter& p, std::span<const QRect> parts) const {
    const QRect r = geometry_;
    const QRect inner = innerRect().translated(r.topLeft());
    const QPalette& pal = parent_->palette();
    // Outer ring: shadow top-left, light bottom-right; inner ring: dark,
    // then midlight. Each side is a one-pixel strip.
    const struct {
        QRect line;
        QPalette::ColorRole role;
    } frame[] = {
        {{r.left(), r.top(), r.width() - 1, 1}, QPalette::Mid},
        {{r.left(), r.top() + 1, 1, r.height() - 2}, QPalette::Mid},
        {{r.left(), r.bottom(), r.width(), 1}, QPalette::Light},
        {{r.right(), r.top(), 1, r.height() - 1}, QPalette::Light},
        {{r.left() + 1, r.top() + 1, r.width() - 3, 1}, QPalette::Dark},
        {{r.left() + 1, r.top() + 2, 1, r.height() - 4}, QPalette::Dark},
        {{r.left() + 1, r.bottom() - 1, r.width() - 2, 1}, QPalette::Midlight},
        {{r.right() - 1, r.top() + 1, 1, r.height() - 3}, QPalette::Midlight},
    };
    for (const QRect& part : parts) {
        if (inner.contains(part)) continue;
        for (const auto& f : frame)
            if (!f.line.isEmpty() && f.line.intersects(part)) p.fillRect(f.line & part, pal.color(f.role));
    }
    paintGraphics(p, r.topLeft(), parts, true);
}

}  // namespace tk
