// Font colour tables: small 256-colour PCX images whose first 192 pixels, looked up in the
// palette, are the 24 rows of 8 colours the game colours its text with.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "preview/TextState.h"

namespace tarrox {

enum ColorSet : uint8_t { TitleScreen = 0, Glue = 1, InGame = 2, Custom = 3 };

// Decodes PCX bytes into `table`. Decoding stops at the file end and keeps only the first
// 192 pixels; palette bytes past the end read as 0. False, with `table` unchanged, when the
// bytes are too short to hold the image size.
bool DecodeColorTable(std::span<const uint8_t> bytes, ColorTableEntries& table);

// Whether the bytes are a whole 256-colour PCX image: the header of one, every pixel present
// and the palette after them. Stricter than drawing needs; importing asks it of a table
// before taking it in.
bool IsWholeColorTable(std::span<const uint8_t> bytes);

// The file a colour set is loaded from; empty for an unknown set.
std::string ColorTablePath(uint8_t set, const DataFolders& data, const std::string& customFile);

// Loads a colour set into state.ColorTable: sets 0..2 from "tfonttitle.pcx", "tfontglu.pcx"
// and "tfontgam.pcx" in `data`, set 3 from `customFile`. False, with the table unchanged,
// for an unknown set or a file that is missing or unreadable.
bool LoadColorTable(TextDrawingState& state, uint8_t set, const DataFolders& data,
                    const std::string& customFile);

} // namespace tarrox
