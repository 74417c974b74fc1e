// The game's art as the art view asks for it: found by its name in the game's archives among
// the data folders (`art/glue/palcs/backgnd.pcx` for `glue\PalCs\backgnd.pcx`), decoded once
// and kept while it fits a memory bound, the least recently used going first.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>

#include "platform/DataFolders.h"
#include "preview/GrpImage.h"
#include "preview/Palette.h"
#include "preview/PcxImage.h"

namespace tarrox {

// The largest art file read; the game's are below 1 MB.
inline constexpr uint64_t ArtFileLimit = uint64_t{4} << 20;

// A game name (any case, '\' or '/' between folders) as a file under the data folders:
// "art/" and the lower-case name with '/'. Empty for a name that could point outside the art
// folder (an empty, "." or ".." part, a drive letter) — dialogs are untrusted.
std::string ArtFileName(const std::string& gameName);

template <typename T> struct ArtFile {
    std::shared_ptr<const T> Art; // null when missing or damaged
    // Empty when found; else a sentence naming the file in the game's form:
    // "glue\campaign\pbotl.pcx is not imported." Missing art is never an error: the view shows
    // this and draws what it can.
    std::string Problem;
};

class ArtCache {
  public:
    static constexpr size_t DefaultByteLimit = size_t{64} << 20;

    explicit ArtCache(DataFolders folders, size_t byteLimit = DefaultByteLimit)
        : folders_(std::move(folders)), byteLimit_(byteLimit) {}

    ArtFile<PcxImage> Pcx(const std::string& gameName);
    ArtFile<GrpImage> Grp(const std::string& gameName);
    ArtFile<Palette> TilesetPalette(const std::string& gameName); // a tileset's .wpe

    // Forgets everything, missing files too: after an import, or another set of folders.
    void Clear();
    void SetFolders(DataFolders folders);
    size_t Bytes() const { return bytes_; }

  private:
    using AnyArt = std::variant<std::shared_ptr<const PcxImage>, std::shared_ptr<const GrpImage>,
                                std::shared_ptr<const Palette>>;
    struct Entry {
        std::string Key;
        AnyArt Art;
        std::string Problem;
        size_t Bytes;
    };
    template <typename Art, typename Decode>
    ArtFile<Art> Find(const std::string& gameName, Decode decode);
    void Keep(Entry entry);

    DataFolders folders_;
    size_t byteLimit_;
    size_t bytes_ = 0;
    std::list<Entry> used_; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> byKey_;
};

} // namespace tarrox
