#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <array>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "clipboard/ClipManager.h"

namespace {

using clipboard::ClipManager;
using clipboard::kClipSlots;
using clipboard::Outcome;
using clipboard::WriteOutcome;
using platform::ReadStatus;

platform::ClipboardText TextOf(const std::wstring& text) {
    return {platform::CompactText(text), std::nullopt, 0, text.size()};
}

// The program around the manager: a fake clock, a fake clipboard that a
// read takes as it is when the read starts, and clip windows as records.
// A window activates when it is shown or focused, as a real one does.
// `log` has the road's calls in order.
class FakeRoad final : public clipboard::ClipShell {
public:
    struct Clip {
        bool pinned = false;
        std::wstring text;
    };

    ClipManager manager{*this};
    clipboard::RoadSettings options;
    std::uint32_t now = 10'000'000;
    std::uint32_t sequence = 1;     // the clipboard's number; a fixed 0 is a system that does not tell
    bool sequenceKnown = true;
    platform::ClipboardRead content;  // what a read finds
    int heldReads = 0;                // so many reads find the clipboard held first
    bool renderMovesSequence = false;  // the owner renders on request, which moves the number
    bool readsEndAtOnce = true;        // a read ends before StartRead returns, as a short one does
    std::deque<WriteOutcome> writes;  // the outcomes of the next writes; then Written
    bool writesHeld = false;          // every write finds the clipboard held
    bool failMake = false;
    std::function<void()> onPassOn;
    std::vector<std::string> log;
    std::vector<Outcome> outcomes;
    std::array<std::optional<Clip>, kClipSlots> clips;
    std::optional<std::uint64_t> reading;
    platform::ClipboardRead readFound;
    std::optional<std::uint32_t> tickAt;
    std::optional<long long> askedLimit;
    int reads = 0;
    int previews = 0;
    int comparisons = 0;
    int firstPageShown = 0;
    int passDepth = 0;
    int deepestPass = 0;
    bool watching = true;

    explicit FakeRoad(bool startedUp = true) {
        manager.StartWatching();
        if (startedUp) manager.StartUpFinished();
        log.clear();
    }

    // Another program copies text, afterMs after the last copy, and the chain is told.
    void Copy(const std::wstring& text, std::uint32_t afterMs = 3000) {
        content = {};
        content.text = TextOf(text);
        Change(afterMs);
    }
    void Change(std::uint32_t afterMs = 3000) {
        now += afterMs;
        ++sequence;
        manager.Notified();
    }
    // The read under way ends with what it found.
    void Finish() {
        ASSERT_TRUE(reading);
        platform::ClipboardRead found = readFound;
        found.id = *std::exchange(reading, std::nullopt);
        manager.ReadEnded(std::move(found));
    }
    // Time passes; the ticks asked for come on time.
    void Advance(std::uint32_t ms) {
        const std::uint32_t end = now + ms;
        while (tickAt && static_cast<std::int32_t>(end - *tickAt) >= 0) {
            now = *std::exchange(tickAt, std::nullopt);
            manager.Tick();
        }
        now = end;
    }
    std::vector<std::wstring> OpenClips() const {
        std::vector<std::wstring> texts;
        for (int slot = 0; slot < kClipSlots; ++slot) {
            if (manager.SlotFlag(slot)) texts.push_back(clips[static_cast<std::size_t>(slot)]->text);
        }
        return texts;
    }

