// Writes a document as the compact .bin layout: all objects, then all SMK records, then the
// non-empty strings, each once per record that owns it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/DialogDocument.h"

namespace tarrox {

inline constexpr const char* TextTooLargeToSave =
    "Error: The dialog's texts come to more than 8 MB; it cannot be saved.";

// The file's bytes, or nothing when the records' strings, one copy per record, come to more
// than bin::MaxStringBytes: such a file would not read back. The document is not changed.
[[nodiscard]] std::optional<std::vector<uint8_t>> WriteBinDocument(const DialogDocument& doc);

} // namespace tarrox
