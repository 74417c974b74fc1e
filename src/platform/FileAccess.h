// Whole-file reads and the two ways the program writes files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarrox {

enum class ReadStatus { Ok, Missing, Failed };

// Reads the whole file. A missing file is reported apart from one that exists but cannot be
// read (a folder, no permission, an I/O error, over 2 GiB).
ReadStatus ReadFileBytes(const std::string& path, std::vector<uint8_t>& out);

// Writes `bytes` over the file from offset 0 without emptying it first, creating it when
// missing; a longer old file keeps its tail. False when the file cannot be opened or written.
bool WriteFileInPlace(const std::string& path, std::span<const uint8_t> bytes);

// Replaces the file with exactly `bytes`: written to a sibling first and renamed over the
// target, so a failed write leaves any old file as it was and no partial file behind.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

} // namespace tarrox
