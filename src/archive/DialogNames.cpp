#include "archive/DialogNames.h"

#include <algorithm>
#include <tuple>

#include "archive/ArchiveFiles.h"
#include "platform/Gdi.h"

namespace tarrox {

void SortDialogLines(std::vector<ArchiveLine>& lines) {
    std::vector<std::pair<std::string, ArchiveLine>> keyed;
    keyed.reserve(lines.size());
    for (ArchiveLine& line : lines) keyed.emplace_back(LowerCase(line.Name), std::move(line));
    // Stable, so of two spellings the one the archive yielded first stays.
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second.Locale) < std::tie(b.first, b.second.Locale);
    });
    lines.clear();
    for (auto& [key, line] : keyed) {
        if (!lines.empty() && LowerCase(lines.back().Name) == key &&
            lines.back().Locale == line.Locale)
            continue;
        lines.push_back(std::move(line));
    }
}

} // namespace tarrox
