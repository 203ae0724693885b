// The one top-level window: a menu bar over a client surface with a user
// scale, a fixed frame, and the classic load/activate lifecycle.
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

    // Fixed outer size in pixels (menu bar included), centred on the screen.
    void setFixedFrame(int width, int height);

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
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    Surface* client_;
    bool activated_ = false;
};

}  // namespace tk
