// CodesToText accepts any typed text; stored strings survive the trip through their editable
// form.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/FormattingCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarrox;
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string stored = CodesToText(text);
    if (stored.size() > text.size()) std::abort();
    std::string noZero = text;
    for (char& c : noZero)
        if (c == 0) c = 'z';
    if (CodesToText(TextToCodes(noZero)) != noZero) std::abort();
    return 0;
}
