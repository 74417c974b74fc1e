// .bin bytes laid out by hand, records and strings at any offset; documents built tersely.
#pragma once

#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "document/BinFormat.h"

namespace tarrox::test {

class BinBuilder {
  public:
    // `next`, `text` and `link` (field 66) are raw file values.
    BinBuilder& Object(int32_t at, int32_t next, int32_t text, int32_t link,
                       DialogObject fields = {}) {
        fields.Next = next, fields.Text = text, fields.SmkLink = link;
        bin::EncodeObject(fields, Reserve<bin::ObjectSize>(at));
        return *this;
    }
    BinBuilder& Smk(int32_t at, int32_t next, int32_t fileName, SmkEntry fields = {}) {
        fields.Next = next, fields.FileName = fileName;
        bin::EncodeSmk(fields, Reserve<bin::SmkSize>(at));
        return *this;
    }
    BinBuilder& String(int32_t at, const std::string& s) {
        std::copy(s.c_str(), s.c_str() + s.size() + 1, Reserve(at, s.size() + 1).begin());
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  private:
    template <size_t N = std::dynamic_extent>
    std::span<uint8_t, N> Reserve(int32_t at, size_t size = N) {
        if (bytes_.size() < at + size) bytes_.resize(at + size);
        return std::span<uint8_t, N>(bytes_.data() + at, size);
    }
    std::vector<uint8_t> bytes_;
};

// Objects {at, next, text, link}, SMKs {at, next, name} and strings {at, text}: raw file values.
inline std::vector<uint8_t> Layout(const std::vector<std::array<int32_t, 4>>& objects,
                                   const std::vector<std::array<int32_t, 3>>& smks = {},
                                   const std::vector<std::pair<int32_t, std::string>>& texts = {}) {
    BinBuilder b;
    for (auto [at, next, text, link] : objects) b.Object(at, next, text, link);
    for (auto [at, next, name] : smks) b.Smk(at, next, name);
    for (const auto& [at, text] : texts) b.String(at, text);
    return b.Bytes();
}

// Objects and SMKs with the given links, named "o0".., "s0"..; `text` gives each one's string.
inline DialogDocument MakeDocument(const std::vector<int32_t>& links,
                                   const std::vector<int32_t>& nexts,
                                   std::vector<int32_t> text = {}) {
    DialogDocument d;
    d.ObjectCount = int32_t(links.size()), d.SmkCount = int32_t(nexts.size());
    d.StringCount = d.ObjectCount + d.SmkCount;
    for (int32_t r = int32_t(text.size()); r < d.StringCount; ++r) text.push_back(r);
    for (int32_t r = 0; r < d.StringCount; ++r) {
        const bool object = r < d.ObjectCount;
        d.StringTable[text[r]] =
            std::string(object ? "o" : "s").append(std::to_string(object ? r : r - d.ObjectCount));
        if (object)
            d.ObjectTable[r] = {.Text = text[r], .SmkLink = links[r]};
        else
            d.SmkTable[r - d.ObjectCount] = {.Next = nexts[r - d.ObjectCount], .FileName = text[r]};
    }
    return d;
}

// Puts the object over the box, its response and text areas over all of it, as buttons have.
inline void Place(DialogObject& o, int16_t left, int16_t top, int16_t width, int16_t height) {
    o.Left = left, o.Top = top, o.Width = width, o.Height = height;
    o.Right = int16_t(left + width - 1), o.Bottom = int16_t(top + height - 1);
    o.ResponseLeft = o.ResponseTop = o.TextLeft = o.TextTop = 0;
    o.ResponseRight = o.TextRight = int16_t(width - 1);
    o.ResponseBottom = o.TextBottom = int16_t(height - 1);
}

// A visible object of `type` placed over the box.
inline DialogObject Box(int16_t left, int16_t top, int16_t width, int16_t height,
                        int32_t type = 2) {
    DialogObject o{.Flags = FlagMask(VisibleBit), .ControlType = type};
    Place(o, left, top, width, height);
    return o;
}

// Object 1 links SMK 0, which chains to SMK 1; objects 2 and 3 link SMKs 2 and 1. Strings in
// reading order, not table order, as a read file has them.
inline DialogDocument LinkedSample() {
    return MakeDocument({-1, 0, 2, 1}, {1, -1, -1}, {0, 1, 4, 6, 2, 3, 5});
}

// One line: each object's string number/SMK link | each SMK's string number/next | strings.
inline std::string Summary(const DialogDocument& d) {
    auto pair = [](int32_t a, int32_t b) { return std::to_string(a) + "/" + std::to_string(b); };
    std::string out;
    for (int32_t i = 0; i < d.ObjectCount; ++i)
        out += pair(d.ObjectTable[i].Text, d.ObjectTable[i].SmkLink) + " ";
    out += "|";
    for (int32_t k = 0; k < d.SmkCount; ++k)
        out.append(" ").append(pair(d.SmkTable[k].FileName, d.SmkTable[k].Next));
    out += " |";
    for (int32_t s = 0; s < d.StringCount; ++s) out += (s ? "," : " ") + d.StringTable[s];
    return out;
}

} // namespace tarrox::test
