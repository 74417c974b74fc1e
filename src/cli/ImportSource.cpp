#include "cli/ImportSource.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "archive/ArchiveClient.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"

namespace tarrox::cli {

namespace {

namespace fs = std::filesystem;

// A folder that holds more entries than this is not a copy of the game's files.
constexpr size_t MaxFolderEntries = 100000;
// More names than any of the game's archives holds.
constexpr size_t MaxListed = 1u << 16;

// An archived name under a folder of loose files, each part matched without regard to case as
// the archives match names.
std::optional<fs::path> FindLoose(const fs::path& root, const std::string& name) {
    fs::path at = root;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t cut = std::min(name.find('\\', start), name.size());
        const std::string part = LowerCase(name.substr(start, cut - start));
        start = cut + 1;
        std::error_code ec;
        fs::directory_iterator it(at, ec), end;
        bool found = false;
        for (size_t seen = 0; !ec && it != end && seen < MaxFolderEntries; it.increment(ec), ++seen)
            if (LowerCase(it->path().filename().string()) == part) {
                at = it->path();
                found = true;
                break;
            }
        if (!found) return std::nullopt;
    }
    return at;
}

} // namespace

Source::Source(const std::string& path) : path_(path), label_(fs::path(path).filename()) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return;
    // Import reads many of its files: the whole archive is checked once, and damage anywhere
    // in it refuses it.
    archive_ = std::make_unique<mpq::ReadArchive>(path, MpqCheckDepth::EveryFile);
}

std::string Source::Refusal() const {
    return archive_ ? DescribeMpqProblem(archive_->Refusal(), path_) : std::string();
}

Lookup Source::Read(const std::string& name, std::vector<uint8_t>& bytes) const {
    if (archive_) {
        switch (archive_->ReadFile({name, 0}, MaxGameDataFileSize, bytes)) {
        case mpq::ReadArchive::ReadStatus::Ok:
            return Lookup::Found;
        case mpq::ReadArchive::ReadStatus::Missing:
            return Lookup::Missing;
        case mpq::ReadArchive::ReadStatus::Damaged:
        case mpq::ReadArchive::ReadStatus::Refused:
            return Lookup::Damaged;
        case mpq::ReadArchive::ReadStatus::Failed:
            return Lookup::Failed;
        }
    }
    const auto loose = FindLoose(path_, name);
    if (!loose) return Lookup::Missing;
    return ReadFileBytes(loose->string(), bytes, MaxGameDataFileSize) == ReadStatus::Ok
               ? Lookup::Found
               : Lookup::Failed;
}

std::vector<std::string> Source::Listed(const std::string& nameList) const {
    std::vector<std::string> names;
    std::vector<mpq::FoundFile> found;
    if (archive_ && archive_->List(nameList, MaxListed, found))
        for (mpq::FoundFile& file : found) names.push_back(std::move(file.Name));
    return names;
}

} // namespace tarrox::cli
