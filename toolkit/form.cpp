#include "toolkit/form.h"

#include "toolkit/runtime.h"
#include "toolkit/windowwatch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>

namespace tk {

namespace {
Form* g_main = nullptr;

// Qt asks the session bus whether the desktop shows menus in its own bar
// and whether a screen reader listens. With no bus address in the
// environment, no user bus socket and no dbus-launch to start a bus, there is
// nobody to ask, yet each start would spend milliseconds finding that out;
// a bus address that refuses at once says so without the search.
void skipAbsentSessionBus() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")))) return;
    if (!QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty()) return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}
}  // namespace

Form::Form() : client_(new Surface(this)) {
    skipAbsentSessionBus();
    // Han characters take the locale's language otherwise; ask for the
    // Japanese family explicitly so they keep their Japanese forms.
    QFont f = QApplication::font();
    f.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    QApplication::setFont(f);
    setFont(f);
    setCentralWidget(client_);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    if (!g_main) g_main = this;
    // Destroyed from outside: end as if closed, before any scene goes on.
    watchWindow(this, [this] {
        Form_Unload();
        abandonMsgBoxes();
        QCoreApplication::exit(0);
    });
}

Form::~Form() {
    if (g_main == this) g_main = nullptr;
}

Form* Form::main() { return g_main; }

void Form::setFixedFrame(int width, int height) {
    setFixedSize(width, height);
    if (QScreen* s = screen()) {
        const QRect avail = s->availableGeometry();
        move(avail.x() + (avail.width() - width) / 2, avail.y() + (avail.height() - height) / 2);
    }
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

void Form::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (activated_) return;
    activated_ = true;
    Form_Activate();
}

void Form::closeEvent(QCloseEvent* e) {
    Form_Unload();
    // A scene waiting on a box must not go on talking to a closed window.
    abandonMsgBoxes();
    e->accept();
}

}  // namespace tk
