// The pause as the player sees it, and play from the keyboard: keys 1-7
// press a face as the mouse would, P pauses, F10 opens the menu.
#include "game/fom.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {
// Dims the client area, panels included, says so, and swallows the clicks.
class Teishi : public QWidget {
public:
    explicit Teishi(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_NoMousePropagation);
        hide();
    }
    int points = 20;
    bool byPlayer = false;  // then say how to go on

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 0, 0, 160));
        QFont f = font();
        f.setPointSize(points);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("一時停止中"));
        if (!byPlayer) return;
        const int below = rect().center().y() + QFontMetrics(f).height() / 2;
        f.setPointSize(std::max(1, points / 3));
        p.setFont(f);
        p.drawText(QRect(0, below, width(), height() - below), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("P キーで再開"));
    }
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
};

bool visibleCause() {
    const tk::Hold& h = tk::hold();
    return h.heldBy(tk::Hold::Minimised) || h.heldBy(tk::Hold::Hidden) ||
           h.heldBy(tk::Hold::Focus) || h.heldBy(tk::Hold::Player);
}
}  // namespace

void Fom::createPause() {
    PicTeishi = new Teishi(client());
    connect(&tk::hold(), &tk::Hold::changed, this, [this] {
        // A key held down when time stopped is let go without a click: its
        // release may never come back to this window.
        if (tk::hold().held() && keyFace_ >= 0) keyFaceUp(false);
        Teishi_Hyouji();
    });
}

void Fom::Mnu3_Click(bool on) { tk::hold().set(tk::Hold::Player, on); }

bool Fom::Ikusei() const { return !ImgStt->Visible() && !Img->Visible(); }

void Fom::Teishi_Hyouji() {
    const bool show = Ikusei() && visibleCause();
    auto* teishi = static_cast<Teishi*>(PicTeishi);
    if (teishi->byPlayer != tk::hold().heldBy(tk::Hold::Player)) {
        teishi->byPlayer = !teishi->byPlayer;
        teishi->update();
    }
    if (show == !PicTeishi->isHidden()) return;
    if (show) {
        teishi->points = 2 * MojiSize;
        PicTeishi->setGeometry(client()->rect());
        PicTeishi->raise();
    }
    PicTeishi->setVisible(show);
}

bool Fom::faceTakesClick(int Index) const {
    if (inputBlocked() || tk::hold().held()) return false;
    const tk::Picture& face = ImgFce(Index);
    return face.Visible() && client()->pictureAt(face.pixelRect().center()) == &face;
}

void Fom::keyFaceUp(bool click) {
    const int i = keyFace_;
    keyFace_ = -1;
    ImgFce_MouseUp(i);
    if (click && faceTakesClick(i)) ImgFce_Click(i);
}

void Fom::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool plain = !(e->modifiers() & ~Qt::KeypadModifier);
    if (key >= Qt::Key_1 && key <= Qt::Key_7 && plain) {
        if (e->isAutoRepeat()) return;
        if (keyFace_ >= 0) keyFaceUp(false);  // its release went elsewhere
        const int i = key - Qt::Key_1;
        if (faceTakesClick(i)) {
            keyFace_ = i;
            ImgFce_MouseDown(i);
        }
        return;
    }
    if (key == Qt::Key_P && plain) {
        // The player's own pause: only on the raising screen, and always
        // ended the way it was begun.
        if (!e->isAutoRepeat() && !inputBlocked() && (Ikusei() || Mnu3->isChecked()))
            Mnu3->setChecked(!Mnu3->isChecked());
        return;
    }
    tk::Form::keyPressEvent(e);
}

void Fom::keyReleaseEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_7 && !e->isAutoRepeat() && keyFace_ == key - Qt::Key_1) {
        keyFaceUp(true);
        return;
    }
    tk::Form::keyReleaseEvent(e);
}
