// Archives made straight with StormLib, for shapes smpq cannot make: no (listfile), or a
// hash table of a chosen size.
#pragma once

#include "support/SmpqArchive.h"

namespace tarrox::test {

bool MakeLibraryArchive(const std::string& path, const std::vector<StoredFile>& files,
                        bool withListfile, uint32_t maxFiles);

} // namespace tarrox::test
