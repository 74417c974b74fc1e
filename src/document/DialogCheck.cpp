#include "document/DialogCheck.h"

#include <algorithm>
#include <array>

#include "document/BinFormat.h"
#include "platform/FileAccess.h"

namespace tarrox {

namespace {

// Links below 2 end a chain, as the reader takes them.
bool IsLink(int32_t value) {
    return value > 1;
}

class Walk {
  public:
    explicit Walk(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool Inside(int32_t offset, int size) const {
        return offset >= 0 && int64_t{offset} + size <= int64_t(bytes_.size());
    }
    // A string offset of 0 is "no string"; any other must start inside the file.
    bool StringInside(int32_t offset) const {
        return offset == 0 || (offset > 0 && size_t(offset) < bytes_.size());
    }
    DialogObject Object(int32_t at) const {
        return bin::DecodeObject(
            std::span<const uint8_t, bin::ObjectSize>(bytes_.data() + at, bin::ObjectSize));
    }
    SmkEntry Smk(int32_t at) const {
        return bin::DecodeSmk(
            std::span<const uint8_t, bin::SmkSize>(bytes_.data() + at, bin::SmkSize));
    }

  private:
    std::span<const uint8_t> bytes_;
};

bool ChainFits(const Walk& walk, int32_t first) {
    std::vector<int32_t> seen;
    for (int32_t s = first; IsLink(s); s = walk.Smk(s).Next) {
        if (std::find(seen.begin(), seen.end(), s) != seen.end()) return true; // loop: read once
        if (seen.size() > size_t{MaxSmks})
            return true; // the reader refuses it with its own message
        if (!walk.Inside(s, bin::SmkSize)) return false;
        seen.push_back(s);
        if (!walk.StringInside(walk.Smk(s).FileName)) return false;
    }
    return true;
}

} // namespace

bool StartsWithMpqHeader(std::span<const uint8_t> bytes) {
    return bytes.size() >= 4 && bytes[0] == 'M' && bytes[1] == 'P' && bytes[2] == 'Q' &&
           (bytes[3] == 0x1A || bytes[3] == 0x1B);
}

FileShape ShapeOfBytes(std::span<const uint8_t> bytes) {
    if (StartsWithMpqHeader(bytes)) return FileShape::MpqArchive;
    const Walk walk(bytes);
    if (!walk.Inside(0, bin::ObjectSize)) return FileShape::NotADialog;
    const DialogObject dialog = walk.Object(0);
    if (dialog.ControlType != 0 || !walk.StringInside(dialog.Text)) return FileShape::NotADialog;
    std::vector<int32_t> seen;
    for (int32_t p = dialog.SmkLink; IsLink(p); p = walk.Object(p).Next) {
        if (std::find(seen.begin(), seen.end(), p) != seen.end() ||
            seen.size() > size_t{MaxObjects})
            break;
        if (!walk.Inside(p, bin::ObjectSize)) return FileShape::NotADialog;
        seen.push_back(p);
        const DialogObject o = walk.Object(p);
        if (o.ControlType < 0 || o.ControlType >= ControlTypeCount || !walk.StringInside(o.Text) ||
            !ChainFits(walk, o.SmkLink))
            return FileShape::NotADialog;
    }
    return FileShape::Dialog;
}

FileShape ShapeOfFile(const std::string& path) {
    // An archive can be far larger than any dialog; its first bytes decide.
    if (StartsWithMpqHeader(ReadFileHead(path, 4))) return FileShape::MpqArchive;
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(path, bytes) != ReadStatus::Ok) return FileShape::Dialog;
    return ShapeOfBytes(bytes);
}

std::vector<int32_t> UnreachableSmks(const DialogDocument& doc) {
    const int32_t smks = std::clamp(doc.SmkCount, 0, MaxSmks);
    const int32_t objects = std::clamp(doc.ObjectCount, 0, MaxObjects);
    std::array<bool, MaxSmks> reached{};
    // Object 0's link field holds its first child on disk, so it reaches no SMK.
    for (int32_t i = 1; i < objects; ++i) {
        // Each step marks a new record, so a chain is at most `smks` long even when it loops.
        for (int32_t s = doc.ObjectTable[i].SmkLink; s >= 0 && s < smks && !reached[s];
             s = doc.SmkTable[s].Next)
            reached[s] = true;
    }
    std::vector<int32_t> out;
    for (int32_t k = 0; k < smks; ++k)
        if (!reached[k]) out.push_back(k);
    return out;
}

} // namespace tarrox
