// The one test fixture: every process-wide service a test replaces (draws,
// boxes, fatal errors, screen, folders, timers, pause, settings, reader,
// language) set for one test and put back after it, checked after every
// test function; and a loaded window on the built pictures.
#pragma once

#include "game/fom.h"
#include "toolkit/runtime.h"
#include "ui/language.h"

#include <QAccessible>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QtTest>

#include <deque>
#include <memory>
#include <stdexcept>

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The name of a picture's file ("fce8"), lower case.
inline QString pictureName(const tk::PictureFile& picture) {
    return QFileInfo(picture.source()).completeBaseName().toLower();
}

struct ShownBox {
    QString prompt;
    int buttons;
    QString title, face;   // the speaker picture shown while the box was up
    bool timersOff;
    QString startPicture;  // the full-window picture, when it was shown
    QStringList lines() const { return prompt.split(QStringLiteral("\r\n")); }
};

// Qt's accessibility switched on as a reader's arrival would, or off.
inline void readerListens(bool on) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on); }

// Where settings go while no test has its own: nowhere that can be written.
inline const QString kNoSettings = QStringLiteral("/dev/null/velmoria-tests");
// A folder of settings that outlives one game (the record's tests).
inline QString& settingsFolder() {
    static QString folder;
    return folder;
}

struct Services {
    // Draws come from `draws`, then `fallback`; one beyond both is counted
    // (never thrown through Qt's events) and fails the test at its end.
    std::deque<float> draws;
    std::function<float()> fallback;
    int taken = 0;
    static inline int unscripted = 0;
    // Every box recorded; a Yes/No box takes the next answer, No when none.
    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    std::function<void(const ShownBox&)> onBox;
    Fom* fom = nullptr;
    QTemporaryDir settings;
    QString settingsPath = settingsFolder().isEmpty() ? settings.path() : settingsFolder();
    // A fixture inside another (two games at once) hands the services back.
    static inline Services* current = nullptr;
    Services* outer = std::exchange(current, this);
    tk::RandomSource outerDraws;
    tk::MsgBoxHandler outerBoxes;
    tk::FatalHandler outerFatal;

    Services() {
        outerDraws = tk::setRandomSource([this] {
            ++taken;
            if (draws.empty()) return fallback ? fallback() : (++unscripted, 0.5f);
            const float r = draws.front();
            draws.pop_front();
            return r;
        });
        outerBoxes = tk::setMsgBoxHandler([this](const QString& p, int b, const QString& t) {
            ShownBox box{p, b, t, {}, true, {}};
            if (fom) {
                box.face = fom->Img->Visible() ? pictureName(fom->Img->picture()) : QString();
                box.timersOff = !fom->Tim.running() && !fom->DayTim.running();
                if (fom->ImgStt->Visible()) box.startPicture = pictureName(fom->ImgStt->picture());
            }
            boxes.push_back(box);
            if (onBox) onBox(boxes.back());
            if (b != tk::vbYesNo) return int(tk::vbOK);
            const int a = answers.empty() ? int(tk::vbNo) : answers.front();
            if (!answers.empty()) answers.pop_front();
            return a;
        });
        // Only ever raised by a direct call here: a fatal error inside Qt's
        // events is tried in a child process (child()).
        outerFatal = tk::setFatalHandler([](const QString& m) { throw FatalError(m.toStdString()); });
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsPath);
    }
    ~Services() {
        current = outer;
        tk::setRandomSource(std::move(outerDraws));
        tk::setMsgBoxHandler(std::move(outerBoxes));
        tk::setFatalHandler(std::move(outerFatal));
        if (outer) {
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, outer->settingsPath);
            return;
        }
        tk::setScreenArea(QRect());
        tk::setProgramFolder({});
        tk::Timer::setManual(true);
        tk::hold().clear();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kNoSettings);
        readerListens(false);
        lang::use(QStringLiteral("ja"));
    }
    const ShownBox& operator[](int i) const { return boxes.at(size_t(i)); }
    int size() const { return int(boxes.size()); }
    // No tick or day could have run while any of the boxes was up.
    bool allTimersOff() const {
        return std::all_of(boxes.begin(), boxes.end(), [](const ShownBox& x) { return x.timersOff; });
    }
    QStringList faces() const {
        QStringList f;
        for (const auto& b : boxes) f << b.face;
        return f;
    }
    bool saw(const QString& prompt) const {
        return std::any_of(boxes.begin(), boxes.end(), [&](const ShownBox& x) { return x.prompt == prompt; });
    }
    // The message of the fatal error `call` raises, or none.
    static QString fatalOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const FatalError& e) {
            return QString::fromStdString(e.what());
        }
        return {};
    }
};

