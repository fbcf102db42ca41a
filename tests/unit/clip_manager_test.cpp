#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "clipboard/ClipManager.h"

namespace {

using clipboard::ClipboardRead;
using clipboard::ClipManager;
using clipboard::kClipSlots;

// Clip windows as plain records. A window activates when it is shown or
// focused, as a real one does, which makes it the newest clip.
class FakeWindows : public clipboard::ClipWindows {
public:
    struct Clip {
        bool present = false;
        bool pinned = false;
        std::int32_t serial = 0;
        std::wstring text;
    };

    ClipManager manager{*this};
    clipboard::ClipOptions options;
    ClipboardRead next;
    std::uint32_t now = 10'000'000;
    bool failRead = false;
    bool failCreate = false;
    std::function<void()> duringRead;
    std::array<Clip, kClipSlots> clips;
    int reads = 0;
    int retries = 0;  // retries asked for
    int firstPageShown = 0;
    int previews = 0;
    std::optional<long long> askedLimit;  // the size limit of the last read

    std::uint32_t sequence = 0;

    // A copy of text by another program, a few seconds after the last one.
    void Copy(const std::string& text, std::uint32_t afterMs = 3000) {
        next = {false, text, std::wstring(text.begin(), text.end())};
        now += afterMs;
        ++sequence;
        manager.ClipboardChanged();
    }
    std::vector<int> Open() const {
        std::vector<int> open;
        for (int slot = 0; slot < kClipSlots; ++slot) {
            if (manager.SlotFlag(slot)) open.push_back(slot);
        }
        return open;
    }

