#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "document/FormattingCodes.h"

namespace tarrox {
namespace {

TEST(FormattingCodes, StoredBytesAndTheirCodesConvertBothWays) {
    const std::pair<std::string, std::string> pairs[] = {
        {"", ""},
        {"Plain text 123", "Plain text 123"},
        {"<", "<60>"},
        {">", "<62>"},
        {"a\nb", "a<10>b"},
        {"\x03Red\n", "<3>Red<10>"},
        {"\x01\x1f", "<1><31>"},
        {"<100>", "<60>100<62>"},
        {"\x7f\x80\xff", "\x7f\x80\xff"},
    };
    for (const auto& [stored, codes] : pairs) {
        EXPECT_EQ(TextToCodes(stored), codes);
        EXPECT_EQ(CodesToText(codes), stored);
    }
    // Typed codes for printable bytes, next to stray brackets.
    EXPECT_EQ(CodesToText("<65><255>"), "A\xff");
    EXPECT_EQ(CodesToText("<<60>"), "<<");
    EXPECT_EQ(CodesToText("<6<62>"), "<6>");
}

TEST(CodesToText, LookAlikesStayLiteral) {
    for (const char* literal :
         {"<0>", "<256>", "<060>", "<>", "<x>", "<", ">", "<1234>", "<12", "<-1>", "< 5>", "<5 >"})
        EXPECT_EQ(CodesToText(literal), literal) << literal;
}

TEST(FormattingCodes, RoundTripOverRandomBytes) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(1, 255), length(0, 40), small(0, 4);
    const std::string alphabet = "<>0123456789\x01\x0a";
    for (int round = 0; round < 5000; ++round) {
        std::string s(length(rng), 'x');
        // Bias toward brackets and digits, where the conversion can go wrong.
        for (char& c : s)
            c = small(rng) ? alphabet[byte(rng) % alphabet.size()] : static_cast<char>(byte(rng));
        ASSERT_EQ(CodesToText(TextToCodes(s)), s);
    }
}

} // namespace
} // namespace tarrox
