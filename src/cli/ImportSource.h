// Where import-data takes the game's files from: an archive, or a folder of loose files laid out
// as the archives name them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/Mpq.h"

namespace tarrox::cli {

// The game's largest font is about 100 KB, its backgrounds about 300 KB.
inline constexpr uint32_t MaxGameDataFileSize = 4u << 20;

enum class Lookup { Found, Missing, Damaged, Failed };

class Source {
  public:
    explicit Source(const std::string& path);
    bool Usable() const { return !archive_ || archive_->IsOpen(); }
    // Why an archive could not be used, in a user's words; empty when not known.
    std::string Refusal() const;
    const std::string& Path() const { return path_; }
    const std::string& Label() const { return label_; }

    // One file by its archived name (folders split by '\'), at most MaxGameDataFileSize bytes.
    Lookup Read(const std::string& name, std::vector<uint8_t>& bytes) const;
    // The names an archive lists, with the help of `nameList`; nothing for a folder.
    std::vector<std::string> Listed(const std::string& nameList) const;

  private:
    std::string path_, label_;
    std::unique_ptr<mpq::ReadArchive> archive_;
};

using Sources = std::vector<std::unique_ptr<Source>>;

// How many art files came from each source (in the sources' order), and whether writing one
// failed. Damaged or unusable copies are reported on stdout as they are met.
struct ArtImported {
    std::vector<int> PerSource;
    bool WriteFailed = false;
};

// Copies the art the preview draws into `to`/art/, named as the archives name it in lower case
// with '/' between folders; the first source that holds a usable copy gives it.
ArtImported ImportArt(const Sources& sources, const std::string& to);

} // namespace tarrox::cli
