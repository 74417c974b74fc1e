#include "document/BinWriter.h"

#include <algorithm>

#include "document/BinFormat.h"

namespace tarrox {

std::optional<std::vector<uint8_t>> WriteBinDocument(const DialogDocument& doc) {
    // Counts outside the tables would only come from a broken document; never read past them.
    const int32_t objects = std::clamp(doc.ObjectCount, 1, MaxObjects);
    const int32_t smks = std::clamp(doc.SmkCount, 0, MaxSmks);
    const int32_t objEnd = objects * bin::ObjectSize;
    const int32_t recordsEnd = objEnd + smks * bin::SmkSize;

    auto text = [&](int32_t number) -> const std::string* {
        if (number < 0 || number >= MaxStrings || doc.StringTable[number].empty()) return nullptr;
        return &doc.StringTable[number];
    };
    int64_t textBytes = 0;
    for (int32_t i = 0; i < objects + smks; ++i) {
        const std::string* s =
            text(i < objects ? doc.ObjectTable[i].Text : doc.SmkTable[i - objects].FileName);
        textBytes += s ? static_cast<int64_t>(s->size()) : 0;
    }
    if (textBytes > bin::MaxStringBytes) return std::nullopt;

    std::vector<uint8_t> out(static_cast<size_t>(recordsEnd));
    out.reserve(out.size() + static_cast<size_t>(textBytes) + MaxStrings);

    // Appends the record's string to the string region and returns its offset (0 when empty).
    // Each record writes its own copy, so records never share a string on disk.
    auto placeString = [&](int32_t number) -> int32_t {
        const std::string* found = text(number);
        if (!found) return 0;
        const std::string& s = *found;
        auto offset = static_cast<int32_t>(out.size());
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
        return offset;
    };
    // A link that names no record of the table would point into the strings; end it instead.
    auto smkOffset = [&](int32_t index) -> int32_t {
        return index >= 0 && index < smks ? objEnd + index * bin::SmkSize : 0;
    };

    for (int32_t i = 0; i < objects; ++i) {
        DialogObject o = doc.ObjectTable[i];
        if (i == 0) {
            o.Next = 0;
            o.SmkLink = objects > 1 ? bin::ObjectSize : 0; // the first child
        } else {
            o.Next = i + 1 < objects ? (i + 1) * bin::ObjectSize : 0;
            o.SmkLink = smkOffset(o.SmkLink);
        }
        o.Text = placeString(o.Text);
        bin::EncodeObject(o, std::span<uint8_t, bin::ObjectSize>(out.data() + i * bin::ObjectSize,
                                                                 bin::ObjectSize));
    }
    for (int32_t k = 0; k < smks; ++k) {
        SmkEntry s = doc.SmkTable[k];
        s.Next = smkOffset(s.Next);
        s.FileName = placeString(s.FileName);
        bin::EncodeSmk(s, std::span<uint8_t, bin::SmkSize>(out.data() + objEnd + k * bin::SmkSize,
                                                           bin::SmkSize));
    }
    return out;
}

} // namespace tarrox
