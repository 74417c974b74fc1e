// Writes a document as the compact .bin layout: all objects, then all SMK records, then the
// non-empty strings, each once per record that owns it.
#pragma once

#include <cstdint>
#include <vector>

#include "document/DialogDocument.h"

namespace tarrox {

// The file's bytes. The document is not changed.
std::vector<uint8_t> WriteBinDocument(const DialogDocument& doc);

} // namespace tarrox
