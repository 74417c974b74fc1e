// Lays out .bin bytes by hand: records and strings at any offset, links as raw values, so
// tests can build the odd layouts real files and broken files have.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/BinFormat.h"

namespace tarrox::test {

class BinBuilder {
  public:
    // An object record at `at`; `next`, `text` and `link` (field 66) are raw file values.
    BinBuilder& Object(int32_t at, int32_t next, int32_t text, int32_t link,
                       DialogObject fields = {}) {
        fields.Next = next;
        fields.Text = text;
        fields.SmkLink = link;
        bin::EncodeObject(fields, std::span<uint8_t, bin::ObjectSize>(Reserve(at, bin::ObjectSize),
                                                                      bin::ObjectSize));
        return *this;
    }

    BinBuilder& Smk(int32_t at, int32_t next, int32_t fileName, SmkEntry fields = {}) {
        fields.Next = next;
        fields.FileName = fileName;
        bin::EncodeSmk(fields,
                       std::span<uint8_t, bin::SmkSize>(Reserve(at, bin::SmkSize), bin::SmkSize));
        return *this;
    }

    BinBuilder& String(int32_t at, const std::string& s, bool terminated = true) {
        uint8_t* p = Reserve(at, s.size() + (terminated ? 1 : 0));
        std::copy(s.begin(), s.end(), p);
        if (terminated) p[s.size()] = 0;
        return *this;
    }

    // Cuts the file to `size` bytes, so records can run past its end.
    BinBuilder& Truncate(size_t size) {
        bytes_.resize(size);
        return *this;
    }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  private:
    uint8_t* Reserve(int32_t at, size_t size) {
        if (bytes_.size() < at + size) bytes_.resize(at + size);
        return bytes_.data() + at;
    }

    std::vector<uint8_t> bytes_;
};

} // namespace tarrox::test
