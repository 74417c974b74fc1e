#include "preview/ArtCache.h"

#include <algorithm>
#include <vector>

#include "platform/FileAccess.h"
#include "platform/Gdi.h"

namespace tarrox {

namespace {

size_t DecodedBytes(const PcxImage& image) {
    return sizeof image + image.Image.Pixels.size();
}

size_t DecodedBytes(const GrpImage& image) {
    size_t bytes = sizeof image;
    for (const GrpFrame& frame : image.Frames) bytes += sizeof frame + frame.Image.Pixels.size();
    return bytes;
}

size_t DecodedBytes(const Palette& palette) {
    return sizeof palette;
}

} // namespace

std::string ArtFileName(const std::string& gameName) {
    std::string name = "art";
    size_t start = 0;
    while (start <= gameName.size()) {
        size_t end = gameName.find_first_of("\\/", start);
        if (end == std::string::npos) end = gameName.size();
        const std::string part = gameName.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find(':') != std::string::npos)
            return {};
        name += '/' + LowerCase(part);
        start = end + 1;
    }
    return name;
}

template <typename Art, typename Decode>
ArtFile<Art> ArtCache::Find(const std::string& gameName, Decode decode) {
    const std::string fileName = ArtFileName(gameName);
    // Named as the game names it, the way a modder finds it in the archive.
    std::string shown = LowerCase(gameName);
    std::replace(shown.begin(), shown.end(), '/', '\\');
    if (fileName.empty()) return {nullptr, shown + " is not a file name of the game's art."};

    const std::string& key = fileName;
    if (auto found = byKey_.find(key); found != byKey_.end()) {
        const Entry& entry = *found->second;
        if (const auto* art = std::get_if<std::shared_ptr<const Art>>(&entry.Art)) {
            used_.splice(used_.begin(), used_, found->second);
            return {*art, entry.Problem};
        }
        // The same file asked for as another kind of art: decoded again as that.
        bytes_ -= entry.Bytes;
        used_.erase(found->second);
        byKey_.erase(found);
    }

    std::vector<uint8_t> bytes;
    std::shared_ptr<const Art> art;
    std::string problem;
    switch (ReadFileBytes(folders_.File(fileName), bytes, ArtFileLimit)) {
    case ReadStatus::Missing:
        problem = shown + " is not imported.";
        break;
    case ReadStatus::TooLarge:
        problem = shown + " is larger than 4 MB.";
        break;
    case ReadStatus::Failed:
        problem = shown + " cannot be read (not a file, or not readable).";
        break;
    case ReadStatus::Ok: {
        auto decoded = std::make_shared<Art>();
        std::string error;
        if (decode(bytes, *decoded, error))
            art = std::move(decoded);
        else
            problem = shown + " cannot be drawn: " + error + ".";
    }
    }
    const size_t size = key.size() + problem.size() + (art ? DecodedBytes(*art) : 0);
    Keep({key, art, problem, size});
    return {art, problem};
}

void ArtCache::Keep(Entry entry) {
    bytes_ += entry.Bytes;
    used_.push_front(std::move(entry));
    byKey_[used_.front().Key] = used_.begin();
    // The newest entry stays even alone over the bound: its caller is about to draw it.
    while (bytes_ > byteLimit_ && used_.size() > 1) {
        bytes_ -= used_.back().Bytes;
        byKey_.erase(used_.back().Key);
        used_.pop_back();
    }
}

ArtFile<PcxImage> ArtCache::Pcx(const std::string& gameName) {
    return Find<PcxImage>(gameName, DecodePcx);
}

ArtFile<GrpImage> ArtCache::Grp(const std::string& gameName) {
    return Find<GrpImage>(gameName, DecodeGrp);
}

ArtFile<Palette> ArtCache::TilesetPalette(const std::string& gameName) {
    return Find<Palette>(gameName, DecodeWpe);
}

void ArtCache::Clear() {
    used_.clear();
    byKey_.clear();
    bytes_ = 0;
}

void ArtCache::SetFolders(DataFolders folders) {
    folders_ = std::move(folders);
    Clear();
}

} // namespace tarrox
