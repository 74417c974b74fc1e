// A .bin file on disk to and from the document: file access around the reader and writer.
#pragma once

#include <string>

#include "document/DialogDocument.h"

namespace tarrox {

enum class MissingFile { ReadsAsEmpty, IsAnError };

// Reads the file into `out` (a fresh document). A missing file either reads as zero bytes,
// which gives one empty dialog object, or is an error. On failure `error` holds the message
// for the user: ReadFailureMessage's or the reader's own refusal.
bool LoadBinFile(const std::string& path, DialogDocument& out, std::string& error,
                 MissingFile missing = MissingFile::ReadsAsEmpty);

// Writes the compact layout over the file from offset 0 without emptying it first. False,
// with nothing written, when the writer refuses the document or the file cannot be written.
bool SaveBinFileInPlace(const std::string& path, const DialogDocument& doc);

// Replaces the file with the compact layout (see WriteFileAtomically); false as above.
bool SaveBinFileWhole(const std::string& path, const DialogDocument& doc);

} // namespace tarrox