    ClipboardRead ReadClipboard(std::optional<long long> sizeLimit) override {
        ++reads;
        askedLimit = sizeLimit;
        if (duringRead) std::exchange(duringRead, nullptr)();
        if (failRead) throw std::runtime_error("held by another program");
        return next;
    }
    void RetryRead(unsigned) override { ++retries; }
    std::uint32_t TickCount() override { return now; }
    std::uint32_t ClipboardSequence() override { return sequence; }
    clipboard::ClipOptions Options() override { return options; }
    void Preview(const std::string&) override { ++previews; }
    clipboard::ClipEntry Entry(int slot) override {
        const Clip& clip = clips[static_cast<std::size_t>(slot)];
        return {clip.present, clip.pinned, clip.serial};
    }
    bool IsClipText(int slot, const std::string& text) override {
        return clips[static_cast<std::size_t>(slot)].text == std::wstring(text.begin(), text.end());
    }
    void FocusClip(int slot) override { clips[static_cast<std::size_t>(slot)].serial = manager.TouchClipCounter(); }
    void ShowFirstPage() override { ++firstPageShown; }
    void CreateClip(int slot) override {
        if (failCreate) throw std::runtime_error("no window");
        clips[static_cast<std::size_t>(slot)] = Clip{};
        clips[static_cast<std::size_t>(slot)].present = true;
    }
    void ShowClipWindow(int slot, std::wstring text) override {
        clips[static_cast<std::size_t>(slot)].text = text;
        FocusClip(slot);
    }
    void StartClip(int slot, std::int32_t serial, int, bool) override {
        clips[static_cast<std::size_t>(slot)].serial = serial;
    }
    void CloseClip(int slot) override {
        clips[static_cast<std::size_t>(slot)] = Clip{};
        manager.ClipClosed(slot);
    }
};

TEST(ClipManager, FourthTextClosesTheFirstUnderLimitThree) {
    FakeWindows windows;
    for (const char* text : {"one", "two", "three", "four"}) windows.Copy(text);
    EXPECT_EQ(windows.Open(), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(windows.clips[0].present);
    EXPECT_EQ(windows.firstPageShown, 4);
    EXPECT_TRUE(windows.manager.PendingText().empty());
}

TEST(ClipManager, ALargeTextIsTurnedAwayUnreadUnlessTheNewestClipIsAsLarge) {
    FakeWindows windows;
    windows.options.sizeOfText = 10;
    windows.Copy("small");
    EXPECT_EQ(windows.askedLimit, ClipManager::kPreviewBytes) << "read whole up to the preview's size";
    const int previews = windows.previews;
    const auto serial = windows.clips[0].serial;
    windows.next = {};
    windows.next.tooLarge = true;  // what the read says of a text over the limit it was given
    ++windows.sequence;
    windows.manager.ClipboardChanged();
    EXPECT_EQ(windows.Open(), std::vector<int>{0});
    EXPECT_EQ(windows.clips[0].serial, serial) << "not taken for a repeat";
    EXPECT_EQ(windows.previews, previews) << "never shown in the sample memo";
    EXPECT_TRUE(windows.manager.PendingText().empty());

    // A newest clip made with the filter off: only the whole text can say whether it comes again.
    const std::string large(ClipManager::kPreviewBytes + 1, 'x');
    windows.options.ignoreLargeText = false;
    windows.Copy(large);
    EXPECT_EQ(windows.askedLimit, std::nullopt);
    windows.options.ignoreLargeText = true;
    windows.Copy(large);
    EXPECT_EQ(windows.askedLimit, std::nullopt);
    EXPECT_EQ(windows.Open(), (std::vector<int>{0, 1})) << "the repeat focused the newest";
}

TEST(ClipManager, RepeatFocusesOnlyTheNewestClip) {
    FakeWindows windows;
    windows.Copy("A");
    const auto first = windows.clips[0].serial;
    windows.Copy("A");
    EXPECT_EQ(windows.Open(), std::vector<int>{0});
    EXPECT_GT(windows.clips[0].serial, first);

    windows.Copy("B");
    windows.Copy("A");  // compared with B only
    EXPECT_EQ(windows.Open(), (std::vector<int>{0, 1, 2}));

    windows.manager.ClipClosed(2);  // the newest closed itself: its text is a new clip again
    windows.Copy("A");
    EXPECT_EQ(windows.Open(), (std::vector<int>{0, 1, 2}));
}

TEST(ClipManager, PinnedClipsCountButStay) {
    FakeWindows windows;
    for (const char* text : {"p1", "p2", "p3"}) windows.Copy(text);
    for (int slot = 0; slot < 3; ++slot) windows.clips[static_cast<std::size_t>(slot)].pinned = true;
    windows.Copy("new1");
    EXPECT_EQ(windows.Open(), (std::vector<int>{0, 1, 2, 3}));
    windows.Copy("new2");  // new1 goes, new2 takes the next slot
    EXPECT_EQ(windows.Open(), (std::vector<int>{0, 1, 2, 4}));

    windows.manager.CloseAllClips();
    EXPECT_EQ(windows.Open(), (std::vector<int>{0, 1, 2}));
}

TEST(ClipManager, FiftyOneOpenClipsLeaveNoRoom) {
    FakeWindows windows;
    windows.options.maxClipCount = 50;
    for (int i = 0; i < kClipSlots; ++i) {
        windows.Copy("clip " + std::to_string(i));
        windows.clips[static_cast<std::size_t>(i)].pinned = true;
    }
    ASSERT_EQ(windows.Open().size(), 51u);
    windows.Copy("one too many");
    EXPECT_EQ(windows.Open().size(), 51u);
    EXPECT_TRUE(windows.manager.PendingText().empty());  // dropped
}

TEST(ClipManager, DoubleCopyNeedsASecondChange101To999MsLater) {
    FakeWindows windows;
    windows.options.doubleCopy = true;
    windows.Copy("first");  // its elapsed time is the uptime
    EXPECT_TRUE(windows.Open().empty());
    for (const std::uint32_t gap : {50u, 100u, 1000u, 1500u}) {
        windows.Copy("again", gap);
        EXPECT_TRUE(windows.Open().empty()) << gap;
    }
    windows.Copy("again", 500);
    EXPECT_EQ(windows.Open(), std::vector<int>{0});
    EXPECT_EQ(windows.manager.LastChangeTime(), windows.now);
}

TEST(ClipManager, ErrorsAreSilentKeepThePendingTextAndStillMoveTheTime) {
    FakeWindows windows;
    windows.failCreate = true;
    windows.Copy("kept");
    EXPECT_EQ(windows.manager.PendingText(), "kept");
    EXPECT_TRUE(windows.Open().empty());
    EXPECT_EQ(windows.manager.LastChangeTime(), windows.now);

    windows.failCreate = false;
    windows.failRead = true;
    windows.now += 3000;
    ++windows.sequence;
    windows.manager.ClipboardChanged();
    EXPECT_EQ(windows.manager.PendingText(), "kept");
    EXPECT_EQ(windows.manager.LastChangeTime(), windows.now);
}

TEST(ClipManager, AChangeDuringAReadIsHandledAfterIt) {
    FakeWindows windows;
    windows.duringRead = [&] {
        ++windows.sequence;
        windows.manager.ClipboardChanged();
    };
    windows.Copy("twice told");
    EXPECT_EQ(windows.reads, 2);                       // one after the other, not nested
    EXPECT_EQ(windows.Open(), std::vector<int>{0});  // the second was a repeat
}

TEST(ClipManager, LateNotificationsOfAChangeAlreadyReadOnlyMoveTheTime) {
    FakeWindows windows;
    windows.Copy("A");
    windows.Copy("B");
    const auto serial = windows.clips[1].serial;
    windows.now += 5;
    windows.manager.ClipboardChanged();  // the same change again, as a queued notification
    EXPECT_EQ(windows.reads, 2);
    EXPECT_EQ(windows.clips[1].serial, serial) << "not taken for a repeat";
    EXPECT_EQ(windows.manager.LastChangeTime(), windows.now);
}

// Another program keeps the clipboard open after a copy: the change stays
// unread until a retry opens it, keeps the time of its notification (the
// double-copy rule measures between notifications), and is given up only
// after kHeldLimitMs; a newer change takes its place.
TEST(ClipManager, AHeldClipboardIsReadOnARetryUntilTheLimit) {
    FakeWindows windows;
    windows.options.doubleCopy = true;
    windows.Copy("first");
    windows.next.held = true;
    windows.now += 500;  // a double copy, by its notification's time
    ++windows.sequence;
    windows.manager.ClipboardChanged();
    windows.manager.ClipboardChanged();  // Wine's second notification of the same copy
    EXPECT_TRUE(windows.manager.ReadWaiting());
    EXPECT_EQ(windows.retries, 2);
    windows.now += 2000;
    windows.manager.RetryRead();
    EXPECT_EQ(windows.retries, 3);
    windows.next.held = false;
    windows.manager.RetryRead();
    EXPECT_FALSE(windows.manager.ReadWaiting());
    EXPECT_EQ(windows.Open(), std::vector<int>{0});
    EXPECT_EQ(windows.clips[0].text, L"first");
    windows.manager.RetryRead();  // a retry that comes late reads nothing
    EXPECT_EQ(windows.reads, 5);

    windows.options.doubleCopy = false;
    windows.Copy("held for good");
    windows.next.held = true;  // the read above had it; this one does not
    ++windows.sequence;
    windows.manager.ClipboardChanged();
    windows.now += clipboard::ClipManager::kHeldLimitMs;
    windows.manager.RetryRead();
    EXPECT_FALSE(windows.manager.ReadWaiting()) << "given up";
    const int reads = windows.reads;
    windows.manager.ClipboardChanged();  // a late notification of the change given up
    EXPECT_EQ(windows.reads, reads);

    for (const char* text : {"held, then replaced", "newer"}) {
        windows.next = {false, text, std::wstring(text, text + std::strlen(text)), true};
        ++windows.sequence;
        windows.manager.ClipboardChanged();
    }
    windows.next.held = false;
    windows.manager.RetryRead();
    std::vector<std::wstring> texts;
    for (const int slot : windows.Open()) texts.push_back(windows.clips[static_cast<std::size_t>(slot)].text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"first", L"held for good", L"newer"}));

