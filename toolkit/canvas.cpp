// The widgets that hold graphics: a user scale over pixels, painting back to
// front what meets the dirty region, the mouse rules, tooltips, and framed
// panels.
#include "toolkit/surface.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
int px(double user, double origin, double extent, int pixels) {
    return static_cast<int>(std::lround((user - origin) * pixels / extent));
}
}  // namespace

// ---- Surface ---------------------------------------------------------------

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Surface::~Surface() = default;

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
    if (g->Visible()) update(g->reach());
}

std::vector<const Graphic*> Surface::stackingOrder() const {
    std::vector<const Graphic*> out;
    for (const auto& g : graphics_) out.push_back(g.get());
    return out;
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

Graphic* Surface::graphicAt(const QPoint& pos) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it)
        if ((*it)->covers(pos)) return it->get();
    return nullptr;
}

bool Surface::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    // A child window over the point (a panel, an overlay) passes the request
    // on when it has no hint of its own: what it covers shows none.
    const auto* help = static_cast<QHelpEvent*>(e);
    const QWidget* child = childAt(help->pos());
    const auto* label = child ? nullptr : dynamic_cast<const Label*>(graphicAt(help->pos()));
    if (label && !label->toolTip().isEmpty()) {
        QToolTip::showText(help->globalPos(), label->toolTip(), this, label->textRect());
        return true;
    }
    QToolTip::hideText();
    e->ignore();
    return true;
}

void Surface::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        for (const auto& g : graphics_) g->surfaceFontChanged();
}

void Surface::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect inner = innerRect();
    if (inner != rect()) p.setClipRect(inner);  // graphics never paint over a frame
    p.fillRect(inner, background_);
    for (auto it = graphics_.begin(); it != graphics_.end(); ++it) {
        const Graphic& g = **it;
        if (!g.Visible()) continue;
        const QRect seen = g.reach() & inner;
        if (!e->region().intersects(seen)) continue;
        // Not painted at all where a picture or solid shape in front hides
        // it whole: the faces under the start picture are never decoded.
        const bool hidden = std::any_of(it + 1, graphics_.end(), [&seen](const auto& above) {
            return above->Visible() && above->opaque() && above->pixelRect().contains(seen);
        });
        if (!hidden) (*it)->paint(p, g.pixelRect());
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
    for (Panel* panel : findChildren<Panel*>(Qt::FindDirectChildrenOnly)) panel->placeOnParent();
}

// ---- Panel -----------------------------------------------------------------

Panel::Panel(Surface* parent) : Surface(parent) {
    frame_ = 2;  // sunken 3D frame, as the classic picture box
    setBackground(parent->palette().color(QPalette::Button));
}

void Panel::Move(double left, double top, double width, double height) {
    place_ = QRectF(left, top, width < 0 ? place_.width() : width,
                    height < 0 ? place_.height() : height);
    placeOnParent();
}

void Panel::placeOnParent() {
    setGeometry(static_cast<const Surface*>(parentWidget())->toPixels(place_));
}

void Panel::paintEvent(QPaintEvent* e) {
    Surface::paintEvent(e);
    QPainter p(this);
    const QRect r = rect();
    const QPalette& pal = palette();
    // Outer ring: shadow top-left, light bottom-right; inner ring: dark,
    // then midlight.
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
    for (const auto& f : frame)
        if (!f.line.isEmpty()) p.fillRect(f.line, pal.color(f.role));
}

}  // namespace tk
