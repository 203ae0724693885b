// What a screen reader finds in the window: the start prompt, each meal's
// face and bars, the counters, the pause and who speaks. Nothing of it is
// built, and nothing is sent, while no reader listens.
#pragma once

class Fom;

namespace a11y {

// Lets a reader find the window's own objects inside its client area.
void install();
// What the window shows may have changed: tell a listening reader now.
void changed(Fom& f);

}  // namespace a11y
