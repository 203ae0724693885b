#include "toolkit/runtime.h"

#include "toolkit/form.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace tk {

// ---- Message boxes ---------------------------------------------------------

namespace {
MsgBoxHandler g_boxHandler;
QPointer<QMessageBox> g_openBox;
bool g_abandoned = false;
double g_boxPoints = 0;

bool onRealDisplay() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) &&
           QGuiApplication::platformName() != QLatin1String("offscreen") &&
           QGuiApplication::platformName() != QLatin1String("minimal");
}

// A message box that keeps each line of the prompt on one line while it fits
// on the screen (a plain box wraps long ones early), centred over its window.
class Box : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        fit();
    }
    bool event(QEvent* e) override {
        // The plain box sizes itself again on every layout request; ours
        // keeps its own size instead.
        if (e->type() != QEvent::LayoutRequest) return QMessageBox::event(e);
        const bool done = QDialog::event(e);
        if (isVisible()) fit();
        return done;
    }

private:
    // Only changes what differs, so that it settles after one round.
    void fit() {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        const QRect avail = screenArea(owner).available;
        if (label && layout()) {
            const QFontMetrics fm(label->font());
            int textWidth = 0;
            for (const QString& line : label->text().split(QLatin1Char('\n')))
                textWidth = std::max(textWidth, fm.horizontalAdvance(line));
            const int widest = avail.width() * 9 / 10;
            // As much room right of the text as the margin and the empty icon
            // column leave left of it.
            layout()->activate();
            const int room = 2 * std::max(label->geometry().left(), layout()->contentsMargins().left());
            const bool wrap = textWidth + room > widest;
            if (label->wordWrap() != wrap) label->setWordWrap(wrap);
            layout()->activate();
            const int width =
                std::min(widest, std::max(textWidth + room, layout()->totalMinimumSize().width()));
            const QSize size(width, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                                  : layout()->totalMinimumSize().height());
            if (size != this->size() || minimumSize() != size || maximumSize() != size) setFixedSize(size);
        }
        if (owner) {
            QRect r(QPoint(), size());
            r.moveCenter(owner->frameGeometry().center());
            r.moveLeft(std::clamp(r.left(), avail.left(), std::max(avail.left(), avail.right() - r.width())));
            r.moveTop(std::clamp(r.top(), avail.top(), std::max(avail.top(), avail.bottom() - r.height())));
            if (r.topLeft() != pos()) move(r.topLeft());
        }
    }
};

