// The clipboard's bytes as the reader takes them apart, and the compact text it keeps.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/ClipboardBytes.h"
#include "platform/CompactText.h"

namespace {

TEST(ClipboardBytes, PrivacyMarksAndTheLocaleAreReadFromTheirBytesAndFailClosed) {
    using platform::HintMarksSecret;
    using platform::HistoryForbidden;
    EXPECT_TRUE(HintMarksSecret(std::nullopt)) << "listed, but no data";
    for (const char* hint : {"secret", "secret\n", "sec", ""}) EXPECT_TRUE(HintMarksSecret(std::string_view(hint))) << hint;
    EXPECT_TRUE(HintMarksSecret(std::string_view("secret\0\0", 8)));
    EXPECT_FALSE(HintMarksSecret(std::string_view("public")));
    EXPECT_TRUE(HistoryForbidden(std::nullopt));
    EXPECT_TRUE(HistoryForbidden(std::string_view("\1\0", 2))) << "shorter than a DWORD";
    EXPECT_TRUE(HistoryForbidden(std::string_view("\0\0\0\0", 4)));
    EXPECT_FALSE(HistoryForbidden(std::string_view("\0\0\0\1", 4)));
    EXPECT_EQ(platform::LocaleInBlock(std::string_view("\x19\x04\0\0", 4)), 0x0419u);
    EXPECT_EQ(platform::LocaleInBlock("\x19\x04"), std::nullopt);
    EXPECT_EQ(platform::TextInBlock(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(platform::TextInBlock(std::wstring_view(L"abcd")), L"abcd") << "no terminator: the block's end";
}

TEST(ClipboardBytes, PiecesEndBetweenCharactersOfTheCodePage) {
    platform::CodePageFacts singleByte;
    platform::CodePageFacts doubleByte;
    for (unsigned lead = 0x81; lead <= 0x9F; ++lead) doubleByte.leadByte[lead] = true;
    platform::CodePageFacts utf8;
    utf8.utf8 = true;
    const struct {
        const char* what;
        std::string text;
        std::size_t limit;
        const platform::CodePageFacts& facts;
        std::size_t end;
    } cases[] = {
        {"single byte: at the limit", "abcdef", 4, singleByte, 4},
        {"all of a short text", "abc", 4, singleByte, 3},
        {"a pair that would be cut waits", "ab\x82\xA0" "cd", 3, doubleByte, 2},
        {"a trail byte with a lead byte's value", "\x82\x82\x82\x82" "a", 3, doubleByte, 2},
        {"one pair at least", "\x82\xA0" "a", 1, doubleByte, 2},
        {"UTF-8: before the character's first byte", "ab\xE3\x81\x82" "c", 4, utf8, 2},
        {"UTF-8 that is all continuation bytes: at the limit", "\x81\x81\x81\x81\x81\x81", 5, utf8, 5},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::AnsiPieceEnd(c.text, c.limit, c.facts), c.end) << c.what;
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(platform::WidePieceEnd(L"ab" + pair, 3), 2u);
    EXPECT_EQ(platform::WidePieceEnd(L"abc" + pair, 3), 3u);
}

TEST(CompactText, KeepsOneByteAUnitUntilAUnitNeedsTwo) {
    platform::CompactText text(L"caf\u00E9");
    text.Append(L" and more");
    EXPECT_EQ(text, std::wstring_view(L"caf\u00E9 and more"));
    text.Append(L" \u3042");
    EXPECT_EQ(text.ToWide(), L"caf\u00E9 and more \u3042");
    EXPECT_EQ(text.Substr(14), L"\u3042");
    EXPECT_TRUE(text.MatchesAt(4, L" and"));
    EXPECT_FALSE(text.MatchesAt(14, L"\u3042 and beyond"));
    EXPECT_FALSE(platform::CompactText(L"\u00FF") == std::wstring_view(L"\u01FF"));
}

}  // namespace
