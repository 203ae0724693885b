// The pictures of the folder GF, one file "<name>.bmp" each: the one list of
// them, for the generator that draws them and the game that shows them. A
// picture with words in it has one for each other language the game speaks,
// "<name>_<language>", shown in that language.
#pragma once

#include <array>

namespace pics {

inline constexpr std::array<const char*, 28> kPictureNames = {
    "stt",   "end",   "end_en", "end_zh",                            // start and end
    "fce1",  "fce2",  "fce3",  "fce4",  "fce5",  "fce6",  "fce7",    // the meals' faces
    "fce8",  "fce9",  "fce0",                                        // guide, master, bloomed
    "fce1k", "fce2k", "fce3k", "fce4k", "fce5k", "fce6k", "fce7k",   // speaking their minds
    "fce1d", "fce2d", "fce3d", "fce4d", "fce5d", "fce6d", "fce7d",   // leaving
};

}  // namespace pics
