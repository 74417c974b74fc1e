// The order of the archive browser's lines.
#pragma once

#include <vector>

namespace tarrox {

struct ArchiveLine;

// Sorts by name ignoring case, then by locale, and keeps one line of each (name, locale):
// archive look-ups ignore case, so names that differ only in case are the same file.
void SortDialogLines(std::vector<ArchiveLine>& lines);

} // namespace tarrox
