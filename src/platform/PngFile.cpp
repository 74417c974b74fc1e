#include "platform/PngFile.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include <zlib.h>

namespace tarrox {

namespace {

constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Far larger than any preview; keeps a hostile header from asking for gigabytes.
constexpr int64_t MaxPixels = int64_t{1} << 26;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

uint32_t GetU32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutU32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, static_cast<uint32_t>(crc32(0, out.data() + start, uInt(out.size() - start))));
}

int Paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

} // namespace

std::vector<uint8_t> EncodePng(const RgbImage& image) {
    std::vector<uint8_t> raw;
    raw.reserve(size_t(image.Height) * (1 + size_t(image.Width) * 3));
    for (int y = 0; y < image.Height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.Width; ++x) {
            uint32_t c = image.Pixels[size_t(y) * image.Width + x];
            raw.push_back(uint8_t(c));
            raw.push_back(uint8_t(c >> 8));
            raw.push_back(uint8_t(c >> 16));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9);
    packed.resize(packedSize);

    std::vector<uint8_t> header;
    PutU32(header, uint32_t(image.Width));
    PutU32(header, uint32_t(image.Height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no interlace

    std::vector<uint8_t> out(Signature, Signature + 8);
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

bool DecodePng(std::span<const uint8_t> bytes, RgbImage& image) {
    if (bytes.size() < 8 || std::memcmp(bytes.data(), Signature, 8) != 0) return false;
    int64_t width = -1, height = -1;
    std::vector<uint8_t> packed;
    for (size_t pos = 8; pos + 12 <= bytes.size();) {
        uint32_t length = GetU32(&bytes[pos]);
        if (length > bytes.size() - pos - 12) return false;
        std::string type(reinterpret_cast<const char*>(&bytes[pos + 4]), 4);
        const uint8_t* data = &bytes[pos + 8];
        if (type == "IHDR") {
            if (length != 13 || data[8] != 8 || data[9] != 2 || data[10] != 0 || data[11] != 0 ||
                data[12] != 0)
                return false;
            width = GetU32(data);
            height = GetU32(data + 4);
        } else if (type == "IDAT") {
            packed.insert(packed.end(), data, data + length);
        } else if (type == "IEND") {
            break;
        }
        pos += 12 + size_t(length);
    }
    if (width <= 0 || height <= 0 || width * height > MaxPixels) return false;
    const size_t stride = size_t(width) * 3;
    std::vector<uint8_t> raw(size_t(height) * (stride + 1));
    uLongf rawSize = uLongf(raw.size());
    if (uncompress(raw.data(), &rawSize, packed.data(), uLong(packed.size())) != Z_OK ||
        rawSize != raw.size())
        return false;

    // Built aside so a bad row filter leaves the caller's image as it was.
    RgbImage decoded{int(width), int(height), std::vector<uint32_t>(size_t(width * height))};
    std::vector<uint8_t> prev(stride, 0), cur(stride);
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* line = &raw[size_t(y) * (stride + 1)];
        uint8_t filter = line[0];
        for (size_t i = 0; i < stride; ++i) {
            int a = i >= 3 ? cur[i - 3] : 0, b = prev[i], c = i >= 3 ? prev[i - 3] : 0;
            int predictor = 0;
            switch (filter) {
            case 0:
                break;
            case 1:
                predictor = a;
                break;
            case 2:
                predictor = b;
                break;
            case 3:
                predictor = (a + b) / 2;
                break;
            case 4:
                predictor = Paeth(a, b, c);
                break;
            default:
                return false;
            }
            cur[i] = uint8_t(line[1 + i] + predictor);
        }
        for (int64_t x = 0; x < width; ++x)
            decoded.Pixels[size_t(y * width + x)] = uint32_t{cur[x * 3]} |
                                                    uint32_t{cur[x * 3 + 1]} << 8 |
                                                    uint32_t{cur[x * 3 + 2]} << 16;
        std::swap(prev, cur);
    }
    image = std::move(decoded);
    return true;
}

} // namespace tarrox