    std::uint32_t Now() override { return now; }
    std::uint32_t ClipboardSequence() override { return sequenceKnown ? sequence : 0; }
    clipboard::RoadSettings CurrentSettings() override { return options; }
    void JoinChain() override { log.push_back("join"); }
    void LeaveChain() override { log.push_back("leave"); }
    void ShowWatching(bool shown) override { watching = shown; }
    void PassOn() override {
        log.push_back("pass");
        deepestPass = std::max(deepestPass, ++passDepth);
        if (onPassOn) std::exchange(onPassOn, nullptr)();
        --passDepth;
    }
    void StartRead(std::uint64_t id, std::optional<long long> sizeLimit) override {
        log.push_back("read");
        ++reads;
        askedLimit = sizeLimit;
        reading = id;
        readFound = content;
        if (heldReads > 0) {
            --heldReads;
            readFound = {};
            readFound.status = ReadStatus::Held;
        }
        if (renderMovesSequence) ++sequence;
        readFound.sequence = ClipboardSequence();  // taken while the read holds the clipboard
        if (readsEndAtOnce) Finish();
    }
    void GiveUpRead(std::uint64_t) override {
        log.push_back("give up");
        reading.reset();
    }
    void ScheduleTick(std::optional<std::uint32_t> delayMs) override {
        tickAt = delayMs ? std::optional<std::uint32_t>(now + *delayMs) : std::nullopt;
    }
    clipboard::WriteResult WriteClipText(int slot, bool) override {
        log.push_back("write " + std::to_string(slot));
        WriteOutcome outcome = writesHeld ? WriteOutcome::Held : WriteOutcome::Written;
        if (!writes.empty()) outcome = writes.front(), writes.pop_front();
        if (outcome == WriteOutcome::Written) ++sequence;  // outside the chain: no notification
        return {outcome};
    }
    void ShowCopyOutcome(int slot, bool copied) override {
        log.push_back((copied ? "copied " : "not copied ") + std::to_string(slot));
    }
    void Settled(Outcome outcome, std::uint32_t, std::string_view) override { outcomes.push_back(outcome); }
    void Preview(const platform::ClipboardText&) override { ++previews; }
    bool IsClipText(int slot, const platform::ClipboardText& text) override {
        ++comparisons;
        return clips[static_cast<std::size_t>(slot)]->text == text.text.ToWide();
    }
    bool Pinned(int slot) override { return clips[static_cast<std::size_t>(slot)]->pinned; }
    void FocusClip(int slot) override { manager.ClipTouched(slot); }
    void ShowFirstPage() override { ++firstPageShown; }
    void MakeClipWindow(int slot) override {
        if (failMake) throw std::runtime_error("no window");
        clips[static_cast<std::size_t>(slot)] = Clip{};
    }
    void ShowClip(int slot, platform::CompactText text, int, bool) override {
        log.push_back("clip " + std::string(text.size(), '.'));
        clips[static_cast<std::size_t>(slot)]->text = text.ToWide();
        manager.ClipTouched(slot);
    }
    void CloseClip(int slot) override {
        manager.ClipClosed(slot);
        clips[static_cast<std::size_t>(slot)].reset();
    }
};

// One guarantee of the road: a sequence of events, how each notified change
// ended, the texts of the open clips, and the road's calls in order.
struct RoadCase {
    const char* what;
    std::function<void(FakeRoad&)> run;
    std::vector<Outcome> outcomes;
    std::vector<std::wstring> clips;
    std::vector<std::string> log;  // empty: not checked
    std::function<void(FakeRoad&)> check = nullptr;
    bool startedUp = true;
};

const RoadCase kRoadCases[] = {
    {"a slow read's change is passed on only once the read has closed the clipboard",
     [](FakeRoad& r) {
         r.readsEndAtOnce = false;
         r.Copy(L"large");
         r.Advance(150);
         r.Finish();
     },
     {Outcome::Clip}, {L"large"}, {"read", "clip .....", "pass"}},
    {"a copy back during a slow read waits for the read's end, then writes",
     [](FakeRoad& r) {
         r.Copy(L"a");
         r.readsEndAtOnce = false;
         r.Copy(L"large");
         r.manager.CopyBack(0);
         r.Advance(500);
         r.Finish();
     },
     {Outcome::Clip, Outcome::Clip}, {L"a", L"large"},
     {"read", "clip .", "pass", "read", "clip .....", "pass", "write 0", "copied 0"}},
    {"a copy back while another program holds the clipboard is written on a retry",
     [](FakeRoad& r) {
         r.Copy(L"a");
         r.writes = {WriteOutcome::Held, WriteOutcome::Held};
         r.manager.CopyBack(0);
         r.Advance(100);
     },
     {Outcome::Clip}, {L"a"}, {"read", "clip .", "pass", "write 0", "write 0", "write 0", "copied 0"}},
    {"a copy back that stays held shows after the limit that nothing was copied",
     [](FakeRoad& r) {
         r.Copy(L"a");
         r.writesHeld = true;
         r.manager.CopyBack(0);
         r.Advance(ClipManager::kHeldLimitMs + 100);
     },
     {Outcome::Clip}, {L"a"}, {},
     [](FakeRoad& r) {
         EXPECT_EQ(r.log.back(), "not copied 0");
         EXPECT_EQ(std::count(r.log.begin(), r.log.end(), "copied 0"), 0);
         EXPECT_FALSE(r.tickAt) << "no more retries";
     }},
    {"a copy back that fails at once says so at once",
     [](FakeRoad& r) {
         r.Copy(L"a");
         r.writes = {WriteOutcome::Failed};
         r.manager.CopyBack(0);
     },
     {Outcome::Clip}, {L"a"}, {"read", "clip .", "pass", "write 0", "not copied 0"}},
    {"a finished read is shown though a newer change came meanwhile; the newer is read after it",
     [](FakeRoad& r) {
         r.readsEndAtOnce = false;
         r.Copy(L"A");
         r.Copy(L"B", 100);
         r.Finish();
         r.Finish();
     },
     {Outcome::Clip, Outcome::Clip}, {L"A", L"B"}, {"read", "clip .", "pass", "read", "clip .", "pass"}},
    {"changes faster than one read each still end in a clip",
     [](FakeRoad& r) {
         r.readsEndAtOnce = false;
         r.Copy(L"A");
         for (const wchar_t* text : {L"B", L"C", L"D"}) {
             r.Copy(text, 100);
             r.Finish();
         }
         r.Finish();
     },
     {Outcome::Clip, Outcome::Clip, Outcome::Clip, Outcome::Clip}, {L"B", L"C", L"D"}},
    {"a sequence number moved by the read's own rendering drops no retried change",
     [](FakeRoad& r) {
         r.renderMovesSequence = true;
         r.heldReads = 2;
         r.Copy(L"rendered late");
         r.Advance(50);
     },
     {Outcome::Clip}, {L"rendered late"}, {"read", "pass", "read", "read", "clip ............."}},
    {"a late notification after a read that moved the number brings nothing new",
     [](FakeRoad& r) {
         r.renderMovesSequence = true;
         r.Copy(L"A");
         r.manager.Notified();
     },
     {Outcome::Clip, Outcome::AlreadyRead}, {L"A"}, {"read", "clip .", "pass", "pass"}},
    {"a read that never ends is given up; the next change is read afresh; quitting does not wait",
     [](FakeRoad& r) {
         r.readsEndAtOnce = false;
         r.Copy(L"never rendered");
         r.Advance(ClipManager::kReadLimitMs);
         r.Copy(L"B");
         r.Finish();
         r.Copy(L"at the end");
         r.manager.Quit();
     },
     {Outcome::ReadTooLong, Outcome::Clip, Outcome::Ended}, {L"B"},
     {"read", "give up", "pass", "read", "clip .", "pass", "read", "give up", "pass"}},
    {"a sequence number of 0 never makes an old read count as current",
     [](FakeRoad& r) {
         r.sequenceKnown = false;
         r.Copy(L"A");
         r.Copy(L"B");
         r.manager.Notified();  // B again, as far as anyone can tell
     },
     {Outcome::Clip, Outcome::Clip, Outcome::Repeat}, {L"A", L"B"}},
    {"a text the filter turns away is neither previewed nor compared",
     [](FakeRoad& r) {
         r.Copy(L"small");
         r.content = {};
         r.content.tooLarge = true;
         r.Change();
     },
     {Outcome::Clip, Outcome::TooLarge}, {L"small"}, {},
     [](FakeRoad& r) {
         EXPECT_EQ(r.previews, 1);
         EXPECT_EQ(r.comparisons, 0);
     }},
    {"a read that runs out of memory is given up at once, not read again",
     [](FakeRoad& r) {
         r.content.status = ReadStatus::OutOfMemory;
         r.Change();
         r.Advance(1000);
     },
     {Outcome::ReadFailed}, {}, {"read", "pass"}},
    {"a clipboard held past the limit is given up; a late notification of it is not read again",
     [](FakeRoad& r) {
         r.heldReads = 1000;
         r.Copy(L"held for good");
         r.Advance(ClipManager::kHeldLimitMs + 50);
         const int reads = r.reads;
         r.heldReads = 0;
         r.manager.Notified();
         EXPECT_EQ(r.reads, reads + 1) << "a later notification reads it once it can be read";
     },
     {Outcome::HeldTooLong, Outcome::Clip}, {L"held for good"}},
    {"a newer change takes the place of one waiting for a held clipboard",
     [](FakeRoad& r) {
         r.heldReads = 1;
         r.Copy(L"held, then replaced");
         r.Copy(L"newer", 5);
     },
     {Outcome::Replaced, Outcome::Clip}, {L"newer"}},
    {"suspend settles what is under way; a read that ends after it shows nothing",
     [](FakeRoad& r) {
         r.readsEndAtOnce = false;
         r.Copy(L"A");
         r.manager.Suspend();
         r.Finish();
         r.manager.Resume();
         r.readsEndAtOnce = true;
         r.Copy(L"after resume");
     },
     {Outcome::Suspended, Outcome::Clip}, {L"after resume"},
     {"read", "pass", "leave", "join", "read", "clip ............", "pass"}},
    {"changes during start-up are passed on at once and the last is read once it is over",
     [](FakeRoad& r) {
         r.Copy(L"first");
         r.Copy(L"second");
         EXPECT_EQ(r.reads, 0);
         r.manager.StartUpFinished();
     },
     {Outcome::Replaced, Outcome::Clip}, {L"second"}, {"pass", "pass", "read", "clip ......"}, nullptr, false},
    {"the program's own copy back takes a waiting change's place",
     [](FakeRoad& r) {
         r.Copy(L"A");
         r.heldReads = 1000;
         r.Copy(L"held");
         r.manager.CopyBack(0);
         r.heldReads = 0;
         r.Advance(100);
         r.manager.Notified();  // a late notification of the copy back
     },
     {Outcome::Clip, Outcome::OwnCopy, Outcome::AlreadyRead}, {L"A"},
     {"read", "clip .", "pass", "read", "pass", "write 0", "copied 0", "pass"}},
    {"a notification while one is passed on is handled after it: nothing nests",
     [](FakeRoad& r) {
         r.onPassOn = [&r] { r.Copy(L"during the pass"); };
         r.Copy(L"A");
     },
     {Outcome::Clip, Outcome::Clip}, {L"A", L"during the pass"}, {},
     [](FakeRoad& r) { EXPECT_EQ(r.deepestPass, 1); }},
    {"a window that cannot be made settles its change and keeps the pending text",
     [](FakeRoad& r) {
         r.failMake = true;
         r.Copy(L"kept");
         ASSERT_TRUE(r.manager.PendingText());
         EXPECT_EQ(r.manager.PendingText()->text, std::wstring_view(L"kept"));
     },
     {Outcome::WindowFailed}, {}},
};

void PrintTo(const RoadCase& c, std::ostream* out) { *out << c.what; }

class Road : public ::testing::TestWithParam<RoadCase> {};

TEST_P(Road, KeepsItsGuarantee) {
    const RoadCase& c = GetParam();
    FakeRoad road(c.startedUp);
    c.run(road);
    EXPECT_EQ(road.outcomes, c.outcomes);
    EXPECT_EQ(road.OpenClips(), c.clips);
    if (!c.log.empty()) {
        EXPECT_EQ(road.log, c.log);
    }
    if (c.check) c.check(road);
    // Every change notified has ended in one outcome.
    EXPECT_EQ(road.manager.Notifications(), road.manager.Settlements());
}

std::string CaseName(const ::testing::TestParamInfo<RoadCase>& info) {
    std::string name;
    for (const char* c = info.param.what; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
    }
    return std::to_string(info.index) + "_" + name.substr(0, 40);
}

INSTANTIATE_TEST_SUITE_P(ClipManager, Road, ::testing::ValuesIn(kRoadCases), CaseName);

TEST(ClipManager, FourthTextClosesTheFirstUnderLimitThree) {
    FakeRoad road;
    for (const wchar_t* text : {L"one", L"two", L"three", L"four"}) road.Copy(text);
    EXPECT_EQ(road.OpenClips(), (std::vector<std::wstring>{L"two", L"three", L"four"}));
    EXPECT_EQ(road.firstPageShown, 4);
    EXPECT_FALSE(road.manager.PendingText());
}

TEST(ClipManager, ALargeTextIsTurnedAwayUnreadUnlessTheNewestClipIsAsLarge) {
    FakeRoad road;
    road.options.sizeOfText = 10;
    road.Copy(L"small");
    EXPECT_EQ(road.askedLimit, ClipManager::kPreviewBytes) << "read whole up to the preview's size";
    // A newest clip made with the filter off: only the whole text can say whether it comes again.
    const std::wstring large(ClipManager::kPreviewBytes + 1, L'x');
    road.options.ignoreLargeText = false;
    road.Copy(large);
    road.options.ignoreLargeText = true;
    road.Copy(large);
    EXPECT_EQ(road.askedLimit, std::nullopt);
    EXPECT_EQ(road.outcomes.back(), Outcome::Repeat);
}

TEST(ClipManager, RepeatFocusesOnlyTheNewestClip) {
    FakeRoad road;
    road.Copy(L"A");
    const auto first = road.manager.Serial(0);
    road.Copy(L"A");
    EXPECT_GT(road.manager.Serial(0), first);
    road.Copy(L"B");
    road.Copy(L"A");  // compared with B only
    EXPECT_EQ(road.OpenClips(), (std::vector<std::wstring>{L"A", L"B", L"A"}));
    road.manager.ClipClosed(2);  // the newest closed itself: its text is a new clip again
    road.Copy(L"A");
    EXPECT_EQ(road.outcomes.back(), Outcome::Clip);
}

TEST(ClipManager, PinnedClipsCountButStay) {
    FakeRoad road;
    for (const wchar_t* text : {L"p1", L"p2", L"p3"}) road.Copy(text);
    for (int slot = 0; slot < 3; ++slot) road.clips[static_cast<std::size_t>(slot)]->pinned = true;
    road.Copy(L"new1");
    road.Copy(L"new2");  // new1 goes, new2 takes the next slot
    EXPECT_EQ(road.OpenClips(), (std::vector<std::wstring>{L"p1", L"p2", L"p3", L"new2"}));
    EXPECT_TRUE(road.manager.SlotFlag(4));
    road.manager.CloseAllClips();
    EXPECT_EQ(road.OpenClips(), (std::vector<std::wstring>{L"p1", L"p2", L"p3"}));
}

TEST(ClipManager, FiftyOneOpenClipsLeaveNoRoom) {
    FakeRoad road;
    road.options.maxClipCount = 50;
    for (int i = 0; i < kClipSlots; ++i) {
        road.Copy(L"clip " + std::to_wstring(i));
        road.clips[static_cast<std::size_t>(i)]->pinned = true;
    }
    road.Copy(L"one too many");
    EXPECT_EQ(road.OpenClips().size(), 51u);
    EXPECT_EQ(road.outcomes.back(), Outcome::NoFreeSlot);
    EXPECT_FALSE(road.manager.PendingText());
}

TEST(ClipManager, DoubleCopyNeedsASecondChange101To999MsLaterAndAHeldOneKeepsItsTime) {
    FakeRoad road;
    road.options.doubleCopy = true;
    road.Copy(L"first");  // its elapsed time is the uptime
    for (const std::uint32_t gap : {50u, 100u, 1000u, 1500u}) road.Copy(L"again", gap);
    EXPECT_TRUE(road.OpenClips().empty());
    // Held for 300 ms: the rule measures between notifications, not reads.
    road.heldReads = 20;
    road.Copy(L"again", 500);
    road.Advance(300);
    EXPECT_EQ(road.OpenClips(), std::vector<std::wstring>{L"again"});
    EXPECT_EQ(road.manager.LastChangeTime(), road.now - 300);
}

TEST(ClipManager, SecretsMakeNoClipAndLeaveThePendingText) {
    FakeRoad road;
    road.options.doubleCopy = true;
    road.Copy(L"visible");
    road.content = {};
    road.content.excluded = true;
    road.Change(500);  // would be a double copy
    EXPECT_TRUE(road.OpenClips().empty());
    EXPECT_EQ(road.outcomes.back(), Outcome::Secret);
    ASSERT_TRUE(road.manager.PendingText());
    EXPECT_EQ(road.manager.PendingText()->text, std::wstring_view(L"visible"));
}

}  // namespace
