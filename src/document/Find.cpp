#include "document/Find.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "document/FormattingCodes.h"

namespace tarrox {

namespace {

// Lower case for ASCII and the Latin-1 letters À..Þ (but not ×).
std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
            c = static_cast<char>(u + 32);
    }
    return out;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

int32_t FindObject(const DialogDocument& doc, std::string_view query, int32_t start) {
    query = Trimmed(query);
    const int32_t count = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    if (query.empty() || count == 0) return -1;
    const std::string wanted = Lowered(query);
    int32_t id = 0;
    const auto [end, error] = std::from_chars(query.data(), query.data() + query.size(), id);
    const bool isNumber = error == std::errc() && end == query.data() + query.size();
    static const auto typeNames = SplitControlTypeNames();
    if (start < 0 || start >= count) start = count - 1;
    for (int32_t step = 1; step <= count; ++step) {
        const int32_t i = (start + step) % count;
        const DialogObject& o = doc.ObjectTable[i];
        if (isNumber && o.ControlId == id) return i;
        const bool hasText = o.Text >= 0 && o.Text < std::min(doc.StringCount, MaxStrings);
        if (hasText &&
            Lowered(TextToCodes(doc.StringTable[o.Text])).find(wanted) != std::string::npos)
            return i;
        if (Lowered(ControlTypeName(typeNames, o.ControlType)).find(wanted) != std::string::npos)
            return i;
    }
    return -1;
}

} // namespace tarrox
