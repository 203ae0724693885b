#include "toolkit/runtime.h"

#include "toolkit/form.h"
#include "toolkit/windowwatch.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace tk {

// ---- Message boxes ---------------------------------------------------------

namespace {
MsgBoxHandler g_boxHandler;
QPointer<QMessageBox> g_openBox;
bool g_abandoned = false;

bool onRealDisplay() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) &&
           QGuiApplication::platformName() != QLatin1String("offscreen") &&
           QGuiApplication::platformName() != QLatin1String("minimal");
}

// The box is not application-modal: the window takes no input instead, so
// that closing the window while a box is up still reaches it.
int realMsgBox(const QString& prompt, int buttons, const QString& title) {
    const bool yesNo = buttons == vbYesNo;
    if (g_abandoned) return yesNo ? vbNo : vbOK;

    Form* owner = Form::main();
    QMessageBox box(owner);
    box.setWindowModality(Qt::NonModal);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    box.setIcon(QMessageBox::NoIcon);
    if (yesNo) {
        box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
        box.setEscapeButton(no);
    } else {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }

    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    // A box destroyed from outside gives its default answer: no button clicked.
    watchWindow(&box, [&box] { box.done(0); });
    g_openBox = &box;
    box.show();
    box.raise();
    box.activateWindow();
    loop.exec();
    g_openBox = nullptr;

    if (!yesNo) return vbOK;
    auto* clicked = box.clickedButton();
    return clicked && box.buttonRole(clicked) == QMessageBox::YesRole ? vbYes : vbNo;
}
}  // namespace

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    Form* owner = Form::main();
    const bool wasBlocked = owner && owner->inputBlocked();
    if (owner) owner->setInputBlocked(true);
    const int answer = g_boxHandler ? g_boxHandler(prompt, buttons, title)
                                    : realMsgBox(prompt, buttons, title);
    if (owner && !wasBlocked) owner->setInputBlocked(false);
    return answer;
}

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler) {
    MsgBoxHandler old = std::move(g_boxHandler);
    g_boxHandler = std::move(handler);
    return old;
}

void abandonMsgBoxes() {
    g_abandoned = true;
    if (g_openBox) g_openBox->done(0);
}

// ---- Fatal errors ----------------------------------------------------------

namespace {
FatalHandler g_fatalHandler;
}

void Fatal(const QString& message) {
    if (g_fatalHandler) g_fatalHandler(message);
    static bool stopping = false;  // a second error while the first is shown
    std::fprintf(stderr, "velmoria: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (onRealDisplay() && !std::exchange(stopping, true)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ヴェルモリア"), message);
        box.setWindowModality(Qt::ApplicationModal);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
    }
    // The game's handlers are mid-way through; nothing sensible can unwind.
    std::fflush(nullptr);
    std::_Exit(1);
}

FatalHandler setFatalHandler(FatalHandler handler) {
    FatalHandler old = std::move(g_fatalHandler);
    g_fatalHandler = std::move(handler);
    return old;
}

// ---- Random source ---------------------------------------------------------

namespace {
std::mt19937& engine() {
    static std::mt19937 e(5489u);
    return e;
}
RandomSource g_random;
}  // namespace

float Rnd() {
    if (g_random) return g_random();
    // 24 random bits: every value is exact in single precision and below 1.
    return static_cast<float>(engine()() >> 8) * (1.0f / 16777216.0f);
}

void Randomize() {
    engine().seed(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

RandomSource setRandomSource(RandomSource source) {
    RandomSource old = std::move(g_random);
    g_random = std::move(source);
    return old;
}

// ---- System ----------------------------------------------------------------

namespace {
int g_screenHeight = 0;
QString g_programFolder;
}  // namespace

int screenHeight() {
    if (g_screenHeight > 0) return g_screenHeight;
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

void setScreenHeight(int px) { g_screenHeight = px; }

namespace {
struct ExeFolder {
    QString path;   // usable in file names
    QString shown;  // for messages
};

// From /proc/self/exe, since applicationDirPath() is empty when the path is
// not valid text.
const ExeFolder& exeFolder() {
    static const ExeFolder folder = [] {
        ExeFolder f;
        QByteArray exe(4096, Qt::Uninitialized);
        ssize_t n;
        while ((n = ::readlink("/proc/self/exe", exe.data(), size_t(exe.size()))) == exe.size())
            exe.resize(exe.size() * 2);
        if (n <= 0) {
            f.path = f.shown = QCoreApplication::applicationDirPath();
            return f;
        }
        exe.truncate(n);
        QByteArray dir = exe.left(exe.lastIndexOf('/'));
        if (dir.isEmpty()) dir = "/";
        f.path = f.shown = QFile::decodeName(dir);
        if (QFile::encodeName(f.shown) != dir) {
            // Kept open for the program's life; the kernel resolves the rest.
            const int fd = ::open(dir.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) f.path = QStringLiteral("/proc/self/fd/%1").arg(fd);
        }
        return f;
    }();
    return folder;
}
}  // namespace

QString programFolder() { return g_programFolder.isEmpty() ? exeFolder().path : g_programFolder; }

QString displayPath(const QString& path) {
    if (!g_programFolder.isEmpty()) return path;
    const ExeFolder& f = exeFolder();
    if (f.path == f.shown || (path != f.path && !path.startsWith(f.path + QLatin1Char('/'))))
        return path;
    return f.shown + path.mid(f.path.size());
}

void setProgramFolder(const QString& folder) { g_programFolder = folder; }

}  // namespace tk
