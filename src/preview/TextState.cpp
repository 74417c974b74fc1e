#include "preview/TextState.h"

#include <vector>

#include "platform/FileAccess.h"

namespace tarrox {

bool LoadTextTables(TextDrawingState& state, const std::string& dataDir) {
    std::vector<uint8_t> index, widths;
    bool indexOk = ReadFileBytes(dataDir + "/fontindex.dat", index) == ReadStatus::Ok;
    bool widthsOk = ReadFileBytes(dataDir + "/fontwidth.dat", widths) == ReadStatus::Ok;
    state.CodeColorRows.fill(0);
    for (size_t i = 0; i < state.CodeColorRows.size() && i < index.size(); ++i)
        state.CodeColorRows[i] = index[i];
    state.LetterSpacing.fill(0);
    state.SpaceWidth.fill(0);
    for (size_t slot = 1; slot < SizeSlots; ++slot) {
        size_t at = (slot - 1) * 2;
        if (at < widths.size()) state.LetterSpacing[slot] = widths[at];
        if (at + 1 < widths.size()) state.SpaceWidth[slot] = widths[at + 1];
    }
    return indexOk && widthsOk && index.size() >= 32 && widths.size() >= 10;
}

} // namespace tarrox
