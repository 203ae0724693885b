// Dialogue of every scene as constant data. The scene procedures only walk
// these tables; nothing here knows about the window.
#pragma once

#include <array>
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

namespace serifu {

// Introduction: 23 boxes; box 3 (index 2) is the Yes/No question, boxes 4-18
// (indexes 3-17) the explanation skipped on Yes.
extern const Script Setumei;
inline constexpr int SetumeiShitsumon = 2;
inline constexpr int SetumeiKaisetsuFirst = 3;
inline constexpr int SetumeiKaisetsuLast = 17;

// Monologue and farewell of each meal, by meal index.
extern const std::array<Script, 7> Hitorigoto;
extern const std::array<Script, 7> Tousou;

// Morning notice.
extern const Box Asa;          // "朝になりました…"
extern const Box Oshirase;     // the three-line wish notice

// Weekly meal.
extern const Box Oshokuji;     // the guide announces the meal
extern const Box Umai;         // blood above the threshold (2 lines)
extern const Box Mamaa;        // equal (1 line)
extern const Box Mazui;        // below (3 lines)
extern const Script Nigeta;    // the wished meal fled: 3 boxes (4, 1, 1 lines)

// Evaluation ceremony. The second opening box is built from the counts.
extern const Box HyoukaKaimaku;   // "これより…申し開きの儀式を開幕します…。"
extern const Box HyoukaOkotoba;   // the master's words follow
extern const Scenario Kaika;           // bloom
extern const Scenario Kiniitta;        // liked
extern const Scenario Zankoku;         // liked for cruelty
extern const Scenario UeShime;         // high-group closing
extern const Scenario Hyouban;         // kept on, reputation excellent
extern const Scenario Akuhyou;         // kept on, reputation bad
extern const Scenario NakaShime;       // middle-group closing
extern const Scenario Amai;            // too soft, disqualified
extern const Scenario Dame;            // no good at all
extern const Scenario ShitaShime;      // low-group closing
extern const Box Endo;                 // "エンＤ"

// Dismissal: 4 boxes, the third of 4 lines with an empty third line.
extern const Script Kubi;

}  // namespace serifu
