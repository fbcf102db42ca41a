#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "clipboard/ClipRules.h"

namespace {

using clipboard::ClipEntry;
using clipboard::ClipTable;
using clipboard::kClipSlots;

TEST(DoubleCopy, OnlyChangesBetween100And1000MsApartMakeAClip) {
    const std::uint32_t first = 5'000'000;
    EXPECT_FALSE(clipboard::DoubleCopyDue(first + 50, first));
    EXPECT_FALSE(clipboard::DoubleCopyDue(first + 100, first));
    EXPECT_TRUE(clipboard::DoubleCopyDue(first + 101, first));
    EXPECT_TRUE(clipboard::DoubleCopyDue(first + 500, first));
    EXPECT_TRUE(clipboard::DoubleCopyDue(first + 999, first));
    EXPECT_FALSE(clipboard::DoubleCopyDue(first + 1000, first));
    EXPECT_FALSE(clipboard::DoubleCopyDue(first + 1500, first));
}

TEST(DoubleCopy, MeasuresAcrossATickCountWrap) {
    const std::uint32_t beforeWrap = 0xFFFFFF00u;  // 256 ms before the 49.7-day wrap
    EXPECT_TRUE(clipboard::DoubleCopyDue(beforeWrap + 500u, beforeWrap));  // now is 244 after the wrap
    EXPECT_FALSE(clipboard::DoubleCopyDue(beforeWrap + 50u, beforeWrap));
    EXPECT_FALSE(clipboard::DoubleCopyDue(beforeWrap + 1500u, beforeWrap));
    // A clock that seems to run backwards is a huge elapsed time, not a double copy.
    EXPECT_FALSE(clipboard::DoubleCopyDue(1000, 1500));
}

TEST(DoubleCopy, FirstChangeAfterStartMeasuresTheUptime) {
    EXPECT_FALSE(clipboard::DoubleCopyDue(3'600'000, 0));
}

TEST(Intake, LargeTextLimitIsInclusive) {
    clipboard::IntakeInput in;
    in.ignoreLarge = true;
    in.sizeLimit = 1000;
    in.textBytes = 1000;
    EXPECT_TRUE(clipboard::DecideIntake(in).accept);
    in.textBytes = 1001;
    EXPECT_FALSE(clipboard::DecideIntake(in).accept);
    in.ignoreLarge = false;
    in.textBytes = 50'000'000;
    EXPECT_TRUE(clipboard::DecideIntake(in).accept);
    // A limit below zero cannot be met by any text; it must not wrap into a huge size.
    in.ignoreLarge = true;
    in.sizeLimit = -1;
    in.textBytes = 1;
    EXPECT_FALSE(clipboard::DecideIntake(in).accept);
}

TEST(Intake, EmptyTextMakesNothingAndFocusesNothing) {
    clipboard::IntakeInput in;
    in.textBytes = 0;
    in.newestOpen = true;
    in.equalsNewest = true;
    EXPECT_EQ(clipboard::DecideIntake(in), (clipboard::IntakeDecision{false, false}));
}

TEST(Intake, RepeatOfTheOpenNewestClipFocusesItEvenWhenTooLarge) {
    clipboard::IntakeInput in;
    in.textBytes = 10;
    in.newestOpen = true;
    in.equalsNewest = true;
    EXPECT_EQ(clipboard::DecideIntake(in), (clipboard::IntakeDecision{false, true}));
    in.textBytes = 5000;  // over the limit: still a repeat
    EXPECT_EQ(clipboard::DecideIntake(in), (clipboard::IntakeDecision{false, true}));
    in.newestOpen = false;  // the newest closed itself: its text is a new clip again
    in.textBytes = 10;
    EXPECT_EQ(clipboard::DecideIntake(in), (clipboard::IntakeDecision{true, false}));
}

TEST(FirstFreeSlot, TakesTheLowestClearFlag) {
    std::array<bool, kClipSlots> flags{};
    EXPECT_EQ(clipboard::FirstFreeSlot(flags), 0);
    flags.fill(true);
    EXPECT_EQ(clipboard::FirstFreeSlot(flags), std::nullopt);  // 51 open windows: no new one
    flags[50] = false;
    EXPECT_EQ(clipboard::FirstFreeSlot(flags), 50);
    flags[37] = false;
    EXPECT_EQ(clipboard::FirstFreeSlot(flags), 37);
}

ClipTable TableOf(std::initializer_list<std::pair<int, ClipEntry>> entries) {
    ClipTable table{};
    for (const auto& [slot, entry] : entries) table[static_cast<std::size_t>(slot)] = entry;
    return table;
}

TEST(TrimClips, ClosesOldestFirstAndChoosesAgainAfterEachClose) {
    const auto table = TableOf({{0, {true, false, 5}},
                                {1, {true, false, 3}},
                                {2, {true, false, 9}},
                                {3, {true, false, 1}},
                                {4, {true, false, 10}}});
    EXPECT_EQ(clipboard::TrimClips(table, 10, 2), (std::vector<int>{3, 1, 0}));
    EXPECT_EQ(clipboard::TrimClips(table, 10, 5), std::vector<int>{});
    EXPECT_EQ(clipboard::TrimClips(table, 10, 4), std::vector<int>{3});
}

TEST(TrimClips, EqualSerialsCloseTheLowerSlotFirst) {
    const auto table = TableOf({{7, {true, false, 4}}, {2, {true, false, 4}}, {9, {true, false, 6}}});
    EXPECT_EQ(clipboard::TrimClips(table, 6, 2), std::vector<int>{2});
    EXPECT_EQ(clipboard::TrimClips(table, 6, 1), (std::vector<int>{2, 7}));
}

TEST(TrimClips, NewestClipSurvivesEvenOverTheLimit) {
    // Serial equal to the counter marks the newest clip; it is never a candidate.
    const auto table = TableOf({{0, {true, false, 8}}, {1, {true, false, 8}}});
    EXPECT_EQ(clipboard::TrimClips(table, 8, 1), std::vector<int>{});
}

TEST(TrimClips, PinnedClipsCountButAreNeverClosed) {
    const auto table = TableOf({{0, {true, true, 1}},
                                {1, {true, true, 2}},
                                {2, {true, true, 3}},
                                {3, {true, false, 4}},
                                {4, {true, false, 6}}});
    EXPECT_EQ(clipboard::TrimClips(table, 6, 3), std::vector<int>{3});
}

TEST(TrimClips, HiddenEntriesStillCountAndCanBeClosedAgain) {
    // Slot 1 closed itself: its flag is clear but its entry is present until replaced.
    const auto table = TableOf({{0, {true, false, 7}}, {1, {true, false, 2}}, {2, {true, false, 9}}});
    EXPECT_EQ(clipboard::TrimClips(table, 9, 2), std::vector<int>{1});
}

TEST(TrimClips, EmptyEntriesAreIgnored) {
    ClipTable table{};
    table[4] = {false, false, -100};  // a stale serial in an empty entry is not a clip
    table[5] = {true, false, 1};
    table[6] = {true, false, 2};
    EXPECT_EQ(clipboard::TrimClips(table, 2, 1), std::vector<int>{5});
}

TEST(CloseAll, SelectsPresentUnpinnedEntriesInSlotOrder) {
    const auto table = TableOf({{0, {true, true, 1}}, {3, {true, false, 2}}, {5, {false, false, 3}}, {50, {true, false, 4}}});
    EXPECT_EQ(clipboard::CloseAllSelection(table), (std::vector<int>{3, 50}));
    EXPECT_EQ(clipboard::CloseAllSelection(ClipTable{}), std::vector<int>{});
}

}  // namespace
