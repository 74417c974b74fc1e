// Checks that guard the editor's own files: whether bytes are a dialog at all, and which SMK
// records a save would drop because nothing links them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/DialogDocument.h"

namespace tarrox {

// "MPQ\x1A" (archive) or "MPQ\x1B" (user-data header) at offset 0.
bool StartsWithMpqHeader(std::span<const uint8_t> bytes);

enum class FileShape { Dialog, MpqArchive, NotADialog };

// Every dialog has object 0 of control type 0, every record it reaches of a known control type,
// and every followed link and string offset inside the file. A file too short for object 0,
// an empty one too, holds no dialog: it reads as an empty one, but the user is told.
FileShape ShapeOfBytes(std::span<const uint8_t> bytes);
// The file's shape; a file that is missing or cannot be read counts as a dialog, so opening
// it behaves and reports as before.
FileShape ShapeOfFile(const std::string& path);

// The SMK records no object reaches, in table order. The writer stores SMKs only along the
// objects' links and the SMKs' next links, so these are lost on save.
std::vector<int32_t> UnreachableSmks(const DialogDocument& doc);

} // namespace tarrox
