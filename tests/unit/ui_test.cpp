#include <gtest/gtest.h>

#include <climits>

#include "ui/Color.h"
#include "ui/FontInfo.h"
#include "ui/ShortCut.h"

namespace {

TEST(ShortCut, TextAndMatching) {
    const auto quit = ui::ShortCut::Ctrl('Q');
    EXPECT_EQ(quit.Text(), L"Ctrl+Q");
    EXPECT_TRUE(quit.Matches('Q', true, false, false));
    EXPECT_FALSE(quit.Matches('Q', true, true, false));  // Ctrl+Shift+Q is another shortcut
    EXPECT_FALSE(quit.Matches('Q', false, false, false));
    EXPECT_EQ((ui::ShortCut{0x71, false, true, false}).Text(), L"Shift+F2");
    EXPECT_TRUE(ui::ShortCut{}.Empty());
    EXPECT_FALSE(ui::ShortCut{}.Matches(0, false, false, false));  // no key never matches
}

TEST(FontPixelHeight, RoundsPointsAtTheScreenDensity) {
    EXPECT_EQ(ui::FontPixelHeight(9, 96), 12);
    EXPECT_EQ(ui::FontPixelHeight(14, 96), 19);  // 18.67
    EXPECT_EQ(ui::FontPixelHeight(10, 96), 13);  // 13.33
    EXPECT_EQ(ui::FontPixelHeight(9, 120), 15);
    EXPECT_EQ(ui::FontPixelHeight(1, 96), 1);
    // Ctrl+S may take the size to zero and below; the font stays drawable.
    EXPECT_EQ(ui::FontPixelHeight(0, 96), 1);
    EXPECT_EQ(ui::FontPixelHeight(-5, 96), 1);
    // Sizes from property.ini, a .lng file or typing reach any int; the
    // height stays positive, so that it can be negated for a LOGFONT.
    for (const int points : {1610612736, INT_MAX - 1, INT_MAX, INT_MIN}) EXPECT_GT(ui::FontPixelHeight(points, 96), 0) << points;
    EXPECT_EQ(ui::FontPixelHeight(1610612736, 96), INT_MAX);
}

TEST(Color, ResolvesSystemSpecialAndRgbValues) {
    const auto system = [](int index) { return index == 5 ? 0xFFFFFFu : 0x010203u * static_cast<unsigned>(index); };
    EXPECT_EQ(ui::ResolveColor(ui::kColorWindow, system, 7u), 0xFFFFFFu);
    EXPECT_EQ(ui::ResolveColor(ui::kColorWindowText, system, 7u), 0x081018u);
    EXPECT_EQ(ui::ResolveColor(ui::kColorNone, system, 7u), 7u);
    EXPECT_EQ(ui::ResolveColor(ui::kColorDefault, system, 7u), 7u);
    EXPECT_EQ(ui::ResolveColor(ui::Rgb(0x12, 0x34, 0x56), system, 7u), 0x563412u);
    EXPECT_TRUE(ui::IsSystemColor(ui::kColorWindow));
    EXPECT_FALSE(ui::IsSystemColor(ui::Rgb(255, 255, 255)));
}

}  // namespace
