// The one top-level window: a menu bar over a client surface with a user
// scale, a fixed frame sized to its screen, the classic load/activate
// lifecycle, and the pause it holds while minimised or out of focus.
#pragma once

#include "toolkit/surface.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include <functional>
#include <vector>

namespace tk {

class Form : public QMainWindow {
    Q_OBJECT
public:
    Form();
    ~Form() override;

    // The form that message boxes belong to.
    static Form* main();

    Surface* client() const { return client_; }

    // The wanted size, shrunk keeping its shape until it lies wholly on that
    // area with room for a window manager's frame; fixed and centred there.
    QSize setFixedFrameOnScreen(QSize wanted);

    // Items of one menu acting as an indexed array.
    std::vector<QAction*> addMenuArray(QMenu* menu, const QStringList& captions,
                                       std::function<void(int)> onClick);
    QAction* addMenuItem(QMenu* menu, const QString& caption, std::function<void()> onClick);

    // While a box is up: no clicks or menu choices reach the window (the box,
    // a child window, stays usable).
    void setInputBlocked(bool blocked);
    bool inputBlocked() const;

    // Runs once, when the window is first shown.
    virtual void Form_Activate() {}
    // The window is going away: stop whatever could still run.
    virtual void Form_Unload() {}

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Fixed outer size in pixels (menu bar included), centred on the
    // available area of the screen the window opens on.
    void setFixedFrame(int width, int height);
    void followFocus();
    void letGo();  // closed or lost: stop what could still run
    Surface* client_;
    bool activated_ = false;
    bool beenActive_ = false;
};

}  // namespace tk
