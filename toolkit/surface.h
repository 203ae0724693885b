// Windowless graphics on a widget with a user scale: the stand-in for the
// classic form runtime's pictures, shapes and labels, and its framed panels.
#pragma once

#include "toolkit/pictures.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace tk {

class Surface;

// An element painted by its surface, placed in the surface's user units.
class Graphic {
public:
    explicit Graphic(Surface* owner);
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

    Surface* surface() const { return owner_; }
    // The pixel rectangle this element occupies on its surface right now.
    QRect pixelRect() const;
    // What its painting may touch: text and outlines may reach a pixel past
    // the rectangle.
    QRect reach() const { return pixelRect().adjusted(-1, -1, 1, 1); }

    virtual void paint(QPainter& p, const QRect& px) = 0;
    // Hides everything beneath it within its pixel rectangle.
    virtual bool opaque() const { return false; }
    // Whether it hides what lies beneath at a pixel of its surface, for the
    // pointer: all of its rectangle while visible.
    virtual bool covers(const QPoint& px) const { return visible_ && pixelRect().contains(px); }
    // A hidden copy of this element on the same surface, just above it.
    virtual Graphic* clone() const = 0;
    // The surface's pixel size, or its font, changed.
    virtual void surfaceResized() {}
    virtual void surfaceFontChanged() {}

protected:
    void changed();  // repaint what this element covers
    void copyGeometryFrom(const Graphic& other);

private:
    Surface* owner_;
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
    QPixmap scaled_;  // in device pixels, while the file and size stay
    bool border_ = false;
};

// A filled, hatched or open rectangle; never takes mouse input.
class Shape : public Graphic {
public:
    enum Fill { Solid, Transparent, HorizontalLines };
    using Graphic::Graphic;

    void setFill(Fill f, QColor colour);
    // An outline `width` pixels wide along the inside of the rectangle.
    void setBorder(bool on, QColor colour = Qt::black, int width = 1);

    void paint(QPainter& p, const QRect& px) override;
    Graphic* clone() const override;
    bool opaque() const override;

private:
    Fill fill_ = Solid;
    QColor fillColour_ = Qt::white;
    QColor borderColour_ = Qt::black;
    int border_ = 1;  // pixels; 0 for none
};

// White text on a transparent background, in its surface's font at a size
// of its own: a new font on the surface changes every label's face.
class Label : public Graphic {
public:
    explicit Label(Surface* owner);
    void setText(const QString& text);
    const QString& text() const { return text_; }
    // Shown while the pointer rests on the text, where nothing covers it.
    void setToolTip(const QString& tip) { toolTip_ = tip; }
    const QString& toolTip() const { return toolTip_; }
    void setPointSize(double points);
    const QFont& font() const { return font_; }
    void setAlignRight(bool right);
    bool alignRight() const { return right_; }
    void setAlignCentre(bool centre);
    // Space kept clear at both ends of the text, in ems of the label's font,
    // so that text never touches a neighbour.
    void setPadding(double ems);
    // Size to the text at the current position (single line).
    void setAutoSize(bool on);

    // The pixels its text is drawn on; only they hide what lies beneath.
    QRect textRect() const;
    bool covers(const QPoint& px) const override { return Visible() && textRect().contains(px); }

    void paint(QPainter& p, const QRect& px) override;
    Graphic* clone() const override;
    void surfaceResized() override;
    void surfaceFontChanged() override;

private:
    void fitText();
    int flags() const;
    QRect textArea(const QRect& px) const;  // inside the padding
    QString text_;
    QString toolTip_;
    QFont font_;
    bool right_ = false;
    bool centre_ = false;
    double padding_ = 0;
    bool autoSize_ = false;
};

// A widget with a user coordinate system over its inside, painting its
// graphics back to front where they meet what needs repainting.
class Surface : public QWidget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent = nullptr);
    ~Surface() override;

    void Scale(double left, double top, double width, double height);
    // The pixels the user scale maps onto: inside any frame.
    QRect innerRect() const { return rect().adjusted(frame_, frame_, -frame_, -frame_); }
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

    void setBackground(QColor c);
    // The topmost visible picture at a pixel position, or null.
    Picture* pictureAt(const QPoint& px) const;
    // The topmost graphic that covers a pixel position, or null.
    Graphic* graphicAt(const QPoint& px) const;

protected:
    // Answers a tooltip request with the hint of the label on top there.
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    int frame_ = 0;  // pixels of frame on each side

private:
    QRectF scale_{0, 0, 1, 1};
    QColor background_ = Qt::black;
    std::vector<std::unique_ptr<Graphic>> graphics_;
    Picture* pressed_ = nullptr;
};

// A child window on a surface with a sunken frame and the system face
// colour, holding graphics of its own. Like any child window it lies in
// front of its parent's graphics and takes every click on its area.
class Panel : public Surface {
    Q_OBJECT
public:
    explicit Panel(Surface* parent);

    // Move and resize in the user units of the parent surface.
    void Move(double left, double top, double width = -1, double height = -1);
    void placeOnParent();
    bool Visible() const { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QRectF place_{0, 0, 1, 1};
};

}  // namespace tk