// A loaded, shown window reading the pictures of `folder`, on a 1366 x 768
// screen or one of this geometry and available area.
struct Game : Services {
    std::unique_ptr<Fom> window;
    explicit Game(const QString& folder = QStringLiteral(VELMORIA_BUILD_DIR),
                  const QRect& screen = QRect(0, 0, 1366, 768), const QRect& available = QRect()) {
        tk::setScreenArea(screen, available);
        tk::setProgramFolder(folder);
        Fom::prepareProcess();
        window = std::make_unique<Fom>();
        fom = window.get();
        window->Form_Load();
        window->show();
    }
    ~Game() { window.reset(); }
    Fom* operator->() { return fom; }
    Fom& operator*() { return *fom; }
    // A new game straight onto the raising screen, as after the introduction,
    // with the wish on meal `wish`.
    Game& raising(int wish = 0) {
        fom->NewGame();
        fom->Gosyoumou = qint16(wish);
        fom->ShpGosyoumou->Move(wish, 0, 1, 1);
        fom->Gamen_Ikusei();
        return *this;
    }
    // The game's state and its draws, to compare whole.
    QString state() const {
        QString s = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9|").arg(fom->Day).arg(fom->Week).arg(fom->Ghb)
                        .arg(fom->Tousou_Su).arg(fom->Gosyoumou).arg(taken).arg(fom->Tim.Interval())
                        .arg(fom->Tim.running()).arg(fom->DayTim.running());
        for (int i = 0; i < Fom::Meals; ++i)
            s += QStringLiteral("%1/%2/%3/%4 ").arg(fom->Blood[i]).arg(fom->Cp[i]).arg(fom->Sonzai[i]).arg(fom->Hitorigoto_Zumi[i]);
        return s;
    }
};

// A key sent straight to a widget, pressed and released unless one is given.
inline void key(QWidget* w, int k, QEvent::Type type = QEvent::None, bool autoRepeat = false) {
    for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
        if (type != QEvent::None && t != type) continue;
        QKeyEvent e(t, k, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(w, &e);
    }
}

// What reached the screen, partial repaints included, once it shows what a
// full repaint shows; null if it never does.
inline QImage onScreen(QWidget* w) {
    auto screen = [w] { return w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32); };
    const bool settled = QTest::qWaitFor([&] { return screen() == w->grab().toImage().convertToFormat(QImage::Format_RGB32); });
    return settled ? screen() : QImage();
}

// A picture folder of links to the built pictures, whose files a test may
// replace. Returns the folder that holds GF.
inline QString linkPictures(const QTemporaryDir& dir) {
    QDir(dir.path()).mkdir("GF");
    const QDir built(VELMORIA_BUILD_DIR "/GF");
    for (const QString& n : built.entryList(QDir::Files)) QFile::link(built.filePath(n), dir.path() + "/GF/" + n);
    return dir.path();
}

// This test program again on one test function, with VELMORIA_CHILD set, so
// that the function plays the child's part: for a fatal error, which ends
// the process, or games in several processes at once. Started; the caller
// waits.
inline std::unique_ptr<QProcess> child(const char* function, const QStringList& env = {}) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("VELMORIA_CHILD", "1");
    for (const QString& v : env) e.insert(v.section('=', 0, 0), v.section('=', 1));
    p->setProcessEnvironment(e);
    p->start(QCoreApplication::applicationFilePath(), {function});
    return p;
}
inline bool isChild() { return qEnvironmentVariableIsSet("VELMORIA_CHILD"); }

// Before and after every test function: the services at their defaults.
namespace suite {
inline void init() {
    tk::Timer::setManual(true);  // a test fires them, or asks for the clock
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kNoSettings);
}
inline void cleanup() {
    const int unscripted = std::exchange(Services::unscripted, 0);
    QVERIFY2(!unscripted, "the game drew more random numbers than scripted");
    QVERIFY2(!tk::setMsgBoxHandler({}) && !tk::setFatalHandler({}) && !tk::setRandomSource({}), "a handler left set");
    QVERIFY2(tk::screenArea().geometry == QGuiApplication::primaryScreen()->geometry(), "a screen left standing in");
    QVERIFY2(tk::programFolder() == QCoreApplication::applicationDirPath(), "a program folder left set");
    QVERIFY2(tk::Timer::setManual(true), "the real clock left on");
    QVERIFY2(!tk::hold().held(), "a pause left on");
    QVERIFY2(settingsFile()->fileName().startsWith(kNoSettings) && settingsFolder().isEmpty(), "a settings folder left set");
    QVERIFY2(!QAccessible::isActive(), "a reader left listening");
    QVERIFY2(lang::current() == "ja" && QCoreApplication::translate("Fom", "設定") == "設定", "a language left on");
}
}  // namespace suite
#define VELMORIA_SUITE_SLOTS \
    void init() { suite::init(); } \
    void cleanup() { suite::cleanup(); }
