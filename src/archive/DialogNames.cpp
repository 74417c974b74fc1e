#include "archive/DialogNames.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "archive/ArchiveFiles.h"

namespace tarrox {

namespace {

std::string Folded(const std::string& name) {
    std::string out = name;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

void SortDialogLines(std::vector<ArchiveLine>& lines) {
    std::vector<std::pair<std::string, ArchiveLine>> keyed;
    keyed.reserve(lines.size());
    for (ArchiveLine& line : lines) keyed.emplace_back(Folded(line.Name), std::move(line));
    // Stable, so of two spellings the one the archive yielded first stays.
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second.Locale) < std::tie(b.first, b.second.Locale);
    });
    lines.clear();
    for (auto& [key, line] : keyed) {
        if (!lines.empty() && Folded(lines.back().Name) == key &&
            lines.back().Locale == line.Locale)
            continue;
        lines.push_back(std::move(line));
    }
}

} // namespace tarrox
