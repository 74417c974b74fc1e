// Builders for preview tests: .fnt bytes laid out by hand, small dialogs, and the bundled
// game data of the source tree.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "document/DialogDocument.h"
#include "preview/SCFontRender.h"

namespace tarrox::test {

struct TestLetter {
    uint8_t Width = 0, Height = 0, XOffset = 1, YOffset = 1;
    std::vector<uint8_t> Pixels;
};

// Letters are written in code order right after the offset table; Offset() overrides a
// code's table entry with a raw value.
class FontBuilder {
  public:
    FontBuilder(uint8_t low, uint8_t high, uint8_t maxHeight)
        : low_(low), high_(high), height_(maxHeight) {}
    FontBuilder& Letter(uint8_t code, TestLetter letter) {
        letters_[code] = std::move(letter);
        return *this;
    }
    FontBuilder& Offset(uint8_t code, int32_t raw) {
        raw_[code] = raw;
        return *this;
    }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> out = {'F', 'O', 'N', 'T', low_, high_, 0, height_, 0, 0, 0, 0};
        const size_t table = out.size();
        out.resize(table + 4 * size_t(std::max(high_ - low_, 0)));
        for (auto& [code, l] : letters_) {
            if (code > low_ && code <= high_)
                Put(out, table + 4 * (code - low_ - 1), uint32_t(out.size()));
            out.insert(out.end(), {l.Width, l.Height, l.XOffset, l.YOffset});
            out.insert(out.end(), l.Pixels.begin(), l.Pixels.end());
        }
        for (auto [code, raw] : raw_) Put(out, table + 4 * (code - low_ - 1), uint32_t(raw));
        return out;
    }
    GameFont Load() const {
        GameFont font;
        LoadGameFont(Bytes(), font);
        return font;
    }

  private:
    static void Put(std::vector<uint8_t>& out, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
    }
    uint8_t low_, high_, height_;
    std::map<uint8_t, TestLetter> letters_;
    std::map<uint8_t, int32_t> raw_;
};

// A dialog whose object 0 is a dialog box at (left, top); Add() appends controls.
class DialogBuilder {
  public:
    DialogBuilder(int16_t left, int16_t top, int16_t width, int16_t height) {
        Add(0, left, top, width, height);
    }
    DialogBuilder& Add(int32_t type, int16_t left, int16_t top, int16_t width, int16_t height,
                       const std::string& text = "", int32_t flags = 0) {
        int i = doc_.ObjectCount++;
        DialogObject& o = doc_.ObjectTable[i];
        o.ControlType = type;
        o.Left = left;
        o.Top = top;
        o.Width = width;
        o.Height = height;
        o.Right = int16_t(left + width - 1);
        o.Bottom = int16_t(top + height - 1);
        o.Flags = flags;
        o.Text = i;
        o.SmkLink = -1;
        doc_.StringTable[i] = text;
        doc_.StringCount = doc_.ObjectCount;
        return *this;
    }
    DialogObject& Last() { return doc_.ObjectTable[doc_.ObjectCount - 1]; }
    const DialogDocument& Doc() const { return doc_; }

  private:
    DialogDocument doc_;
};

inline int32_t Bit(int bit) {
    return int32_t(uint32_t{1} << bit);
}

inline std::string SourceData() {
    return std::string(TARROX_SOURCE_DIR) + "/data";
}
inline std::string GoldenDir() {
    return std::string(TARROX_SOURCE_DIR) + "/tests/data/golden";
}

} // namespace tarrox::test
