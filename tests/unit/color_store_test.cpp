// The colour dialog's custom-colour lines: reading the stored hexadecimal
// values into the 16 slots and writing them back.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "widgets/CustomColorList.h"

namespace {

using widgets::CustomColorList;

TEST(ColorStoreHex, ParsesOnlyHexadecimalThatFitsThirtyTwoBits) {
    EXPECT_EQ(widgets::ParseHexColor("FFFFFF"), 0xFFFFFFu);
    EXPECT_EQ(widgets::ParseHexColor("ff"), 0xFFu);
    EXPECT_EQ(widgets::ParseHexColor("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(widgets::ParseHexColor("000000000012"), 0x12u);
    EXPECT_EQ(widgets::ParseHexColor("100000000"), std::nullopt);
    EXPECT_EQ(widgets::ParseHexColor(""), std::nullopt);
    EXPECT_EQ(widgets::ParseHexColor("12G4"), std::nullopt);
    EXPECT_EQ(widgets::ParseHexColor(" 12"), std::nullopt);
    EXPECT_EQ(widgets::ParseHexColor("$12"), std::nullopt);
    EXPECT_EQ(widgets::ParseHexColor("-1"), std::nullopt);

    EXPECT_EQ(widgets::FormatHexColor(0), "000000");
    EXPECT_EQ(widgets::FormatHexColor(0xABCDEF), "ABCDEF");
    EXPECT_EQ(widgets::FormatHexColor(0x12), "000012");
    EXPECT_EQ(widgets::FormatHexColor(0xFFFFFFFFu), "FFFFFFFF");
}

TEST(ColorStoreList, StartsWithSixteenWhiteLines) {
    const CustomColorList list;
    ASSERT_EQ(list.Lines().size(), 16u);
    EXPECT_EQ(list.Lines().front(), "ColorA=FFFFFF");
    EXPECT_EQ(list.Lines().back(), "ColorP=FFFFFF");
    const auto slots = list.Slots();
    for (const auto slot : slots) EXPECT_EQ(slot, 0xFFFFFFu);
}

TEST(ColorStoreList, MissingLinesAreEmptySlotsAndComeBackAsLines) {
    CustomColorList list;
    list.Clear();
    list.Add("colorc=00ff00");  // keys are matched without regard to case
    list.Add("Other=1");
    list.Add("no equals sign");
    auto slots = list.Slots();
    EXPECT_EQ(slots[0], widgets::kEmptyCustomSlot);
    EXPECT_EQ(slots[2], 0x00FF00u);
    slots[0] = 0x0000FF;
    list.SetSlots(slots);
    ASSERT_EQ(list.Lines().size(), 3u + 15u);
    EXPECT_EQ(list.Lines()[0], "ColorC=00FF00") << "an existing line is replaced in place";
    EXPECT_EQ(list.Lines()[3], "ColorA=0000FF");
    EXPECT_EQ(list.Lines()[4], "ColorB=FFFFFFFF");
    EXPECT_EQ(list.Value("COLORP"), "FFFFFFFF");
}

TEST(ColorStoreList, ValueThatIsNotHexadecimalFailsWithItsText) {
    CustomColorList list;
    list.SetValue("ColorD", "red");
    try {
        (void)list.Slots();
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_NE(error.Message().find(L"'red'"), std::wstring::npos);
        EXPECT_NE(error.Message().find(L"ColorD"), std::wstring::npos);
    }
    list.SetValue("ColorD", "");
    EXPECT_THROW((void)list.Slots(), platform::Error) << "an empty stored value is not a colour either";
}

}  // namespace
