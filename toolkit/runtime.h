// What the classic form runtime supplied besides controls: modal message
// boxes, fatal errors, the random source, the screen and the program's
// folder. Boxes, random draws and fatal errors can be replaced by a test.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

#include <functional>

namespace tk {

// ---- Message boxes ---------------------------------------------------------
enum Buttons { vbOKOnly = 0, vbYesNo = 4 };
enum Answer { vbOK = 1, vbYes = 6, vbNo = 7 };

// prompt lines are separated by "\r\n"
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());
// The captions of a box's buttons, the default first, in the language spoken.
QStringList buttonCaptions(int buttons);

using MsgBoxHandler = std::function<int(const QString& prompt, int buttons, const QString& title)>;
// Replace the box (an empty handler restores the real one); returns the previous.
MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler);

// Close any open box and make later boxes return at once: the window is gone.
void abandonMsgBoxes();
bool msgBoxesAbandoned();
// A new window: boxes show again.
void restoreMsgBoxes();

// Text size of the boxes in points, so that they read well beside the
// window's own text; never below the system's size. 0: the system's.
void setMsgBoxPointSize(double points);

// ---- Fatal errors ----------------------------------------------------------
// Reports the error (standard error and, on a real display, a box) and ends
// the program with exit status 1. A test may install a handler that throws.
[[noreturn]] void Fatal(const QString& message);
using FatalHandler = std::function<void(const QString& message)>;
FatalHandler setFatalHandler(FatalHandler handler);

// ---- Random source ---------------------------------------------------------
// Uniform in [0, 1), single precision.
float Rnd();
void Randomize();  // seed from the clock
using RandomSource = std::function<float()>;
RandomSource setRandomSource(RandomSource source);

// ---- System ----------------------------------------------------------------
struct ScreenArea {
    QRect geometry;   // the whole screen
    QRect available;  // without panels and docks
};
// The screen a window opens on (the primary screen when none is given).
ScreenArea screenArea(const QWidget* window = nullptr);
// Stand in a screen; an empty geometry: the real screens again.
void setScreenArea(const QRect& geometry, const QRect& available = QRect());
int screenHeight();              // pixels, of screenArea()
void setScreenHeight(int px);    // a 16:9 screen this high; 0: the real screen's
// The folder that holds the executable, whatever bytes its path holds (one
// that cannot be written as text is reached through an open descriptor).
QString programFolder();
void setProgramFolder(const QString& folder);  // empty: the real one
// A path as the player knows the folders in it, for messages.
QString displayPath(const QString& path);

}  // namespace tk
