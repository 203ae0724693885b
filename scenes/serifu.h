// Dialogue of every scene as constant data, each box a source text for Qt's
// translation. The scene procedures only walk these tables; nothing here
// knows about the window.
#pragma once

#include "game/dialogue.h"

#include <array>

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
extern const Script Asa;       // "朝になりました…"
extern const Script Oshirase;  // the three-line wish notice

// Weekly meal.
extern const Script Oshokuji;  // the guide announces the meal
extern const Script Umai;      // blood above the threshold (2 lines)
extern const Script Mamaa;     // equal (1 line)
extern const Script Mazui;     // below (3 lines)
extern const Script Nigeta;    // the wished meal fled: 3 boxes (4, 1, 1 lines)

// Evaluation ceremony. The second opening box is built from the counts.
extern const Script HyoukaKaimaku;  // "これより…申し開きの儀式を開幕します…。"
extern const Script HyoukaOkotoba;  // the master's words follow
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
extern const Script Endo;              // "エンＤ"

// Dismissal: 4 boxes, the third of 4 lines with an empty third line.
extern const Script Kubi;

}  // namespace serifu
