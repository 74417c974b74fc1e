#include "preview/ColorTables.h"

#include <algorithm>
#include <vector>

#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "preview/PcxImage.h"

namespace tarrox {

namespace {

constexpr size_t PcxSizeFields = 14;
constexpr size_t PcxDataStart = 128;
constexpr size_t TableEntries = std::tuple_size_v<ColorTableEntries>;
// The game's tables are a few kilobytes; a 2048 x 2048 image stored raw still fits.
constexpr uint64_t ColorTableFileLimit = uint64_t{4} << 20;

int16_t ReadI16(std::span<const uint8_t> b, size_t at) {
    return static_cast<int16_t>(uint16_t{b[at]} | uint16_t{b[at + 1]} << 8);
}

} // namespace

bool DecodeColorTable(std::span<const uint8_t> bytes, ColorTableEntries& table) {
    if (bytes.size() < PcxSizeFields) return false;
    const int64_t pixelCount = int64_t{ReadI16(bytes, 8) + 1} * int64_t{ReadI16(bytes, 10) + 1};

    // The palette sits right after the image data, so the whole image is walked, but only the
    // pixels that become table entries are kept: a huge header costs time bounded by the file
    // size and no memory.
    std::array<uint8_t, TableEntries> kept{};
    int64_t decoded = 0;
    size_t pos = PcxDataStart;
    auto append = [&](uint8_t value, int64_t times) {
        for (int64_t i = decoded; i < std::min<int64_t>(decoded + times, TableEntries); ++i)
            kept[i] = value;
        decoded += times;
    };
    while (decoded < pixelCount && pos < bytes.size()) {
        uint8_t b = bytes[pos++];
        if (b < 0xC0) {
            append(b, 1);
        } else if (pos < bytes.size()) {
            append(bytes[pos++], b & 0x3F);
        }
    }
    const Palette palette = ReadPalette(bytes.subspan(std::min(pos + 1, bytes.size())), 3);
    for (size_t i = 0; i < TableEntries; ++i)
        table[i] = int64_t(i) < decoded ? ColorOf(palette[kept[i]]) : 0;
    return true;
}

bool IsWholeColorTable(std::span<const uint8_t> bytes) {
    PcxImage image;
    std::string error;
    return DecodePcx(bytes, image, error) && image.HasPalette;
}

std::string ColorTablePath(uint8_t set, const DataFolders& data, const std::string& customFile) {
    static const char* const BuiltIn[] = {"tfonttitle.pcx", "tfontglu.pcx", "tfontgam.pcx"};
    if (set < 3) return data.File(BuiltIn[set]);
    return set == Custom ? customFile : std::string();
}

bool LoadColorTable(TextDrawingState& state, uint8_t set, const DataFolders& data,
                    const std::string& customFile) {
    const std::string path = ColorTablePath(set, data, customFile);
    if (path.empty() || !PathExists(path)) return false;
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(path, bytes, ColorTableFileLimit) != ReadStatus::Ok) return false;
    return DecodeColorTable(bytes, state.ColorTable);
}

} // namespace tarrox
