// The one top-level window: frame, menus, the pause's window causes, and
// how it ends, closed or lost.
#include "toolkit/form.h"

#include "toolkit/runtime.h"
#include "toolkit/timer.h"
#include "toolkit/windowwatch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
Form* g_main = nullptr;
}  // namespace

Form::Form() : client_(new Surface(this)) {
    setCentralWidget(client_);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    if (!g_main) {
        g_main = this;
        restoreMsgBoxes();
        // A box of ours keeps the game's focus; another program takes it.
        connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { followFocus(); });
    }
    // Destroyed from outside: end as if closed, before any scene goes on.
    watchWindow(this, [this] {
        letGo();
        QCoreApplication::exit(0);
    });
}

Form::~Form() {
    if (g_main != this) return;
    g_main = nullptr;
    // What listens to the hold here belongs to a window half gone already.
    hold().disconnect(this);
    hold().clear();
}

Form* Form::main() { return g_main; }

void Form::setFixedFrame(int width, int height) {
    setFixedSize(width, height);
    const QRect avail = screenArea(this).available;
    // Placed by its inside: placed by its frame (move), it lands lower by
    // the frame's height again under some window managers.
    setGeometry(avail.x() + (avail.width() - width) / 2, avail.y() + (avail.height() - height) / 2,
                width, height);
}

QSize Form::setFixedFrameOnScreen(QSize wanted) {
    // Room for a title bar and borders, which the window manager adds outside.
    constexpr int kFrameWidth = 16, kFrameHeight = 48;
    const QRect avail = screenArea(this).available;
    const double fit = std::min({1.0, double(avail.width() - kFrameWidth) / wanted.width(),
                                 double(avail.height() - kFrameHeight) / wanted.height()});
    QSize size = wanted;
    if (fit < 1.0) {
        const int w = static_cast<int>(std::floor(wanted.width() * fit));
        size = QSize(w, static_cast<int>(std::lround(double(w) * wanted.height() / wanted.width())));
    }
    setFixedFrame(size.width(), size.height());
    return size;
}

std::vector<QAction*> Form::addMenuArray(QMenu* menu, const QStringList& captions,
                                         std::function<void(int)> onClick) {
    std::vector<QAction*> items;
    for (int i = 0; i < captions.size(); ++i) {
        QAction* a = menu->addAction(captions[i]);
        connect(a, &QAction::triggered, this, [onClick, i] { onClick(i); });
        items.push_back(a);
    }
    return items;
}

QAction* Form::addMenuItem(QMenu* menu, const QString& caption, std::function<void()> onClick) {
    QAction* a = menu->addAction(caption);
    connect(a, &QAction::triggered, this, [onClick] { onClick(); });
    return a;
}

void Form::setInputBlocked(bool blocked) {
    client_->setEnabled(!blocked);
    menuBar()->setEnabled(!blocked);
}

bool Form::inputBlocked() const { return !client_->isEnabled(); }

bool Form::event(QEvent* e) {
    const bool done = QMainWindow::event(e);
    if (g_main == this) {
        if (e->type() == QEvent::ActivationChange) followFocus();
        else if (e->type() == QEvent::WindowStateChange) hold().set(Hold::Minimised, isMinimized());
    }
    return done;
}

void Form::followFocus() {
    if (isActiveWindow()) {
        beenActive_ = true;
        hold().set(Hold::Focus, false);
        return;
    }
    // Without a window manager the window may never be active: play on.
    if (!beenActive_) return;
    const QWidget* now = QApplication::activeWindow();
    const bool ownBox = now && now != this && qobject_cast<const QDialog*>(now) &&
                        now->parentWidget() && now->parentWidget()->window() == this;
    hold().set(Hold::Focus, !ownBox);
}

void Form::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (g_main == this) hold().set(Hold::Hidden, false);
    if (activated_) return;
    activated_ = true;
    Form_Activate();
}

void Form::hideEvent(QHideEvent* e) {
    QMainWindow::hideEvent(e);
    if (g_main == this) hold().set(Hold::Hidden, true);
}

void Form::keyPressEvent(QKeyEvent* e) {
    // F10 opens the first menu, as on most desktops.
    if (e->key() == Qt::Key_F10 && e->modifiers() == Qt::NoModifier && !e->isAutoRepeat() &&
        !inputBlocked() && !menuBar()->actions().isEmpty()) {
        menuBar()->setActiveAction(menuBar()->actions().first());
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void Form::letGo() {
    Form_Unload();
    // A scene waiting on a box must not go on talking to a closed window.
    abandonMsgBoxes();
}

void Form::closeEvent(QCloseEvent* e) {
    letGo();
    e->accept();
}

}  // namespace tk
