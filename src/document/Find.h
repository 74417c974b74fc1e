// Finding objects by what the object list shows of them.
#pragma once

#include <cstdint>
#include <string_view>

#include "document/DialogDocument.h"

namespace tarrox {

// The first object after `start` (wrapping round, `start` itself last) that matches `query`:
// its text as shown with <N> codes, or its control type's name, contains the query ignoring
// case; or the query is a whole number equal to its control id. The query is in the strings'
// own bytes (Latin-1), surrounding spaces ignored. -1 when none matches or the query is empty.
int32_t FindObject(const DialogDocument& doc, std::string_view query, int32_t start);

} // namespace tarrox
