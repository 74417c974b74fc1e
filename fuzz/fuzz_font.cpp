// Any bytes loaded as a game font and as a colour table, then used to draw and measure text
// full of formatting codes, must stay inside their buffers and end.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/SCFontRender.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarrox;
    static Surface surface;
    static GameFont font;
    std::span<const uint8_t> bytes(data, size);
    TextDrawingState state;
    DecodeColorTable(bytes, state.ColorTable);
    for (size_t i = 0; i < state.CodeColorRows.size() && i < size; ++i)
        state.CodeColorRows[i] = data[i];
    state.LetterSpacing = {0, 1, 2, 3, 255, 7};
    state.SpaceWidth = {0, 4, 5, 6, 255, 9};
    state.TextSizeSlot = size > 0 ? data[size - 1] % 8 : 0;

    if (LoadGameFont(bytes, font)) {
        for (int code = 0; code < 256; ++code)
            if (font.Offsets[code] >= 0 && (font.Offsets[code] < 12 || font.PixelEnds[code] > size))
                std::abort();
    }
    // Every byte value once, codes 18 and 19 in front, then the input itself as text.
    std::string text = "\x13\x12";
    for (int b = 1; b < 256; ++b) text += char(b);
    DrawGameText(surface, font, state, 3, 5, text, 640);
    DrawGameText(surface, font, state, -20, 470,
                 std::string(reinterpret_cast<const char*>(data), std::min<size_t>(size, 4096)),
                 size);
    MeasureGameLine(font, state, text);
    return 0;
}
