#include "preview/TextState.h"

#include <vector>

#include "platform/FileAccess.h"

namespace tarrox {

bool LoadTextTables(TextDrawingState& state, const DataFolders& data) {
    std::vector<uint8_t> index, widths;
    bool indexOk = ReadFileBytes(data.File("fontindex.dat"), index) == ReadStatus::Ok;
    bool widthsOk = ReadFileBytes(data.File("fontwidth.dat"), widths) == ReadStatus::Ok;
    state.CodeColorRows.fill(0);
    for (size_t i = 0; i < state.CodeColorRows.size() && i < index.size(); ++i)
        state.CodeColorRows[i] = index[i];
    state.LetterSpacing.fill(0);
    state.SpaceWidth.fill(0);
    // Slots 1..5, then slot 0 in the optional sixth pair.
    for (size_t slot = 1; slot <= SizeSlots; ++slot) {
        size_t at = (slot - 1) * 2, to = slot % SizeSlots;
        if (at < widths.size()) state.LetterSpacing[to] = widths[at];
        if (at + 1 < widths.size()) state.SpaceWidth[to] = widths[at + 1];
    }
    // Files made for five slots leave slot 0 without spaces, which runs words together.
    if (widths.size() < 12) {
        state.LetterSpacing[0] = state.LetterSpacing[1];
        state.SpaceWidth[0] = state.SpaceWidth[1];
    }
    return indexOk && widthsOk && index.size() >= 32 && widths.size() >= 10;
}

} // namespace tarrox
