// Reads .bin bytes into a document. The file format has no header: records and strings are
// found by following offsets from the dialog record at offset 0.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/DialogDocument.h"

namespace tarrox {

// Parses `bytes` into the tables and counts of `out`, which should be a fresh document so a
// refused file leaves the open one untouched. Returns false and sets `error` (a message for
// the user, starting "Error: ") when the file holds more records than the tables do, or when
// its records' strings, one copy per record, come to more than bin::MaxStringBytes.
bool ReadBinDocument(std::span<const uint8_t> bytes, DialogDocument& out, std::string& error);

// The NUL-terminated string at `offset`; empty for 0, a negative offset or one past the end.
std::string GetString(std::span<const uint8_t> bytes, int32_t offset);

} // namespace tarrox
