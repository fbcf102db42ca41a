#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FakeCodePages.h"
#include "settings/LanguageFile.h"

namespace {

using fakecodepage::DoubleByte;
using settings::DecodeLanguageText;
using settings::LanguageDisplayName;
using settings::LanguageText;
using settings::SplitLanguageLines;

// UTF-16 code units as the product holds them, whatever the width of wchar_t.
std::wstring W(std::u16string_view units) { return std::wstring(units.begin(), units.end()); }

std::string Utf16(std::u16string_view units, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::wstring Cp1252Euro(std::string_view bytes) {
    std::wstring text;
    for (const char c : bytes) text += c == '\x80' ? wchar_t{0x20AC} : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

TEST(LanguageFile, EachEncodingGivesTheSameTextWithoutItsMark) {
    const std::u16string text = u"\u65E5\u672C\u8A9E\r\n[All]title=\U0001F600\u20AC";
    const std::string utf8 = "\u65E5\u672C\u8A9E\r\n[All]title=\U0001F600\u20AC";
    EXPECT_EQ(DecodeLanguageText(Utf16(text, false), {}), W(text));
    EXPECT_EQ(DecodeLanguageText(Utf16(text, true), {}), W(text));
    EXPECT_EQ(DecodeLanguageText("\xEF\xBB\xBF" + utf8, {}), W(text));
    // Without a mark the bytes go to the system code page's decoder, and only there.
    EXPECT_EQ(DecodeLanguageText("Name\r\n[All]title=\x80", Cp1252Euro), W(u"Name\r\n[All]title=\u20AC"));
    EXPECT_EQ(DecodeLanguageText(utf8, Cp1252Euro).size(), utf8.size());
    EXPECT_EQ(DecodeLanguageText("\xA9", {}), W(u"\u00A9"));  // no decoder: ISO 8859-1

    EXPECT_EQ(LanguageText::FromBytes(Utf16(text, true), {}).Value(L"[all]TITLE"), W(u"\U0001F600\u20AC"));
}

TEST(LanguageFile, DamagedFilesDecodeWithoutFailing) {
    EXPECT_EQ(DecodeLanguageText("", {}), L"");
    EXPECT_EQ(DecodeLanguageText("\xFF\xFE", {}), L"");
    EXPECT_EQ(DecodeLanguageText(std::string("\xFF\xFE" "A\0B", 5), {}), L"A");  // the odd last byte is dropped
    EXPECT_EQ(DecodeLanguageText("\xFE\xFF\xD8", {}), L"");
    // A stray continuation, a cut sequence before CR, an overlong form, an
    // encoded surrogate, a value past U+10FFFF and a cut sequence at the end.
    EXPECT_EQ(DecodeLanguageText("\xEF\xBB\xBF" "a\x80" "b\xE6\x97\r\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xF0\x9F\x98", {}),
              W(u"a\uFFFDb\uFFFD\r\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"));
}

TEST(LanguageFile, LineEndsNulAndTheLastLine) {
    using Lines = std::vector<std::wstring>;
    EXPECT_EQ(SplitLanguageLines(W(u"a\r\nb\rc\nd\u2028e")), (Lines{L"a", L"b", L"c", L"d", L"e"}));
    EXPECT_EQ(SplitLanguageLines(L"a\r\n"), Lines{L"a"});
    EXPECT_EQ(SplitLanguageLines(L""), Lines{});
    EXPECT_EQ(SplitLanguageLines(L"\r\n"), Lines{L""});
    EXPECT_EQ(SplitLanguageLines(L"\n\r"), (Lines{L"", L""}));
    EXPECT_EQ(SplitLanguageLines(L"\r\r\nx"), (Lines{L"", L"", L"x"}));
    EXPECT_EQ(SplitLanguageLines(std::wstring_view(L"a=1\0\nb=2", 8)), Lines{L"a=1"});
    EXPECT_EQ(SplitLanguageLines(std::wstring_view(L"\0a", 2)), Lines{});

    const LanguageText text(std::wstring(L"Deutsch\nk=1\0k2=2", 16));
    EXPECT_EQ(text.DisplayName(), L"Deutsch");
    EXPECT_EQ(text.Value(L"k"), L"1");
    EXPECT_EQ(text.Value(L"k2"), std::nullopt);  // after the NUL
    EXPECT_EQ(LanguageText(L"").DisplayName(), std::nullopt);
    EXPECT_EQ(LanguageText(L"\r\n").DisplayName(), L"");
}

TEST(LanguageFile, KeysAreUntrimmedCaseBlindAndTheFirstLineDecides) {
    const LanguageText text(
        L"[All]Fixed=Name line\r\n"
        L"no equals sign\r\n"
        L"[all]TITLE=X\r\n"
        L"[All]title=Y\r\n"
        L"[All]Version =V\r\n"
        L"[MenuBar]File= &Datei\r\n"
        L"[MenuBar]Quit=\r\n"
        L"[MenuBar]Quit=Later\r\n"
        L"[MenuBar]Help=a=b\r\n");
    EXPECT_EQ(text.DisplayName(), L"[All]Fixed=Name line");
    EXPECT_EQ(text.Value(L"[All]Fixed"), L"Name line");  // the display-name line is searched too
    EXPECT_EQ(text.Value(L"[All]title"), L"X");
    EXPECT_EQ(text.Value(L"[All]Version"), std::nullopt);
    EXPECT_EQ(text.Value(L"[All]Version "), L"V");
    EXPECT_EQ(text.Value(L"[MenuBar]File"), L" &Datei");
    EXPECT_EQ(text.Value(L"[MenuBar]Quit"), std::nullopt);  // an empty first value hides the later one
    EXPECT_EQ(text.Value(L"[MenuBar]Help"), L"a=b");
    EXPECT_EQ(text.Value(L"no equals sign"), std::nullopt);

    const LanguageText exact(L"[all]TITLE=X\n[All]title=Y", [](std::wstring_view a, std::wstring_view b) { return a == b; });
    EXPECT_EQ(exact.Value(L"[All]title"), L"Y");
}

TEST(LanguageFile, DefaultKeyMatchFoldsLatinLettersOnly) {
    using settings::KeysEqualSimpleFold;
    EXPECT_TRUE(KeysEqualSimpleFold(W(u"\u00C9\u0141\u0178\u017D\u0100\u0130"), W(u"\u00E9\u0142\u00FF\u017E\u0101i")));
    EXPECT_FALSE(KeysEqualSimpleFold(W(u"\u00D7"), W(u"\u00F7")));   // times and division signs
    EXPECT_FALSE(KeysEqualSimpleFold(W(u"\u0131"), L"I"));           // dotless i
    EXPECT_FALSE(KeysEqualSimpleFold(W(u"stra\u00DFe"), L"STRASSE"));
    EXPECT_FALSE(KeysEqualSimpleFold(W(u"\u0414"), W(u"\u0434")));   // Cyrillic is not folded
    EXPECT_FALSE(KeysEqualSimpleFold(L"[All]titl", L"[All]title"));
}

TEST(LanguageFile, DisplayNameOfTheFirstLineAloneMatchesTheWholeFile) {
    struct Case {
        std::string bytes;
        settings::AnsiDecoder decoder;
        std::optional<std::wstring> name;
    };
    const std::vector<Case> cases{
        {"", {}, std::nullopt},
        {std::string("\0Name", 5), {}, std::nullopt},
        {"\r\nName", {}, L""},
        {"Name", {}, L"Name"},
        {"Name\rx", {}, L"Name"},
        {"\xEF\xBB\xBF" "Na\xE2\x80\xA8me", {}, L"Na"},
        {Utf16(u"Na\u2028me", false), {}, L"Na"},
        {Utf16(u"", true), {}, std::nullopt},
        {"Na\xE2\x80\xA8me\r\n", fakecodepage::Utf8, L"Na"},  // U+2028 shows only after decoding
        {"\x81\rName\r\nx", DoubleByte, W(u"\u30FBName")},  // the CR belongs to a double-byte character
        {"N\x81", DoubleByte, W(u"N\u30FB")},
        {std::string("\x81\0\x81\n\x81\r", 6) + "A\n", DoubleByte, W(u"\u30FB\u30FB\u30FBA")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageDisplayName(c.bytes, c.decoder), c.name) << c.bytes;
        EXPECT_EQ(LanguageText::FromBytes(c.bytes, c.decoder).DisplayName(), c.name) << c.bytes;
    }
}

TEST(LanguageFile, LargeFilesStayLinear) {
    // Millions of one-character lines, and of double-byte characters that
    // each take a CR in: quadratic work in either would not finish.
    std::string lines(1'000'000, '\n');
    for (std::size_t i = 0; i < lines.size(); i += 2) lines[i] = 'a';
    const LanguageText text = LanguageText::FromBytes("\xEF\xBB\xBF" + lines, {});
    EXPECT_EQ(text.DisplayName(), L"a");
    EXPECT_EQ(text.Value(L"[All]title"), std::nullopt);

    std::string pairs(1'000'000, '\r');
    for (std::size_t i = 0; i < pairs.size(); i += 2) pairs[i] = '\x81';
    EXPECT_EQ(LanguageDisplayName(pairs, DoubleByte), std::wstring(pairs.size() / 2, wchar_t{0x30FB}));
}

}  // namespace
