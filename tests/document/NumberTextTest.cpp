#include <gtest/gtest.h>

#include "document/NumberText.h"

namespace tarrox {
namespace {

TEST(ParseRoundedDecimal, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(ParseInt16("12.5"), 12);
    EXPECT_EQ(ParseInt16("13.5"), 14);
    EXPECT_EQ(ParseInt16("-2.5"), -2);
    EXPECT_EQ(ParseInt16("2.51"), 3);
    EXPECT_EQ(ParseInt16(" +7 "), 7);
}

TEST(ParseRoundedDecimal, RangeIsCheckedAfterRounding) {
    EXPECT_EQ(ParseInt16("32767"), 32767);
    EXPECT_EQ(ParseInt16("-32768.5"), -32768);
    EXPECT_EQ(ParseInt16("32767.5"), std::nullopt);
    EXPECT_EQ(ParseInt16("40000"), std::nullopt);
    EXPECT_EQ(ParseRoundedDecimal("-1", 0, 3), std::nullopt);
    EXPECT_EQ(ParseRoundedDecimal("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
}

TEST(ParseRoundedDecimal, TextThatIsNoDecimalNumberIsRefused) {
    for (const char* text :
         {"", " ", "-", "+", "abc", "5a", "0x10", "&H10", "inf", "nan", "1,5", "++1", "+-1", "- 1"})
        EXPECT_EQ(ParseInt16(text), std::nullopt) << text;
}

} // namespace
} // namespace tarrox
