#include "document/FormattingCodes.h"

namespace tarrox {

std::string TextToCodes(const std::string& stored) {
    std::string out;
    out.reserve(stored.size());
    for (char ch : stored) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '<' || c == '>' || (c >= 1 && c <= 31)) {
            out += '<';
            out += std::to_string(c);
            out += '>';
        } else {
            out += ch;
        }
    }
    return out;
}

std::string CodesToText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        if (text[i] == '<') {
            size_t digits = 0;
            int value = 0;
            while (digits < 3 && i + 1 + digits < size && text[i + 1 + digits] >= '0' &&
                   text[i + 1 + digits] <= '9') {
                value = value * 10 + (text[i + 1 + digits] - '0');
                ++digits;
            }
            const size_t close = i + 1 + digits;
            if (digits > 0 && close < size && text[close] == '>' && text[i + 1] != '0' &&
                value <= 255) {
                out += static_cast<char>(value);
                i = close;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace tarrox