    windows.next = {false, "before a copy back", L"before a copy back", true};
    ++windows.sequence;
    windows.manager.ClipboardChanged();
    ++windows.sequence;  // a change not watched (a window's own copy back) comes before the retry
    windows.next.held = false;
    const int readsBefore = windows.reads;
    windows.manager.RetryRead();
    EXPECT_FALSE(windows.manager.ReadWaiting());
    EXPECT_EQ(windows.reads, readsBefore) << "the unwatched change is not read";
}

// A long read goes on elsewhere: the change waits without a timer and past
// the held limit, keeps the time of its notification for the double-copy rule,
// and is shown when the read's end brings its retry.
TEST(ClipManager, AReadThatGoesOnElsewhereIsShownWhenItEnds) {
    FakeWindows windows;
    windows.options.doubleCopy = true;
    windows.Copy("first");
    windows.next.reading = true;
    windows.now += 500;  // a double copy, by its notification's time
    ++windows.sequence;
    windows.manager.ClipboardChanged();
    EXPECT_TRUE(windows.manager.ReadWaiting());
    EXPECT_EQ(windows.retries, 0);
    EXPECT_TRUE(windows.Open().empty());
    windows.now += clipboard::ClipManager::kHeldLimitMs * 2;
    windows.next.reading = false;
    windows.manager.RetryRead();
    EXPECT_FALSE(windows.manager.ReadWaiting());
    EXPECT_EQ(windows.Open(), std::vector<int>{0});
}

TEST(ClipManager, SecretsMakeNoClipAndNoPendingText) {
    FakeWindows windows;
    windows.options.doubleCopy = true;
    windows.Copy("visible");
    windows.next = {true, std::nullopt, L""};
    windows.now += 500;  // would be a double copy
    ++windows.sequence;
    windows.manager.ClipboardChanged();
    EXPECT_TRUE(windows.Open().empty());
    EXPECT_EQ(windows.manager.PendingText(), "visible");
    EXPECT_EQ(windows.manager.LastChangeTime(), windows.now);
}

}  // namespace
