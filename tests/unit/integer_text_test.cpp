#include <gtest/gtest.h>

#include "settings/Charsets.h"
#include "settings/IntegerText.h"

namespace {

using settings::ParseInteger;

TEST(ParseInteger, SignsDecimalAndTheThreeHexPrefixes) {
    EXPECT_EQ(ParseInteger("120"), 120);
    EXPECT_EQ(ParseInteger("-16777211"), -16777211);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("$FF"), 255);
    EXPECT_EQ(ParseInteger("xff"), 255);
    EXPECT_EQ(ParseInteger("0X1f"), 31);
    EXPECT_EQ(ParseInteger("-$10"), -16);
    EXPECT_EQ(ParseInteger("0x0"), 0);
    EXPECT_EQ(ParseInteger(L"  12"), 12);  // leading blanks are skipped
}

TEST(ParseInteger, ThirtyTwoBitLimits) {
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInteger("99999999999999999999"), std::nullopt);
    // Hexadecimal takes all 32 bits, so colour values read back as written.
    EXPECT_EQ(ParseInteger("$FF000005"), static_cast<std::int32_t>(0xFF000005));
    EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseInteger("$100000000"), std::nullopt);
}

TEST(ParseInteger, AnythingElseIsNoNumber) {
    for (const char* text : {"", "-", "$", "0x", "yes", "12 ", "1.5", "1e3", "--1", "0x-1", "big"}) {
        EXPECT_EQ(ParseInteger(text), std::nullopt) << text;
    }
}

TEST(Charsets, RowsByValueAndNamesInAnyCase) {
    EXPECT_EQ(settings::CharsetRowOf(1), 4);
    EXPECT_EQ(settings::CharsetRowOf(128), 14);
    EXPECT_EQ(settings::CharsetRowOf(3), std::nullopt);
    EXPECT_EQ(settings::CharsetByName(L"shiftjis"), 128);
    EXPECT_EQ(settings::CharsetByName(L"ARABIC"), 178);
    EXPECT_EQ(settings::CharsetByName(L"Latin"), std::nullopt);
    EXPECT_EQ(settings::CharsetByName(L"ANSI "), std::nullopt);
}

}  // namespace