// The box is not application-modal: the window takes no input instead, so
// that closing the window while a box is up still reaches it.
int realMsgBox(const QString& prompt, int buttons, const QString& title) {
    const bool yesNo = buttons == vbYesNo;
    if (g_abandoned) return yesNo ? vbNo : vbOK;

    Form* owner = Form::main();
    Box box(owner);
    box.setWindowModality(Qt::NonModal);
    QFont font = QApplication::font();
    if (g_boxPoints > font.pointSizeF()) font.setPointSizeF(g_boxPoints);
    box.setFont(font);
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

bool msgBoxesAbandoned() { return g_abandoned; }

void restoreMsgBoxes() { g_abandoned = false; }

void setMsgBoxPointSize(double points) { g_boxPoints = points; }

// ---- Fatal errors ----------------------------------------------------------

namespace {
FatalHandler g_fatalHandler;
}

void Fatal(const QString& message) {
    if (g_fatalHandler) g_fatalHandler(message);
    std::fprintf(stderr, "velmoria: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (onRealDisplay()) {
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

// ---- Bitmaps ---------------------------------------------------------------

QString findFile(const QString& path) {
    QString p = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty()) return {};
    if (QFileInfo(p).isFile()) return p;

    const QStringList parts = p.split(QLatin1Char('/'));
    QString at = p.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QStringLiteral(".");
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part == QLatin1String(".")) continue;
        const bool last = i == parts.size() - 1;
        QDir dir(at);
        QString next = dir.filePath(part);
        if (!QFileInfo::exists(next)) {
            // Sorted, so the choice among names differing only in case is stable.
            const QStringList names = dir.entryList(
                QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
            next.clear();
            for (const QString& n : names)
                if (n.compare(part, Qt::CaseInsensitive) == 0) {
                    next = dir.filePath(n);
                    break;
                }
            if (next.isEmpty()) return {};
        }
        if (!last && !QFileInfo(next).isDir()) return {};
        at = next;
    }
    return QFileInfo(at).isFile() ? at : QString();
}

namespace {
template <class T>
T le(const QByteArray& b, int at) {
    return qFromLittleEndian<T>(b.constData() + at);
}
}  // namespace

namespace {
// readBitmap for a path already found on disk.
QImage readFoundBitmap(const QString& real, QString* why) {
    auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return QImage();
    };
    if (real.isEmpty()) return fail(QStringLiteral("ファイルが見つかりません"));
    QFile f(real);
    if (!f.open(QIODevice::ReadOnly)) return fail(QStringLiteral("ファイルを開けません"));
    // Far larger than any picture of ours; refuses to read a huge file whole.
    if (f.size() > 64 * 1024 * 1024) return fail(QStringLiteral("ファイルが大きすぎます"));
    const QByteArray data = f.readAll();

    if (data.size() < 26 || data[0] != 'B' || data[1] != 'M')
        return fail(QStringLiteral("ビットマップ形式ではありません"));
    const quint32 offBits = le<quint32>(data, 10);
    const quint32 infoSize = le<quint32>(data, 14);
    qint64 width, height;
    int bpp;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = le<quint16>(data, 18);
        height = le<quint16>(data, 20);
        bpp = le<quint16>(data, 24);
    } else if (infoSize >= 40 && data.size() >= 54) {
        width = le<qint32>(data, 18);
        height = le<qint32>(data, 22);
        bpp = le<quint16>(data, 28);
        compression = le<quint32>(data, 30);
    } else {
        return fail(QStringLiteral("ビットマップのヘッダが壊れています"));
    }
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return fail(QStringLiteral("ビットマップの大きさが不正です"));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return fail(QStringLiteral("ビットマップの色数が不正です"));
    if (compression != 0 && compression != 3)  // plain or bit fields only
        return fail(QStringLiteral("対応していない圧縮形式です"));
    const qint64 stride = ((width * bpp + 31) / 32) * 4;
    if (offBits < 14 + infoSize || qint64(offBits) + stride * height > data.size())
        return fail(QStringLiteral("ファイルが途中で切れています"));

    QImage image;
    if (!image.loadFromData(data, "BMP") || image.width() != width || image.height() != height)
        return fail(QStringLiteral("ビットマップを読み込めません"));
    image.setText(QStringLiteral("source"), real);
    return image;
}
}  // namespace

QImage readBitmap(const QString& path, QString* why) { return readFoundBitmap(findFile(path), why); }

QImage LoadPicture(const QString& path) {
    // Scenes show the same few speakers again and again: keep what was read
    // for as long as the file stays the same.
    struct Cached {
        qint64 size;
        QDateTime modified;
        QImage image;
    };
    static QHash<QString, Cached> cache;
    const QString real = findFile(path);
    const QFileInfo info(real);
    const QString key = info.canonicalFilePath();  // empty when not found
    auto it = cache.constFind(key);
    if (it != cache.cend() && it->size == info.size() && it->modified == info.lastModified())
        return it->image;

    QString why;
    QImage image = readFoundBitmap(real, &why);
    if (image.isNull())
        Fatal(QStringLiteral("画像を読み込めません: %1\n(%2)")
                  .arg(QDir::toNativeSeparators(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'))), why));
    cache.insert(key, {info.size(), info.lastModified(), image});
    return image;
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

QString programFolder() {
    return g_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_programFolder;
}

void setProgramFolder(const QString& folder) { g_programFolder = folder; }

}  // namespace tk
