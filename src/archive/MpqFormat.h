// What the archive check and the independent decoding both need of the format: little-endian
// fields, the file flags and the cipher that scrambles tables and encrypted files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarrox::mpq_format {

inline uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t Le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

// The file flags of the game's archives. Later formats' patch files make the library read
// headers it does not bound.
constexpr uint32_t FileImplode = 0x100, FileCompress = 0x200, FileEncrypted = 0x10000,
                   FileFixKey = 0x20000, FileSingleUnit = 0x1000000, FileDeleted = 0x2000000,
                   FileSectorCrc = 0x4000000, FileExists = 0x80000000;
constexpr uint32_t KnownFileFlags = FileImplode | FileCompress | FileEncrypted | FileFixKey |
                                    FileSingleUnit | FileDeleted | FileSectorCrc | FileExists;

// A compressed sector starts with a byte naming its methods. The library decompresses the
// sectors of a format-0 archive with a routine that asserts (and so aborts) on LZMA's value.
constexpr uint8_t LzmaMethod = 0x12;

// The tables are encrypted with a key the format fixes; see how the format scrambles them.
struct Crypt {
    std::array<uint32_t, 0x500> table{};
    Crypt() {
        uint32_t seed = 0x00100001;
        for (uint32_t i = 0; i < 0x100; ++i)
            for (uint32_t j = 0, at = i; j < 5; ++j, at += 0x100) {
                seed = (seed * 125 + 3) % 0x2AAAAB;
                const uint32_t high = (seed & 0xFFFF) << 16;
                seed = (seed * 125 + 3) % 0x2AAAAB;
                table[at] = high | (seed & 0xFFFF);
            }
    }
    // Names hash without regard to case, and with either slash.
    uint32_t Hash(const char* name, uint32_t kind) const {
        uint32_t a = 0x7FED7FED, b = 0xEEEEEEEE;
        for (; *name; ++name) {
            uint8_t c = uint8_t(*name);
            if (c >= 'a' && c <= 'z') c = uint8_t(c - 'a' + 'A');
            if (c == '/') c = '\\';
            a = table[kind + c] ^ (a + b);
            b = c + a + b + (b << 5) + 3;
        }
        return a;
    }
    uint32_t KeyOf(const char* name) const { return Hash(name, 0x300); }
    void Decrypt(std::vector<uint32_t>& words, uint32_t key) const {
        uint32_t seed = 0xEEEEEEEE;
        for (uint32_t& w : words) {
            seed += table[0x400 + (key & 0xFF)];
            w ^= key + seed;
            key = ((~key << 0x15) + 0x11111111) | (key >> 0x0B);
            seed = w + seed + (seed << 5) + 3;
        }
    }
    // Decrypts the whole words of `bytes` in place; a tail of one to three bytes is stored plain.
    void DecryptBytes(uint8_t* bytes, size_t size, uint32_t key) const {
        std::vector<uint32_t> words(size / 4);
        for (size_t i = 0; i < words.size(); ++i) words[i] = Le32(bytes + i * 4);
        Decrypt(words, key);
        for (size_t i = 0; i < words.size(); ++i)
            for (int b = 0; b < 4; ++b) bytes[i * 4 + b] = uint8_t(words[i] >> (8 * b));
    }
};

inline const Crypt& TheCrypt() {
    static const Crypt crypt;
    return crypt;
}

} // namespace tarrox::mpq_format
