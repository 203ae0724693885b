// Play from the keyboard: keys 1-7 press a face as the mouse would; Tab and
// the arrows move a focus ring among the faces, whose face Return and Space
// press, or start a game on the start screen; P pauses.
#include "game/fom.h"

#include "ui/access.h"

#include <QKeyEvent>

#include <utility>
#include <vector>

bool Fom::faceTakesClick(int Index) const {
    if (inputBlocked() || tk::hold().held()) return false;
    const tk::Picture& face = ImgFce(Index);
    return face.Visible() && client()->pictureAt(face.pixelRect().center()) == &face;
}

bool Fom::startTakesClick() const {
    return !inputBlocked() && LblStt->Visible() && client()->pictureAt(LblStt->pixelRect().center()) == ImgStt;
}

// A press acts on release, on what the press went to, if it still takes one.
void Fom::keyUp(bool click) {
    const int target = std::exchange(keyDown_, {}).target;
    if (target < 0) return;
    if (target == Meals) {
        if (click && startTakesClick()) ImgStt_Click();
        return;
    }
    ImgFce_MouseUp(target);
    if (click && faceTakesClick(target)) ImgFce_Click(target);
}

void Fom::moveFocus(bool next) {
    if (!Ikusei() || inputBlocked()) return;
    std::vector<int> shown;
    for (int i = 0; i < Meals; ++i)
        if (ImgFce(i).Visible()) shown.push_back(i);
    if (shown.empty()) return;
    const auto at = std::find(shown.begin(), shown.end(), focus_);
    const int n = int(shown.size());
    const int k = at == shown.end() ? (next ? 0 : n - 1) : (int(at - shown.begin()) + (next ? 1 : n - 1)) % n;
    focus_ = shown[k];
    focusShown_ = true;
    Waku_Hyouji();
}

void Fom::Waku_Hyouji() {
    // Back from a scene in which the focused meal fled: the next one to its
    // right, or the last one to its left.
    if (focus_ >= 0 && Ikusei() && !ImgFce(focus_).Visible()) {
        int to = -1;
        for (int i = focus_ + 1; i < Meals && to < 0; ++i)
            if (ImgFce(i).Visible()) to = i;
        for (int i = focus_ - 1; i >= 0 && to < 0; --i)
            if (ImgFce(i).Visible()) to = i;
        focus_ = to;
    }
    // Two pixels inside the face, so that a pressed face's border still shows.
    const double dx = client()->toUserWidth(2), dy = client()->toUserHeight(2);
    if (focus_ >= 0) ShpWaku->Move(focus_ + dx, dy, 1 - 2 * dx, 1 - 2 * dy);
    ShpWaku->setVisible(focusShown_ && focus_ >= 0 && Ikusei());
    a11y::changed(*this);
}

bool Fom::focusNextPrevChild(bool next) {
    moveFocus(next);
    return true;  // the focus stays among the faces
}

void Fom::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool plain = !(e->modifiers() & ~Qt::KeypadModifier);
    const bool face = key >= Qt::Key_1 && key <= Qt::Key_7;
    const bool press = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (plain && (face || press)) {
        if (e->isAutoRepeat()) return;
        keyUp(false);  // the last one's release went elsewhere
        int target = face ? key - Qt::Key_1 : startTakesClick() ? int(Meals) : focus_;
        if (press && target == focus_ && focus_ >= 0 && !focusShown_) {
            focusShown_ = true;
            Waku_Hyouji();
        }
        if (target == Meals || (target >= 0 && faceTakesClick(target))) {
            keyDown_ = {key, target};
            if (target < Meals) ImgFce_MouseDown(target);
        }
        return;
    }
    if (plain && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        moveFocus(key == Qt::Key_Right);
        return;
    }
    if (key == Qt::Key_P && plain) {
        // The player's own pause: only on the raising screen, and always
        // ended the way it was begun.
        if (!e->isAutoRepeat() && !inputBlocked() && (Ikusei() || Mnu3->isChecked()))
            Mnu3->setChecked(!Mnu3->isChecked());
        return;
    }
    tk::Form::keyPressEvent(e);
}

void Fom::keyReleaseEvent(QKeyEvent* e) {
    // Only the release of the key whose press this window had.
    if (!e->isAutoRepeat() && keyDown_.target >= 0 && e->key() == keyDown_.key) {
        keyUp(true);
        return;
    }
    tk::Form::keyReleaseEvent(e);
}
