// Message boxes, fatal errors, the random source, the screen and the
// program's folder.
#include "toolkit/runtime.h"

#include "toolkit/form.h"
#include "toolkit/windowwatch.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QKeyEvent>
#include <QCloseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
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
bool g_abandoned = false;
double g_boxPoints = 0;

bool onRealDisplay() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) &&
           QGuiApplication::platformName() != QLatin1String("offscreen") &&
           QGuiApplication::platformName() != QLatin1String("minimal");
}

// A box of text over its buttons, which keeps each line of the text on one
// line while it fits on the screen, centred over its window. The text is
// the label of the button the keyboard starts on: a screen reader speaks
// each new line as that button takes the focus, the words before the button.
class Box : public QDialog {
public:
    explicit Box(QWidget* owner)
        : QDialog(owner, Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowCloseButtonHint) {
        text_ = new QLabel(this);
        text_->setTextFormat(Qt::PlainText);
        auto* column = new QVBoxLayout(this);
        column->setSizeConstraint(QLayout::SetNoConstraint);
        column->addWidget(text_, 1);
        row_ = new QHBoxLayout;
        row_->addStretch();
        column->addLayout(row_);
    }
    bool lost = false;  // its window was destroyed from outside

    // A new line and new buttons, the first of them the default; answered
    // by `escape` on Escape or the window's close button. The buttons are
    // new ones each time, so that the focus comes to the line afresh.
    QList<QPushButton*> setLine(const QString& text, const QStringList& captions, int escape) {
        for (QPushButton* old : buttons_) delete old;
        buttons_.clear();
        for (const QString& caption : captions) {
            auto* b = new QPushButton(caption, this);
            row_->addWidget(b);
            b->show();  // now, so that fit() counts it
            buttons_ << b;
        }
        buttons_.first()->setDefault(true);
        escape_ = buttons_.value(escape);
        // A label with a buddy reads '&' as a mnemonic.
        line_ = QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
        text_->setText(line_);
        text_->setBuddy(buttons_.first());
        buttons_.first()->setFocus();
        if (isVisible()) fit();
        return buttons_;
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape && escape_) return escape_->click();
        QDialog::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (escape_) escape_->click();
    }
    void showEvent(QShowEvent* e) override {
        QDialog::showEvent(e);
        fit();
    }

private:
    // Each line wider than `room` broken after its last comma or space at
    // which the first part fits, so that a narrow screen keeps words whole;
    // a line with none is left to the label's own wrapping.
    static QString broken(const QString& text, const QFontMetrics& fm, int room) {
        QStringList out;
        for (QString line : text.split(QLatin1Char('\n'))) {
            while (fm.horizontalAdvance(line) > room) {
                int at = -1;
                for (int i = 1; i < line.size(); ++i)
                    if (QStringLiteral("、，, ").contains(line[i - 1]) && fm.horizontalAdvance(line.left(i)) <= room) at = i;
                if (at < 0) break;
                out << line.left(at).trimmed();
                line = line.mid(at).trimmed();
            }
            out << line;
        }
        return out.join(QLatin1Char('\n'));
    }
    QString line_;  // as the scene gave it

    // Only changes what differs, so that it settles after one round.
    void fit() {
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        const QRect avail = screenArea(owner).available;
        const QFontMetrics fm(text_->font());
        // Margins, spacing and buttons in the text's own measure, so that a
        // large text does not crowd its box.
        const int em = fm.height();
        if (layout()->spacing() != em / 3) {
            layout()->setContentsMargins(em / 2, em / 2, em / 2, em / 2);
            layout()->setSpacing(em / 3);
        }
        for (QPushButton* b : buttons_)
            b->setMinimumSize(b->fontMetrics().horizontalAdvance(b->text()) + em * 3 / 2, em * 8 / 5);
        const int widest = avail.width() * 9 / 10;
        const QMargins m = layout()->contentsMargins();
        const QString text = broken(line_, fm, widest - m.left() - m.right());
        if (text_->text() != text) text_->setText(text);
        int textWidth = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            textWidth = std::max(textWidth, fm.horizontalAdvance(line));
        // As wide as the text with a margin each side, wrapped where wider.
        const bool wrap = textWidth + m.left() + m.right() > widest;
        if (text_->wordWrap() != wrap) text_->setWordWrap(wrap);
        layout()->activate();
        // Wide enough for its title too, which the window manager would cut.
        const int width = std::min(widest, std::max({textWidth + m.left() + m.right(), layout()->totalMinimumSize().width(), 12 * em}));
        const QSize size(width, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                              : layout()->totalMinimumSize().height());
        if (size != this->size() || minimumSize() != size || maximumSize() != size) setFixedSize(size);
        if (owner) {
            QRect r(QPoint(), size);
            r.moveCenter(owner->frameGeometry().center());
            r.moveLeft(std::clamp(r.left(), avail.left(), std::max(avail.left(), avail.right() - r.width())));
            r.moveTop(std::clamp(r.top(), avail.top(), std::max(avail.top(), avail.bottom() - r.height())));
            if (r.topLeft() != pos()) move(r.topLeft());
        }
    }

    QLabel* text_;
    QHBoxLayout* row_;
    QList<QPushButton*> buttons_;
    QPushButton* escape_ = nullptr;
};

