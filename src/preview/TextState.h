// The state every game-text drawing reads: the font colours, the colour row of each
// formatting code and the spacing of each size slot. One instance for the whole program,
// handed by reference to whoever draws text.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/DataFolders.h"

namespace tarrox {

inline constexpr int ColorRows = 24;
inline constexpr int ColorsPerRow = 8;
inline constexpr int SizeSlots = 6;

using ColorTableEntries = std::array<uint32_t, ColorRows * ColorsPerRow>;

struct TextDrawingState {
    // 24 rows of 8 colours (0x00BBGGRR); row r, colour index v is entry r * 8 + v.
    ColorTableEntries ColorTable{};
    // The ColorTable row each formatting code 0..31 selects; codes 11 and 20 draw nothing.
    std::array<uint8_t, 32> CodeColorRows{};
    // Extra pixels after each letter and the pen advance of a space or tab, by size slot.
    std::array<uint8_t, SizeSlots> LetterSpacing{};
    std::array<uint8_t, SizeSlots> SpaceWidth{};
    uint8_t TextSizeSlot = 0;

    // Out-of-range table values fall back to row 0 and slot 0 rather than reading past the
    // tables.
    int RowOfCode(uint8_t code) const {
        uint8_t row = code < CodeColorRows.size() ? CodeColorRows[code] : 0;
        return row < ColorRows ? row : 0;
    }
    int Slot() const { return TextSizeSlot < SizeSlots ? TextSizeSlot : 0; }
    int Spacing() const { return LetterSpacing[Slot()]; }
    int Space() const { return SpaceWidth[Slot()]; }
};

// Fills CodeColorRows from "fontindex.dat" (32 bytes) and LetterSpacing and SpaceWidth from
// "fontwidth.dat": slots 1..5 in five pairs, then slot 0 in an optional sixth pair that
// defaults to slot 1's values. Bytes a short or missing file lacks stay 0. False when either
// file could not be read whole.
bool LoadTextTables(TextDrawingState& state, const DataFolders& data);

} // namespace tarrox
