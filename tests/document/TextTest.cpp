#include <gtest/gtest.h>

#include "document/FormattingCodes.h"
#include "document/NumberText.h"

namespace tarrox {
namespace {

TEST(FormattingCodes, StoredBytesAndTheirCodesConvertBothWays) {
    const std::pair<std::string, std::string> pairs[] = {
        {"", ""},
        {"Plain 123", "Plain 123"},
        {"<", "<60>"},
        {">", "<62>"},
        {"\x03Red\n", "<3>Red<10>"},
        {"\x01\x1f", "<1><31>"},
        {"<100>", "<60>100<62>"},
        {"\x7f\x80\xff", "\x7f\x80\xff"},
    };
    for (const auto& [stored, codes] : pairs) {
        EXPECT_EQ(TextToCodes(stored), codes);
        EXPECT_EQ(CodesToText(codes), stored);
    }
    // Typed codes for printable bytes next to stray brackets; look-alikes stay literal.
    const std::pair<std::string, std::string> typed[] = {
        {"<65><255>", "A\xff"}, {"<<60>", "<<"},    {"<6<62>", "<6>"}, {"<0>", "<0>"},
        {"<256>", "<256>"},     {"<060>", "<060>"}, {"<x>", "<x>"},    {"<12", "<12"},
    };
    for (const auto& [codes, stored] : typed) EXPECT_EQ(CodesToText(codes), stored) << codes;
}

TEST(ParseInt16, RoundsHalvesToEvenThenChecksTheRange) {
    const std::pair<const char*, std::optional<int16_t>> cases[] = {
        {"12.5", 12},     {"13.5", 14},         {"-2.5", -2},    {"2.51", 3}, {" +7 ", 7},
        {"32767", 32767}, {"-32768.5", -32768}, {"32767.5", {}}, {"", {}},    {"5a", {}},
        {"0x10", {}},     {"inf", {}},          {"nan", {}},     {"++1", {}}, {"- 1", {}},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseInt16(text), value) << text;
    EXPECT_EQ(ParseRoundedDecimal("-1", 0, 3), std::nullopt);
    EXPECT_EQ(ParseRoundedDecimal("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
}

} // namespace
} // namespace tarrox
