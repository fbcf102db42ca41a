#include <gtest/gtest.h>

#include "platform/DpiMath.h"
#include "platform/Error.h"
#include "platform/ProfileText.h"

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
        throw platform::OutOfResources(L"TVxClipDetector.SetOnClipChange: Cannot Allocate HWnd");
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.Message(), L"TVxClipDetector.SetOnClipChange: Cannot Allocate HWnd");
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

namespace {

TEST(ProfileText, ReadsAsThePrivateProfileFunctionsDo) {
    using namespace std::string_literals;
    const platform::ProfileText text(
        "\xEF\xBB\xBF" "Loose=before any section\r\n[Main]\r\n  Left  =  \" 30 \"  \r\nTop='7\"\r\n"
        "Empty=\r\nNoValue\rCut=a\0b\r\n[main]\r\nRight=in the second [Main]\r\n[Other]\nx=\x1A 1\x1A\r\n"
        "[ Spaced ]\r\nA=1\r\n[\tTabbed ] ; after the bracket\r\nB=2\r\n[Last]\r\nEnd=no line end"s);
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Main", "Left", " 30 "},          // blanks around, then one pair of quotes, dropped
        {"MAIN", "top", "'7\""},           // quotes that do not pair stay
        {"Main", "Empty", ""},
        {"Main", "NoValue", std::nullopt},  // a line without "=" is no key
        {"Main", "Cut", "a"},              // a CR alone ends a line, a NUL the value
        {"Main", "Right", std::nullopt},   // only the first section of a name is looked in
        {"", "Loose", std::nullopt},
        {"Other", "x", "1"},               // LF alone ends a line; Ctrl+Z counts as a blank
        {"Last", "End", "no line end"},
        {"Spaced", "A", "1"},              // blanks and tabs inside the brackets are no part of the name,
        {"tabbed", "B", "2"},              // nor is the text after the last ']'
    };
    for (const auto& c : cases) EXPECT_EQ(text.Read(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(ProfileText, AWriteChangesOnlyItsKeysLineOrAddsOne) {
    const struct {
        const char* before;
        const char* section;
        const char* key;
        const char* after;
    } cases[] = {
        {"", "Main", "A", "[Main]\r\nA=1\r\n"},
        {"; note\r\n[main]\r\n  a = old \r\n\r\n[B]\r\nA=x\r\n", "Main", "A",
         "; note\r\n[main]\r\na=1\r\n\r\n[B]\r\nA=x\r\n"},
        {"[Main]\r\nB=2\r\n; end\r\n\r\n[Z]\r\n", "Main", "A", "[Main]\r\nB=2\r\n; end\r\nA=1\r\n\r\n[Z]\r\n"},
        {"[Z]\r\nB=2", "Main", "A", "[Z]\r\nB=2\r\n[Main]\r\nA=1\r\n"},
        {"[Main]\nA=0\rB=\xFC\n", "Main", "A", "[Main]\nA=1\rB=\xFC\n"},
        {"\xEF\xBB\xBF", "Main", "A", "\xEF\xBB\xBF[Main]\r\nA=1\r\n"},
        {"[ Main ]\r\nA=0\r\nB=2\r\n", "Main", "A", "[ Main ]\r\nA=1\r\nB=2\r\n"},
        {"[\tmain ] ; x\r\nB=2\r\n[Z]\r\n", "Main", "A", "[\tmain ] ; x\r\nB=2\r\nA=1\r\n[Z]\r\n"},
    };
    for (const auto& c : cases) {
        platform::ProfileText text(c.before);
        text.Write(c.section, c.key, "1");
        EXPECT_EQ(text.Bytes(), c.after) << c.before;
    }
    EXPECT_TRUE(platform::ProfileText::IsUtf16("\xFF\xFE[\0"));
    EXPECT_FALSE(platform::ProfileText::IsUtf16("[Main]"));
}

}  // namespace
