// Shared test fixtures: a scripted random source, a recording message box,
// fatal errors as exceptions, and a loaded window on the built pictures.
#pragma once

#include "game/fom.h"
#include "scenes/serifu.h"
#include "toolkit/runtime.h"
#include "ui/language.h"

#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <memory>
#include <stdexcept>

struct FatalError : std::runtime_error {
    explicit FatalError(const QString& m) : std::runtime_error(m.toStdString()) {}
};

// Every draw comes from the script; running out is a test failure.
struct Draws {
    std::deque<float> queue;
    int taken = 0;
    std::function<float()> fallback;  // used when the script is empty, if set
    Draws() {
        tk::setRandomSource([this] {
            ++taken;
            if (queue.empty() && !fallback) throw std::runtime_error("the game drew more random numbers than scripted");
            if (queue.empty()) return fallback();
            const float r = queue.front();
            queue.pop_front();
            return r;
        });
    }
    ~Draws() { tk::setRandomSource({}); }
    Draws& operator<<(float r) {
        queue.push_back(r);
        return *this;
    }
    void add(int n, float r) {
        for (int i = 0; i < n; ++i) queue.push_back(r);
    }
};

// The name of a picture's file ("fce8"), lower case.
inline QString pictureName(const tk::PictureFile& picture) {
    return QFileInfo(picture.source()).completeBaseName().toLower();
}

struct ShownBox {
    QString prompt;
    int buttons;
    QString title;
    QString face;  // the speaker picture shown while the box was up
    bool timersOff;
    QString startPicture;  // the full-window picture, when it was shown
    QStringList lines() const { return prompt.split(QStringLiteral("\r\n")); }
};

// Records every box; Yes/No boxes take the scripted answers (No by default).
struct Boxes {
    std::vector<ShownBox> shown;
    std::deque<int> answers;
    std::function<void(const ShownBox&)> onBox;
    Fom* fom = nullptr;
    explicit Boxes(Fom* f = nullptr) : fom(f) {
        tk::setMsgBoxHandler([this](const QString& p, int b, const QString& t) {
            ShownBox box{p, b, t, {}, true, {}};
            if (fom) {
                box.face = fom->Img->Visible() ? pictureName(fom->Img->picture()) : QString();
                box.timersOff = !fom->Tim.running() && !fom->DayTim.running();
                if (fom->ImgStt->Visible()) box.startPicture = pictureName(fom->ImgStt->picture());
            }
            shown.push_back(box);
            if (onBox) onBox(shown.back());
            if (b != tk::vbYesNo) return int(tk::vbOK);
            const int a = answers.empty() ? int(tk::vbNo) : answers.front();
            if (!answers.empty()) answers.pop_front();
            return a;
        });
    }
    ~Boxes() { tk::setMsgBoxHandler({}); }
    int size() const { return int(shown.size()); }
    const ShownBox& operator[](int i) const { return shown.at(i); }
    void clear() { shown.clear(); }
    // No tick or day could have run while any of the boxes was up.
    bool allTimersOff() const {
        return std::all_of(shown.begin(), shown.end(), [](const ShownBox& x) { return x.timersOff; });
    }
    QStringList faces() const {
        QStringList f;
        for (const auto& b : shown) f << b.face;
        return f;
    }
};

// The settings (the record of endings) go to a folder of the tests' own,
// never the user's: a new one for each game, or the one a test chose here.
inline QString& settingsFolder() {
    static QString folder;
    return folder;
}

// A loaded, shown window reading the pictures of the build tree.
// On a 1366 x 768 screen, or one of this geometry and available area (the
// whole screen when empty).
struct Game {
    QTemporaryDir settings;
    std::unique_ptr<Fom> fom;
    explicit Game(const QString& folder = QStringLiteral(VELMORIA_BUILD_DIR),
                  const QRect& screen = QRect(0, 0, 1366, 768), const QRect& available = QRect()) {
        tk::setScreenArea(screen, available);
        tk::setFatalHandler([](const QString& m) { throw FatalError(m); });
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           settingsFolder().isEmpty() ? settings.path() : settingsFolder());
        tk::setProgramFolder(folder);
        tk::Timer::setManual(true);  // a test fires them, or asks for the clock
        Fom::prepareProcess();
        fom = std::make_unique<Fom>();
        fom->Form_Load();
        fom->show();
    }
    ~Game() {
        fom.reset();
        lang::use(QStringLiteral("ja"));  // a test that spoke English ends with it
        tk::setFatalHandler({});
        tk::setProgramFolder({});
        tk::setScreenArea(QRect());
    }
    Fom* operator->() { return fom.get(); }
    Fom& operator*() { return *fom; }
};

// A picture folder of links to the built pictures, whose files a test may
// replace. Returns the folder that holds GF.
inline QString linkPictures(const QTemporaryDir& dir) {
    QDir(dir.path()).mkdir("GF");
    const QDir built(VELMORIA_BUILD_DIR "/GF");
    for (const QString& n : built.entryList(QDir::Files))
        QFile::link(built.filePath(n), dir.path() + "/GF/" + n);
    return dir.path();
}

// A new game straight onto the raising screen, as after the introduction,
// with the wish on meal `wish`.
inline void startRaising(Fom& f, int wish = 0) {
    f.NewGame();
    f.Gosyoumou = qint16(wish);
    f.ShpGosyoumou->Move(wish, 0, 1, 1);
    f.Gamen_Ikusei();
}
