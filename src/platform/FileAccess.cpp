#include "platform/FileAccess.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tarrox {

namespace {

// Offsets in a .bin are signed 32-bit; no file the program reads is anywhere near 2 GiB.
constexpr uintmax_t MaxReadSize = uintmax_t{1} << 31;

bool WriteAllAndClose(std::FILE* f, std::span<const uint8_t> bytes) {
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    return std::fclose(f) == 0 && ok;
}

} // namespace

ReadStatus ReadFileBytes(const std::string& path, std::vector<uint8_t>& out) {
    out.clear();
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return ReadStatus::Missing;
    if (ec || std::filesystem::is_directory(status)) return ReadStatus::Failed;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ReadStatus::Failed;
    uint8_t buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0 && out.size() <= MaxReadSize)
        out.insert(out.end(), buffer, buffer + got);
    // A file cut short would read as a different one; too large is a failure, not a prefix.
    bool failed = std::ferror(f) != 0 || out.size() > MaxReadSize;
    std::fclose(f);
    if (failed) {
        out.clear();
        return ReadStatus::Failed;
    }
    return ReadStatus::Ok;
}

bool WriteFileInPlace(const std::string& path, std::span<const uint8_t> bytes) {
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec) || ec) return false;
        f = std::fopen(path.c_str(), "wb");
    }
    if (!f) return false;
    return WriteAllAndClose(f, bytes);
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    const std::string temp = path + ".tarrox-new";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    if (!WriteAllAndClose(f, bytes)) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace tarrox
