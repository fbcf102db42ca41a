// The large-text filter deciding from a clipboard block's size, before any conversion.
#include <gtest/gtest.h>

#include <string>

#include "platform/TextSize.h"

namespace {

using platform::SizeVerdict;

TEST(TextSize, TheBlockSettlesTheFilterWithoutReadingTheText) {
    struct Case {
        std::string block;
        long long limit;
        SizeVerdict expected;
    };
    const std::string large(5000, 'x');
    for (const Case& c : {
             Case{"abc", 3, SizeVerdict::Within},  // a block no larger than the limit
             Case{std::string("abc\0", 4), 3, SizeVerdict::Within},  // its terminator past the limit
             Case{"abcd", 3, SizeVerdict::Over},
             Case{large, 1000, SizeVerdict::Over},
             Case{"ab" + std::string(1, '\0') + large, 1000, SizeVerdict::Within},  // the text ends at its NUL
             Case{std::string(1, '\0') + large, -1, SizeVerdict::Within},  // empty: no clip either way
             Case{"a", -1, SizeVerdict::Over},  // a negative limit lets nothing through
             Case{"", 0, SizeVerdict::Within},
         }) {
        EXPECT_EQ(platform::MeasureAnsiText(c.block, c.limit).verdict, c.expected) << c.block.size() << " " << c.limit;
    }
}

TEST(TextSize, WideTextIsCountedOnlyWhenItsSizeCannotTell) {
    struct Case {
        std::wstring block;
        unsigned maxCharBytes;
        long long limit;
        SizeVerdict expected;
    };
    const std::wstring large(100'000, L'x');
    for (const Case& c : {
             Case{std::wstring(500, L'x'), 2, 1000, SizeVerdict::Within},  // 500 units of at most 2 bytes
             Case{std::wstring(2001, L'x'), 1, 1000, SizeVerdict::Over},  // at least half a byte each
             Case{large, 2, 1000, SizeVerdict::Over},
             Case{L"ab" + std::wstring(1, L'\0') + large, 2, 1000, SizeVerdict::Within},
             Case{std::wstring(1500, L'x'), 1, 1000, SizeVerdict::Unsettled},  // 750 to 1500 bytes
             Case{std::wstring(600, L'x'), 2, 1000, SizeVerdict::Unsettled},
             Case{L"a", 2, -5, SizeVerdict::Over},
         }) {
        const platform::TextSize size = platform::MeasureWideText(c.block, c.maxCharBytes, c.limit);
        EXPECT_EQ(size.verdict, c.expected) << c.block.size() << " " << c.limit;
        if (size.verdict == SizeVerdict::Unsettled) {
            EXPECT_EQ(size.units, c.block.size());
        }
    }
}

}  // namespace
