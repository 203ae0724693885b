// The shapes of dialogue: a box, a script of boxes, a scene whose speaker
// changes between boxes. Both the window and the dialogue tables use them.
#pragma once

#include <QtGlobal>

#include <vector>

// One message box: its lines, top first, joined with "\n" (an empty line is
// two in a row); shown joined with "\r\n". A box is translated whole, so a
// translation breaks its own lines.
using Box = const char*;

// Boxes shown one after another, and the context they are translated in.
struct Script {
    const char* context;
    std::vector<Box> boxes;
};

// A step of a scene whose speaker changes between boxes.
struct Step {
    const char* face;  // non-null: the speaker picture changes, no box
    Box box;           // a box, when face is null
};
struct Scenario {
    const char* context;
    std::vector<Step> steps;
};

// For the tables: Kao("fce8") is a face change, Serifu(...) a box.
inline Step Kao(const char* face) { return Step{face, nullptr}; }
inline Step Serifu(Box box) { return Step{nullptr, box}; }
