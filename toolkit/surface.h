// Windowless graphics on a scaled drawing surface: the stand-in for the
// classic form runtime's pictures, shapes, labels and framed panels.
#pragma once

#include "toolkit/pictures.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace tk {

class Canvas;
class Surface;

// An element painted by its surface, placed in the surface's user units.
class Graphic {
public:
    explicit Graphic(Canvas* owner);
    virtual ~Graphic() = default;
    Graphic(const Graphic&) = delete;
    Graphic& operator=(const Graphic&) = delete;

    bool Visible() const { return visible_; }
    void setVisible(bool on);
    void Show() { setVisible(true); }
    void Hide() { setVisible(false); }

    QRectF rect() const { return rect_; }
    // Move and resize in user units; a negative width or height keeps it.
    void Move(double left, double top, double width = -1, double height = -1);
    void ZOrder();  // bring to the front of its surface's graphics

    Canvas* surface() const { return owner_; }
    // The pixel rectangle this element occupies on its surface right now.
    QRect pixelRect() const;

    virtual void paint(QPainter& p, const QRect& px) = 0;
    // Paint only where `parts` (inside px, all in painter pixels) need it;
    // the painter may still clip to more.
    virtual void paintParts(QPainter& p, const QRect& px, std::span<const QRect> parts);
    // Hides everything beneath it within its pixel rectangle.
    virtual bool opaque() const { return false; }
    // How far past its rectangle its painting may reach, in pixels.
    virtual int bleed() const { return 1; }
    // A hidden copy of this element on the same surface, just above it.
    virtual Graphic* clone() const = 0;
    // The surface's pixel size changed.
    virtual void surfaceResized() {}

protected:
    void changed();  // repaint what this element covers
    // Repaint what a move from one pixel rectangle to another changed.
    virtual void moved(const QRect& from, const QRect& to);
    void copyGeometryFrom(const Graphic& other);

private:
    Canvas* owner_;
    QRectF rect_{0, 0, 1, 1};
    bool visible_ = true;
};

// A bitmap stretched to its rectangle, with an optional one-pixel border.
// Takes mouse input while visible.
class Picture : public Graphic {
public:
    using Graphic::Graphic;
    void setPicture(const PictureFile& file);
    const PictureFile& picture() const { return file_; }
    QString source() const { return file_.source(); }  // the file shown
    void setBorder(bool single);
    bool border() const { return border_; }

    std::function<void()> onMouseDown, onMouseUp, onClick;

    void paint(QPainter& p, const QRect& px) override;
    Graphic* clone() const override;
    // Every bitmap we read is decoded opaque.
    bool opaque() const override { return !file_.isNull(); }

private:
    PictureFile file_;
    // In device pixels, kept while the picture and the size stay the same;
    // shared with the toolkit's cache of scaled copies.
    QPixmap scaled_;
    bool border_ = false;
};

// A filled, hatched or open rectangle; never takes mouse input.
class Shape : public Graphic {
public:
    enum Fill { Solid, Transparent, HorizontalLines };
    using Graphic::Graphic;

    void setFill(Fill f, QColor colour);
    void setBorder(bool on, QColor colour = Qt::black);
    QColor fillColour() const { return fillColour_; }
    QColor borderColour() const { return borderColour_; }
    bool hasBorder() const { return border_; }
    Fill fill() const { return fill_; }

    void paint(QPainter& p, const QRect& px) override;
    void paintParts(QPainter& p, const QRect& px, std::span<const QRect> parts) override;
    Graphic* clone() const override;
    bool opaque() const override;
    int bleed() const override { return 0; }

protected:
    void moved(const QRect& from, const QRect& to) override;

private:
    Fill fill_ = Solid;
    QColor fillColour_ = Qt::white;
    QColor borderColour_ = Qt::black;
    bool border_ = true;
};

