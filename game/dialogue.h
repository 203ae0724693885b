// The shapes of dialogue: one box, a script of boxes, a step that may change
// the speaker. Both the window and the dialogue tables use them.
#pragma once

#include <utility>
#include <vector>

// One message box: its lines, top first. Shown joined with "\r\n".
// An empty string is an empty line.
using Box = std::vector<const char*>;

// A scene's boxes, in the order they are shown.
using Script = std::vector<Box>;

// A step of a scene whose speaker changes between boxes.
struct Step {
    const char* face;  // non-null: the speaker picture changes, no box
    Box lines;         // a box, when face is null
};
using Scenario = std::vector<Step>;

// Convenience for the tables: Kao("fce8") is a face change, Serifu({...}) a box.
inline Step Kao(const char* face) { return Step{face, {}}; }
inline Step Serifu(Box lines) { return Step{nullptr, std::move(lines)}; }
