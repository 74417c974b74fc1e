// The two windows that only show game text: the formatting-codes card and the about text with
// its "Close" box, drawn onto surfaces in the game fonts.
#pragma once

#include <string>

#include "preview/SCFontRender.h"

namespace tarrox {

class Surface;

inline constexpr int CodesCardWidth = 448;
inline constexpr int CodesCardHeight = 408;

// Each drawing below works on its own copy of the text state, loading the colour sets it
// draws in, so the caller's colours never change.

// Draws the six blocks of the card with font10, in the title-screen, glue, in-game and (when
// `customExists`) custom colours.
void DrawCodesCard(Surface& surface, const GameFont& font, TextDrawingState text,
                   const DataFolders& data, const std::string& customFile, bool customExists);

inline constexpr int AboutWidth = 312;
inline constexpr int AboutHeight = 176;
inline constexpr int CloseBoxX = 112;
inline constexpr int CloseBoxY = 144;
inline constexpr int CloseBoxWidth = 81;
inline constexpr int CloseBoxHeight = 25;

struct AboutFonts {
    GameFont Title;  // font32
    GameFont Middle; // font16
    GameFont Small;  // font10
};

void LoadAboutFonts(AboutFonts& fonts, const DataFolders& data);
void CloseAboutFonts(AboutFonts& fonts);

// The name, `version` and credits in the in-game colours.
void DrawAboutText(Surface& surface, const AboutFonts& fonts, TextDrawingState text,
                   const DataFolders& data, const std::string& version);

inline constexpr uint32_t CloseBoxRestColor = 0x000078; // 120, 0, 0
inline constexpr uint32_t CloseBoxLitColor = 0x0010FC;  // 252, 16, 0

// The "Close" box at rest or under the mouse, in the glue colours: each state covers the same
// pixels, so drawing one over the other needs no clearing.
void DrawCloseBox(Surface& box, const GameFont& middle, TextDrawingState text,
                  const DataFolders& data, bool lit);

} // namespace tarrox
