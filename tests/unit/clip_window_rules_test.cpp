#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "clipwindow/ClipWindowRules.h"
#include "ui/FontInfo.h"

namespace {

using clipwindow::KeepInWorkArea;
using clipwindow::LayoutHeight;
using clipwindow::LayoutInput;
using clipwindow::Position;
using clipwindow::Tick;
using clipwindow::TickInput;

TEST(Tick, CountDownOf120FadesCountsAndClosesAtTick121) {
    TickInput in;
    in.countDown = 120;
    in.hideGradually = true;
    int previousAlpha = 255;
    for (int tick = 1; tick <= 121; ++tick) {
        const auto out = Tick(in, "14:05 09");
        ASSERT_EQ(out.elapsed, tick);
        ASSERT_LE(out.alpha, previousAlpha) << "tick " << tick;  // fading never brightens
        ASSERT_EQ(out.close, tick == 121) << "tick " << tick;
        ASSERT_EQ(out.title, "14:05 09 (" + std::to_string(120 - tick) + ")");
        EXPECT_FALSE(out.stopTimer);
        if (tick == 1) {
            EXPECT_EQ(out.alpha, 253);
        } else if (tick == 60) {
            EXPECT_EQ(out.alpha, 128);  // 127.5 goes to the even neighbour
        } else if (tick == 120) {
            EXPECT_EQ(out.alpha, 0);
        }
        previousAlpha = out.alpha;
        in.elapsed = out.elapsed;
    }
}

TEST(FadeAlpha, HalvesGoToTheEvenNeighbour) {
    // 255 * k / 510 = k / 2 lands exactly on halves.
    EXPECT_EQ(clipwindow::FadeAlpha(510, 509), 0);  // 0.5
    EXPECT_EQ(clipwindow::FadeAlpha(510, 507), 2);  // 1.5
    EXPECT_EQ(clipwindow::FadeAlpha(510, 505), 2);  // 2.5
    EXPECT_EQ(clipwindow::FadeAlpha(510, 503), 4);  // 3.5
    EXPECT_EQ(clipwindow::FadeAlpha(3, 1), 170);    // exact
    EXPECT_EQ(clipwindow::FadeAlpha(7, 1), 219);    // 218.57
}

TEST(FadeAlpha, StaysWithinOpaqueAndInvisible) {
    EXPECT_EQ(clipwindow::FadeAlpha(10, 11), 0);
    EXPECT_EQ(clipwindow::FadeAlpha(10, 0), 255);
    EXPECT_EQ(clipwindow::FadeAlpha(10, -5), 255);
    EXPECT_EQ(clipwindow::FadeAlpha(INT_MAX, INT_MIN), 255);
    EXPECT_EQ(clipwindow::FadeAlpha(1, static_cast<long long>(INT_MAX) + 1), 0);
}

TEST(Tick, OptionsOffKeepOpaqueAndKeepTheTitle) {
    TickInput in;
    in.countDown = 2;
    in.elapsed = 2;
    in.hideGradually = false;
    in.titleTimer = false;
    const auto out = Tick(in, "stamp");
    EXPECT_EQ(out.alpha, 255);
    EXPECT_FALSE(out.title.has_value());
    EXPECT_TRUE(out.close);  // the count-down runs without being shown
}

TEST(Tick, PinnedStopsTheTimerAndTurnsOpaqueOnly) {
    TickInput in;
    in.countDown = 10;
    in.elapsed = 9;
    in.pinned = true;
    in.hideGradually = true;
    const auto out = Tick(in, "stamp");
    EXPECT_TRUE(out.stopTimer);
    EXPECT_EQ(out.alpha, 255);
    EXPECT_EQ(out.elapsed, 9);  // kept, so that unpinning resumes the count
    EXPECT_FALSE(out.title.has_value());
    EXPECT_FALSE(out.close);
}

TEST(Tick, CountDownOfZeroOrLessClosesAtTheFirstTickWithoutFailing) {
    for (const int countDown : {0, -5, INT_MIN}) {
        TickInput in;
        in.countDown = countDown;
        in.hideGradually = true;
        const auto out = Tick(in, "t");
        EXPECT_TRUE(out.close) << countDown;
        EXPECT_EQ(out.alpha, 0) << countDown;
        EXPECT_EQ(out.title, "t (" + std::to_string(static_cast<long long>(countDown) - 1) + ")");
    }
}

TEST(Tick, ExtremeValuesNeitherOverflowNorStall) {
    TickInput in;
    in.hideGradually = true;
    in.countDown = INT_MAX;
    in.elapsed = INT_MAX;
    auto out = Tick(in, "t");
    EXPECT_EQ(out.elapsed, INT_MAX);
    EXPECT_TRUE(out.close);
    EXPECT_EQ(out.title, "t (-1)");

    in.elapsed = INT_MIN;
    out = Tick(in, "t");
    EXPECT_EQ(out.elapsed, INT_MIN + 1);
    EXPECT_FALSE(out.close);
    EXPECT_EQ(out.alpha, 255);
    EXPECT_EQ(out.title, "t (4294967294)");
}

TEST(Layout, OneLineOfTheDefaultFont) {
    LayoutInput in;
    in.lineCount = 1;
    in.charHeight = ui::FontPixelHeight(9, 96);
    const auto out = LayoutHeight(in);
    EXPECT_EQ(out.clientHeight, 20);
    EXPECT_FALSE(out.verticalScrollBar);
}

TEST(Layout, TallTextStopsAtTheMaximumWithTheChosenScrollBar) {
    LayoutInput in;
    in.lineCount = 20;
    in.charHeight = 12;
    in.maxHeight = 120;
    in.scrollBarVertical = true;
    auto out = LayoutHeight(in);
    EXPECT_EQ(out.clientHeight, 128);
    EXPECT_TRUE(out.verticalScrollBar);
    in.scrollBarVertical = false;
    out = LayoutHeight(in);
    EXPECT_EQ(out.clientHeight, 128);
    EXPECT_FALSE(out.verticalScrollBar);

    in.scrollBarVertical = true;
    in.lineCount = 10;  // exactly the maximum: everything shows, no scroll bar
    out = LayoutHeight(in);
    EXPECT_EQ(out.clientHeight, 128);
    EXPECT_FALSE(out.verticalScrollBar);
    in.lineCount = 11;
    EXPECT_TRUE(LayoutHeight(in).verticalScrollBar);
}

TEST(Layout, TrailingLineBreakAndEmptyText) {
    LayoutInput in;
    in.charHeight = 12;
    in.lineCount = 2;
    in.lastLineEmpty = true;
    EXPECT_EQ(LayoutHeight(in).clientHeight, 20);
    in.lastLineEmpty = false;
    EXPECT_EQ(LayoutHeight(in).clientHeight, 32);

    in.textEmpty = true;
    const auto out = LayoutHeight(in);
    EXPECT_FALSE(out.clientHeight.has_value());
    EXPECT_FALSE(out.verticalScrollBar);
}

TEST(Layout, ExtremeSettingsGiveAUsableHeight) {
    LayoutInput in;
    in.lineCount = INT_MAX;
    in.charHeight = INT_MAX;
    in.maxHeight = INT_MAX;
    EXPECT_EQ(LayoutHeight(in).clientHeight, INT_MAX);
    in.maxHeight = -50;  // never a negative window
    EXPECT_EQ(LayoutHeight(in).clientHeight, 8);
}

TEST(WorkArea, RightAndBottomOverhangsArePulledBack) {
    const clipwindow::WorkArea area{0, 0, 1920, 1040};
    EXPECT_EQ(KeepInWorkArea({1850, 100, 200, 128}, area), (Position{1720, 100}));
    EXPECT_EQ(KeepInWorkArea({100, 1000, 200, 128}, area), (Position{100, 912}));
    EXPECT_EQ(KeepInWorkArea({1900, 1030, 200, 128}, area), (Position{1720, 912}));
    EXPECT_EQ(KeepInWorkArea({1720, 912, 200, 128}, area), (Position{1720, 912}));  // just fits
}

TEST(WorkArea, LeftAndTopEdgesAreNotTested) {
    const clipwindow::WorkArea area{0, 40, 1920, 1080};
    EXPECT_EQ(KeepInWorkArea({-50, 10, 200, 128}, area), (Position{-50, 10}));
    // Wider than the area: the right edge wins and the left one sticks out.
    EXPECT_EQ(KeepInWorkArea({10, 100, 2000, 128}, area), (Position{-80, 100}));
}

TEST(WorkArea, SecondMonitorAndExtremeValues) {
    EXPECT_EQ(KeepInWorkArea({3800, 500, 200, 100}, {1920, 0, 3840, 1040}), (Position{3640, 500}));
    EXPECT_EQ(KeepInWorkArea({0, 0, INT_MAX, INT_MAX}, {0, 0, INT_MIN, INT_MIN}), (Position{INT_MIN, INT_MIN}));
}

TEST(Zoom, StepsOnePointAndStopsAtTheEndsOfAnInt) {
    const struct {
        int size, step, zoomed;
    } cases[] = {{9, 1, 10}, {9, -1, 8}, {0, -1, -1}, {INT_MAX, 1, INT_MAX}, {INT_MIN, -1, INT_MIN},
                 {INT_MAX, -1, INT_MAX - 1}, {INT_MIN, 1, INT_MIN + 1}};
    for (const auto& c : cases) EXPECT_EQ(clipwindow::ZoomedSize(c.size, c.step), c.zoomed) << c.size << " " << c.step;
}

TEST(ShownText, IsCutAtTheLimitButNeverInsideASurrogatePair) {
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
    const struct {
        std::wstring text;
        std::size_t limit, shown;
    } cases[] = {{L"", 4, 0}, {L"abcd", 4, 4}, {L"abcde", 4, 4}, {L"abc" + pair, 4, 3}, {L"ab" + pair, 4, 4},
                 {pair + L"x", 1, 0}};
    for (const auto& c : cases) {
        clipwindow::ShowBudget budget;
        budget.units = c.limit;
        EXPECT_EQ(clipwindow::ShownPart(std::wstring_view(c.text), budget), c.shown) << c.text.size();
    }
}

}  // namespace

