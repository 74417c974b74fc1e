// The on-disk layout of .bin records: sizes, field offsets, and packing a record to and from
// its bytes. Link and string fields are copied raw; turning them into offsets or indices is
// the reader's and the writer's job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "document/DialogDocument.h"

namespace tarrox::bin {

inline constexpr int ObjectSize = 86;
inline constexpr int SmkSize = 30;

// The most text a document may hold, counted once per record that owns a string. A file can
// point all its records at one long string; without this a 1 MB file would become a document
// hundreds of times larger. Reader and writer share the bound, so whatever is written reads
// back, and the writer's output stays far below the format's signed 32-bit offsets.
inline constexpr int64_t MaxStringBytes = int64_t{8} << 20;

// Field offsets inside an object record.
inline constexpr int ObjNext = 0;
inline constexpr int ObjText = 20;
inline constexpr int ObjFirstLink = 66; // first child (dialog) or first SMK (controls)

// Field offsets inside an SMK record.
inline constexpr int SmkNext = 0;
inline constexpr int SmkFileName = 10;

inline int16_t GetI16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}
inline int32_t GetI32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) |
                                (static_cast<uint32_t>(p[3]) << 24));
}
inline void PutI16(uint8_t* p, int16_t v) {
    auto u = static_cast<uint16_t>(v);
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
}
inline void PutI32(uint8_t* p, int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

DialogObject DecodeObject(std::span<const uint8_t, ObjectSize> bytes);
void EncodeObject(const DialogObject& object, std::span<uint8_t, ObjectSize> bytes);
SmkEntry DecodeSmk(std::span<const uint8_t, SmkSize> bytes);
void EncodeSmk(const SmkEntry& smk, std::span<uint8_t, SmkSize> bytes);

} // namespace tarrox::bin