// White text on a transparent background.
class Label : public Graphic {
public:
    explicit Label(Canvas* owner);
    void setText(const QString& text);
    const QString& text() const { return text_; }
    void setPointSize(double points);
    const QFont& font() const { return font_; }
    void setAlignRight(bool right);
    bool alignRight() const { return right_; }
    void setAlignCentre(bool centre);
    // Space kept clear at both ends of the text, in ems of the label's font,
    // so that text never touches a neighbour.
    void setPadding(double ems);
    int paddingPixels() const;
    // Size to the text at the current position (single line).
    void setAutoSize(bool on);

    void paint(QPainter& p, const QRect& px) override;
    Graphic* clone() const override;
    void surfaceResized() override;

private:
    void fitText();
    QString text_;
    QFont font_;
    bool right_ = false;
    bool centre_ = false;
    double padding_ = 0;
    bool autoSize_ = false;
};

// A user coordinate system over an area of pixels, holding graphics that
// are painted back to front.
class Canvas {
public:
    virtual ~Canvas() = default;

    void Scale(double left, double top, double width, double height);
    QRectF scale() const { return scale_; }
    // The pixel area the user scale maps onto (the inside of any frame).
    virtual QRect innerRect() const = 0;
    QRect toPixels(const QRectF& user) const;
    double toUserWidth(int px) const;
    double toUserHeight(int px) const;

    template <class T, class... A>
    T* create(A&&... args) {
        auto g = std::make_unique<T>(this, std::forward<A>(args)...);
        T* raw = g.get();
        graphics_.push_back(std::move(g));
        return raw;
    }
    void adopt(std::unique_ptr<Graphic> g, const Graphic* above);
    void bringToFront(Graphic* g);
    // Back to front.
    std::vector<const Graphic*> stackingOrder() const;
    // Repaint an area of this canvas's pixels.
    virtual void repaint(const QRect& px) = 0;

    void setBackground(QColor c);
    QColor background() const { return background_; }

    // The topmost visible picture at a pixel position, or null.
    virtual Picture* pictureAt(const QPoint& px) const;

protected:
    // Paints `parts` (painter pixels; this canvas's pixel origin lies at
    // `origin`) with the background and every graphic, each part starting
    // at the topmost graphic that hides everything beneath it there. In a
    // framed canvas nothing is painted outside the inner area.
    void paintGraphics(QPainter& p, QPoint origin, std::span<const QRect> parts,
                       bool framed) const;
    void graphicsResized();

private:
    QRectF scale_{0, 0, 1, 1};
    QColor background_ = Qt::black;
    std::vector<std::unique_ptr<Graphic>> graphics_;
};

class Panel;

// A widget with a user coordinate system that paints its graphics back to
// front. Its panels always lie in front of these graphics.
class Surface : public QWidget, public Canvas {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent = nullptr);
    ~Surface() override;
    using Canvas::create;  // not QWidget's

    QRect innerRect() const override { return rect(); }
    void repaint(const QRect& px) override;
    Picture* pictureAt(const QPoint& px) const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    friend class Panel;
    std::vector<std::unique_ptr<Panel>> panels_;  // back to front
    Picture* pressed_ = nullptr;
};

// A child window on a surface with a sunken frame and the system face
// colour, holding its own graphics. It lies in front of all the surface's
// graphics and, like a child window, takes every click on its area; the
// surface paints it, so that many small changes cost one repaint.
class Panel : public Canvas {
public:
    // Owned by its surface from here on.
    explicit Panel(Surface* parent);
    QRect innerRect() const override;
    void repaint(const QRect& px) override;

    // Move and resize in the user units of the parent surface.
    void Move(double left, double top, double width = -1, double height = -1);
    void placeOnParent();
    // Where it lies on its surface, in pixels.
    QRect geometry() const { return geometry_; }
    void setGeometry(const QRect& r);

    bool Visible() const { return visible_; }
    void setVisible(bool on);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

private:
    friend class Surface;
    // Paint `parts` (surface pixels, inside the panel): frame, background,
    // graphics.
    void paintOn(QPainter& p, std::span<const QRect> parts) const;

    Surface* parent_;
    QRectF place_{0, 0, 1, 1};
    QRect geometry_;
    bool visible_ = true;
};

}  // namespace tk