namespace {

// A clip shows what fits in its budget of wrapped lines, whatever the text's
// shape: a line with no break is cut where its share of the lines runs out.
TEST(ShownText, ALongTextShowsWhatFitsInTheBudgetsLines) {
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
    std::wstring lines;
    for (int i = 0; i < 100; ++i) lines += L"line\r\n";
    const struct {
        const char* what;
        std::wstring text;
        std::size_t shown;
    } cases[] = {
        {"short", L"a few words", 11},
        {"one line just as long as its share", std::wstring(20 * 10, L'x'), 200},
        {"one unbroken line, cut where its share of lines ends", std::wstring(20000, L'x'), 200},
        {"short lines, cut after the fortieth", lines, 40 * 6},
        {"a long line after short ones", L"a\r\nb\r\n" + std::wstring(1000, L'x'), 6 + 200},
        {"never inside a surrogate pair", std::wstring(199, L'x') + pair + L"y", 199},
        {"an empty line counts as one", std::wstring(25, L'\n') + std::wstring(300, L'x'), 25 + 150},
    };
    clipwindow::ShowBudget budget;
    budget.lines = 40;
    budget.paragraphLines = 20;
    budget.unitsPerLine = 10;
    for (const auto& c : cases) {
        EXPECT_EQ(clipwindow::ShownPart(platform::CompactText(c.text), budget), c.shown) << c.what;
    }
    budget.units = 100;
    EXPECT_EQ(clipwindow::ShownPart(platform::CompactText(std::wstring(300, L'x')), budget), 100u);
    // Four window heights of lines, and never fewer than forty; at least one unit a line.
    EXPECT_EQ(clipwindow::BudgetFor(200, 5, 10).lines, 40u);
    EXPECT_EQ(clipwindow::BudgetFor(200, 5, 25).lines, 100u);
    EXPECT_EQ(clipwindow::BudgetFor(200, 5, 25).paragraphLines, 50u);
    EXPECT_EQ(clipwindow::BudgetFor(200, 5, 10).unitsPerLine, 40u);
    EXPECT_EQ(clipwindow::BudgetFor(0, 0, 0).unitsPerLine, 1u);
}

}  // namespace
