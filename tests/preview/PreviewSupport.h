// Builders for preview tests: .fnt bytes laid out by hand, small dialogs, the bundled data.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "document/DialogDocument.h"
#include "document/FormattingCodes.h"
#include "preview/SCFontRender.h"

namespace tarrox::test {

struct TestLetter {
    uint8_t Width = 0, Height = 0, XOffset = 1, YOffset = 1;
    std::vector<uint8_t> Pixels;
};

// Letters follow the offset table in code order; `raw` overrides table entries.
inline std::vector<uint8_t> FontBytes(uint8_t low, uint8_t high, uint8_t maxHeight,
                                      const std::map<uint8_t, TestLetter>& letters,
                                      const std::map<uint8_t, int32_t>& raw = {}) {
    std::vector<uint8_t> out = {'F', 'O', 'N', 'T', low, high, 0, maxHeight, 0, 0, 0, 0};
    out.resize(12 + 4 * size_t(std::max(high - low, 0)));
    auto put = [&](uint8_t code, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[12 + 4 * (code - low - 1) + i] = uint8_t(v >> (8 * i));
    };
    for (auto& [code, l] : letters) {
        put(code, uint32_t(out.size()));
        out.insert(out.end(), {l.Width, l.Height, l.XOffset, l.YOffset});
        out.insert(out.end(), l.Pixels.begin(), l.Pixels.end());
    }
    for (auto [code, v] : raw) put(code, uint32_t(v));
    return out;
}

inline GameFont LoadFont(const std::vector<uint8_t>& bytes) {
    GameFont font;
    LoadGameFont(bytes, font);
    return font;
}

// A dialog whose object 0 is a dialog box; Add() appends controls, each with its own string.
struct DialogBuilder {
    DialogDocument Doc;
    DialogBuilder(int16_t left, int16_t top, int16_t width, int16_t height) {
        Add(0, left, top, width, height);
    }
    DialogBuilder& Add(int32_t type, int16_t left, int16_t top, int16_t width, int16_t height,
                       const std::string& text = "",
                       std::initializer_list<ObjectFlagBit> bits = {}) {
        DialogObject& o = Doc.ObjectTable[Doc.ObjectCount] = {};
        o.ControlType = type, o.Left = left, o.Top = top, o.Width = width, o.Height = height;
        o.Right = int16_t(left + width - 1), o.Bottom = int16_t(top + height - 1);
        for (ObjectFlagBit b : bits) o.Flags |= FlagMask(b);
        o.Text = Doc.ObjectCount, o.SmkLink = -1;
        Doc.StringTable[Doc.ObjectCount] = text;
        Doc.StringCount = ++Doc.ObjectCount;
        return *this;
    }
    DialogObject& Last() { return Doc.ObjectTable[Doc.ObjectCount - 1]; }
};

inline std::string SourceData() {
    return std::string(TARROX_SOURCE_DIR) + "/data";
}
} // namespace tarrox::test
