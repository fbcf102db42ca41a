#include <gtest/gtest.h>

#include "platform/DpiMath.h"
#include "platform/Error.h"

namespace {

TEST(DpiMath, DesignFiguresAreUnchangedAt96AndScaledAbove) {
    EXPECT_EQ(platform::ScaleForDpi(288, 96), 288);
    EXPECT_EQ(platform::ScaleForDpi(288, 120), 360);
    EXPECT_EQ(platform::ScaleForDpi(288, 144), 432);
    EXPECT_EQ(platform::ScaleForDpi(363, 192), 726);
    // 125 % of an odd figure rounds half away from zero, like MulDiv.
    EXPECT_EQ(platform::ScaleForDpi(3, 120), 4);    // 3.75
    EXPECT_EQ(platform::ScaleForDpi(2, 120), 3);    // 2.5
    EXPECT_EQ(platform::ScaleForDpi(-2, 120), -3);  // -2.5
    EXPECT_EQ(platform::ScaleForDpi(0, 200), 0);
}

TEST(Error, KeepsTheWideMessageAndGivesUtf8ToWhat) {
    const platform::Error error(L"Index \u304C\u6709\u52B9");
    EXPECT_EQ(error.Message(), L"Index \u304C\u6709\u52B9");
    EXPECT_STREQ(error.what(), "Index \xE3\x81\x8C\xE6\x9C\x89\xE5\x8A\xB9");
}

TEST(Error, OutOfResourcesIsAnError) {
    try {
        throw platform::OutOfResources(L"ClipboardWatcher.SetOnClipChange: Cannot Allocate HWnd");
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.Message(), L"ClipboardWatcher.SetOnClipChange: Cannot Allocate HWnd");
    }
}

TEST(ToUtf8, PairsSurrogatesAndReplacesLoneOnes) {
    const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(platform::ToUtf8(pair), "\xF0\x9F\x98\x80");
    const std::wstring lone{L'a', static_cast<wchar_t>(0xD83D), L'b'};
    EXPECT_EQ(platform::ToUtf8(lone), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(platform::ToUtf8(L""), "");
}

}  // namespace
