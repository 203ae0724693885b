// The pause as the player sees it: the overlay over the raising screen.
#include "game/fom.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
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
        p.drawText(rect(), Qt::AlignCenter, QCoreApplication::translate("Fom", "一時停止中"));
        if (!byPlayer) return;
        const int below = rect().center().y() + QFontMetrics(f).height() / 2;
        // Never below the desktop's own size, which a small window would reach.
        f.setPointSizeF(std::max(points / 3.0, QApplication::font().pointSizeF()));
        p.setFont(f);
        p.drawText(QRect(0, below, width(), height() - below), Qt::AlignHCenter | Qt::AlignTop,
                   QCoreApplication::translate("Fom", "P キーで再開"));
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
        if (tk::hold().held()) keyUp(false);
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
    if (show != !PicTeishi->isHidden()) {
        if (show) {
            teishi->points = 2 * MojiSize;
            PicTeishi->setGeometry(client()->rect());
            PicTeishi->raise();
        }
        PicTeishi->setVisible(show);
    }
    Waku_Hyouji();
}
