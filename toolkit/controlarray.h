// Indexed groups of controls. Members beyond the designed ones are created
// at run time as hidden copies of member 0.
#pragma once

#include "toolkit/runtime.h"
#include "toolkit/surface.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace tk {

template <class T>
class ControlArray {
public:
    explicit ControlArray(const char* name) : name_(name) {}

    // A member that exists in the design.
    void add(int index, T* member) {
        if (index >= static_cast<int>(members_.size())) members_.resize(index + 1, nullptr);
        members_[index] = member;
        wire(index);
    }

    // Create member `index` as a hidden copy of member 0.
    void Load(int index) requires std::is_base_of_v<Graphic, T> {
        T* first = at(0);
        auto copy = std::unique_ptr<T>(static_cast<T*>(first->clone()));
        T* raw = copy.get();
        first->surface()->adopt(std::move(copy), first);
        add(index, raw);
    }

    T& operator()(int index) const { return *at(index); }
    T* at(int index) const {
        if (index < 0 || index >= static_cast<int>(members_.size()) || !members_[index])
            Fatal(QCoreApplication::translate("tk", "添字が範囲外です: %1(%2)").arg(QLatin1String(name_)).arg(index));
        return members_[index];
    }
    int size() const { return static_cast<int>(members_.size()); }

    // Mouse events of picture arrays report the member's index.
    std::function<void(int)> MouseDown, MouseUp, Click;

private:
    void wire(int index) {
        if constexpr (std::is_same_v<T, Picture>) {
            T* m = members_[index];
            m->onMouseDown = [this, index] { if (MouseDown) MouseDown(index); };
            m->onMouseUp = [this, index] { if (MouseUp) MouseUp(index); };
            m->onClick = [this, index] { if (Click) Click(index); };
        }
    }

    const char* name_;
    std::vector<T*> members_;
};

}  // namespace tk
