#include "widgets/PickerHeights.h"

#include <gtest/gtest.h>

namespace {

using namespace widgets;

TEST(PickerHeights, ItemHeightFromTheControlHeight) {
    struct Row {
        int control, current, item;
    };
    for (const Row& row : {Row{25, 16, 19}, Row{21, 16, 15}, Row{7, 16, 1}, Row{6, 16, 16}, Row{0, 16, 16}}) {
        EXPECT_EQ(ItemHeightForControlHeight(row.control, row.current), row.item) << row.control;
    }
}

// A negative font height is a character height (as in a LOGFONT): its size counts.
TEST(PickerHeights, FontAndItemHeightFollowEachOther) {
    struct Row {
        int item, font, fontAfter, itemAfterFont;
    };
    const Row rows[] = {
        {15, 12, 12, 15},   // the font fits: both stay
        {15, 15, 15, 15},
        {15, 20, 15, 20},   // a taller font comes down to the items; the items rise to a taller font
        {8, 11, 12, 11},    // ... but not below 12 pixels
        {8, 20, 12, 20},
        {14, -16, 14, 16},  // character heights
        {15, -12, 12, 15},
        {19, -24, 19, 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "item " << row.item << ", font " << row.font);
        EXPECT_EQ(FontHeightForItemHeight(row.item, row.font), row.fontAfter);
        EXPECT_EQ(ItemHeightForFont(row.item, row.font), row.itemAfterFont);
    }
}

}  // namespace
