#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
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

// The manager's bookkeeping around the rules, as the main window runs it, so
// that whole copy sequences can be played through.
class ClipSession {
public:
    explicit ClipSession(int limit) : limit_(limit) {}

    void Copy(const std::string& text) {
        const auto last = static_cast<std::size_t>(lastSlot_);
        clipboard::IntakeInput in;
        in.textBytes = text.size();
        in.newestOpen = flags_[last];
        in.equalsNewest = texts_[last] == text;
        const auto decision = clipboard::DecideIntake(in);
        if (decision.focusNewest) table_[last].serial = ++counter_;  // activation
        if (decision.accept) {
            if (const auto slot = clipboard::FirstFreeSlot(flags_)) {
                const auto s = static_cast<std::size_t>(*slot);
                counter_ += 2;  // one for the new clip, one for its first activation
                table_[s] = {true, false, counter_};
                flags_[s] = true;
                texts_[s] = text;
                lastSlot_ = *slot;
            }
        }
        for (const int slot : clipboard::TrimClips(table_, counter_, limit_)) {
            table_[static_cast<std::size_t>(slot)].present = false;
            flags_[static_cast<std::size_t>(slot)] = false;
        }
    }
    void Pin(int slot) { table_[static_cast<std::size_t>(slot)].pinned = true; }
    void CloseItself(int slot) { flags_[static_cast<std::size_t>(slot)] = false; }
    std::vector<int> OpenSlots() const {
        std::vector<int> open;
        for (int s = 0; s < kClipSlots; ++s)
            if (flags_[static_cast<std::size_t>(s)]) open.push_back(s);
        return open;
    }
    std::int32_t Serial(int slot) const { return table_[static_cast<std::size_t>(slot)].serial; }

private:
    int limit_;
    std::array<bool, kClipSlots> flags_{};
    ClipTable table_{};
    std::array<std::string, kClipSlots> texts_{};
    int lastSlot_ = 0;
    std::int32_t counter_ = 0;
};

TEST(ClipSession, FourthTextClosesTheFirstUnderLimitThree) {
    ClipSession session(3);
    for (const char* text : {"one", "two", "three", "four"}) session.Copy(text);
    EXPECT_EQ(session.OpenSlots(), (std::vector<int>{1, 2, 3}));
}

TEST(ClipSession, RepeatFocusesOnlyTheNewestClip) {
    ClipSession session(3);
    session.Copy("A");
    const auto first = session.Serial(0);
    session.Copy("A");
    EXPECT_EQ(session.OpenSlots(), std::vector<int>{0});
    EXPECT_GT(session.Serial(0), first);

    session.Copy("B");
    session.Copy("A");  // compared with B only
    EXPECT_EQ(session.OpenSlots(), (std::vector<int>{0, 1, 2}));
}

TEST(ClipSession, TextOfAClosedNewestClipMakesANewWindow) {
    ClipSession session(3);
    session.Copy("A");
    session.CloseItself(0);
    session.Copy("A");
    EXPECT_EQ(session.OpenSlots(), std::vector<int>{0});  // the freed slot takes it again
}

TEST(ClipSession, ThreePinnedAndLimitThreeKeepFourOpen) {
    ClipSession session(3);
    for (const char* text : {"p1", "p2", "p3"}) session.Copy(text);
    for (int slot = 0; slot < 3; ++slot) session.Pin(slot);
    session.Copy("new1");
    EXPECT_EQ(session.OpenSlots(), (std::vector<int>{0, 1, 2, 3}));
    session.Copy("new2");  // new1 goes, new2 takes the next slot
    EXPECT_EQ(session.OpenSlots(), (std::vector<int>{0, 1, 2, 4}));
}

TEST(ClipSession, FiftyOnePinnedClipsLeaveNoRoom) {
    ClipSession session(50);
    for (int i = 0; i < kClipSlots; ++i) {
        session.Copy("clip " + std::to_string(i));
        session.Pin(i);
    }
    ASSERT_EQ(session.OpenSlots().size(), 51u);
    session.Copy("one too many");
    EXPECT_EQ(session.OpenSlots().size(), 51u);
}

}  // namespace