// One box window serves a whole scene. Answered, it stays up until the
// event loop runs again, and the scene's next box takes it over: hidden in
// between, it would hand the keyboard back to the main window, which on
// Wayland races the next box's own request for it.
QPointer<Box> g_box;
int g_boxesShown = 0;

// The box is not application-modal: the window takes no input instead, so
// that closing the window while a box is up still reaches it.
int realMsgBox(const QString& prompt, int buttons, const QString& title) {
    const bool yesNo = buttons == vbYesNo;
    if (g_abandoned) return yesNo ? vbNo : vbOK;

    Form* owner = Form::main();
    if (g_box && (g_box->parentWidget() != owner || g_box->lost)) delete g_box;
    if (!g_box) {
        g_box = new Box(owner);
        // A box destroyed from outside gives its default answer: no button
        // clicked. The next box is a new one.
        watchWindow(g_box, [] {
            g_box->lost = true;
            g_box->done(0);
        });
    }
    Box& box = *g_box;
    QFont font = QApplication::font();
    if (g_boxPoints > font.pointSizeF()) font.setPointSizeF(g_boxPoints);
    box.setFont(font);
    box.setWindowTitle(title);
    const QList<QPushButton*> shown = box.setLine(QString(prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                                                  buttonCaptions(buttons), yesNo ? 1 : 0);

    int pressed = -1;
    QEventLoop loop;
    for (int i = 0; i < shown.size(); ++i)
        QObject::connect(shown[i], &QPushButton::clicked, &loop, [&pressed, &loop, i] {
            pressed = i;
            loop.quit();
        });
    const auto finished = QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    const int count = ++g_boxesShown;
    if (!box.isVisible()) {
        box.show();
        box.raise();
        box.activateWindow();
    }
    loop.exec();
    QObject::disconnect(finished);
    QTimer::singleShot(0, &box, [count] {
        if (g_box && g_boxesShown == count) g_box->hide();
    });
    return yesNo && pressed == 0 ? vbYes : yesNo ? vbNo : vbOK;
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

QStringList buttonCaptions(int buttons) {
    if (buttons == vbYesNo) return {QCoreApplication::translate("tk", "はい"), QCoreApplication::translate("tk", "いいえ")};
    return {QCoreApplication::translate("tk", "OK")};
}

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler) {
    MsgBoxHandler old = std::move(g_boxHandler);
    g_boxHandler = std::move(handler);
    return old;
}

void abandonMsgBoxes() {
    g_abandoned = true;
    if (g_box) g_box->done(0);
}

bool msgBoxesAbandoned() { return g_abandoned; }

void restoreMsgBoxes() { g_abandoned = false; }

void setMsgBoxPointSize(double points) { g_boxPoints = points; }

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
        QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), message);
        box.setWindowModality(Qt::ApplicationModal);
        box.addButton(buttonCaptions(vbOKOnly).first(), QMessageBox::AcceptRole);
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
ScreenArea g_screen;
QString g_programFolder;
}  // namespace

ScreenArea screenArea(const QWidget* window) {
    if (!g_screen.geometry.isEmpty()) return g_screen;
    QScreen* s = window ? window->screen() : nullptr;
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return {QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 768)};
    return {s->geometry(), s->availableGeometry()};
}

void setScreenArea(const QRect& geometry, const QRect& available) {
    g_screen = {geometry, available.isEmpty() ? geometry : available};
}

int screenHeight() { return screenArea().geometry.height(); }

void setScreenHeight(int px) { setScreenArea(px > 0 ? QRect(0, 0, px * 16 / 9, px) : QRect()); }

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
