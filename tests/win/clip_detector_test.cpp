// The clipboard watcher in a real viewer chain with real clipboard changes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "WinTestSupport.h"
#include "clipboard/ClipboardWatcher.h"
#include "platform/Error.h"

using clipboard::ClipboardWatcher;
using namespace std::chrono_literals;
using testsupport::ChainViewer;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::SetClipboardText;

namespace {

// Counts the changes and, as the owner of a watcher must, tells the next viewer.
struct Counter {
    int calls = 0;
    ClipboardWatcher::ChangeHandler Handler() {
        return [this](ClipboardWatcher& sender) {
            ++calls;
            sender.PassOn();
        };
    }
};

class ClipDetectorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetClipboardText(L"already there")); PumpFor(50ms); }
};

TEST_F(ClipDetectorTest, JoiningReportsNothingAndEachCopyReportsOnce) {
    ClipboardWatcher detector;
    Counter counter;
    detector.SetOnClipChange(counter.Handler());
    ASSERT_NE(detector.WindowHandle(), nullptr);
    EXPECT_EQ(GetClipboardViewer(), detector.WindowHandle());
    PumpFor(100ms);
    EXPECT_EQ(counter.calls, 0) << "the text on the clipboard at joining is not a change";

    ASSERT_TRUE(SetClipboardText(L"first"));
    EXPECT_TRUE(PumpUntil([&] { return counter.calls >= 1; }));
    PumpFor(100ms);
    EXPECT_EQ(counter.calls, 1);
    ASSERT_TRUE(SetClipboardText(L"second"));
    EXPECT_TRUE(PumpUntil([&] { return counter.calls >= 2; }));
    PumpFor(100ms);
    EXPECT_EQ(counter.calls, 2);
}

TEST_F(ClipDetectorTest, ClearingLeavesTheChainAndReassigningIgnoresWhatWasCopiedMeanwhile) {
    ClipboardWatcher detector;
    Counter counter;
    detector.SetOnClipChange(counter.Handler());
    detector.SetOnClipChange(nullptr);
    EXPECT_EQ(detector.WindowHandle(), nullptr);
    EXPECT_FALSE(detector.OnClipChange());
    // A second clear changes nothing.
    detector.SetOnClipChange(nullptr);
    EXPECT_EQ(detector.WindowHandle(), nullptr);

    ASSERT_TRUE(SetClipboardText(L"while suspended"));
    PumpFor(100ms);
    detector.SetOnClipChange(counter.Handler());
    PumpFor(100ms);
    EXPECT_EQ(counter.calls, 0);
    ASSERT_TRUE(SetClipboardText(L"after resume"));
    EXPECT_TRUE(PumpUntil([&] { return counter.calls == 1; }));
}

TEST_F(ClipDetectorTest, ASecondHandlerReplacesTheFirstWithoutRejoining) {
    ClipboardWatcher detector;
    Counter first;
    Counter second;
    detector.SetOnClipChange(first.Handler());
    const HWND window = detector.WindowHandle();
    ChainViewer after;  // joins in front of the detector
    detector.SetOnClipChange(second.Handler());
    EXPECT_EQ(detector.WindowHandle(), window);
    EXPECT_EQ(after.Next(), window) << "the detector kept its place in the chain";
    PumpFor(50ms);
    ASSERT_TRUE(SetClipboardText(L"to the second"));
    EXPECT_TRUE(PumpUntil([&] { return second.calls == 1; }));
    EXPECT_EQ(first.calls, 0);
    EXPECT_EQ(after.Changes(), 1);
}

TEST_F(ClipDetectorTest, PassesChangesOnAndFollowsTheChainWhenItsNextViewerLeaves) {
    auto last = std::make_unique<ChainViewer>();
    auto beforeLast = std::make_unique<ChainViewer>();
    ClipboardWatcher detector;
    Counter counter;
    detector.SetOnClipChange(counter.Handler());
    ChainViewer head;
    // Chain: head -> detector -> beforeLast -> last.
    ASSERT_EQ(head.Next(), detector.WindowHandle());
    ASSERT_EQ(detector.NextViewer(), beforeLast->Handle());

    ASSERT_TRUE(SetClipboardText(L"everyone hears"));
    EXPECT_TRUE(PumpUntil([&] { return last->Changes() == 1; }));
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(head.Changes(), 1);
    EXPECT_EQ(beforeLast->Changes(), 1);

    // A window further down leaves: the message travels through the detector unchanged.
    last->Leave();
    EXPECT_EQ(beforeLast->Next(), nullptr);
    EXPECT_EQ(detector.NextViewer(), beforeLast->Handle());

    // The detector's own next viewer leaves: it links to the one after.
    ChainViewer* const leaving = beforeLast.get();
    const HWND afterLeaving = leaving->Next();
    leaving->Leave();
    EXPECT_EQ(detector.NextViewer(), afterLeaving);
    ASSERT_TRUE(SetClipboardText(L"fewer hear"));
    EXPECT_TRUE(PumpUntil([&] { return counter.calls == 2; }));
    EXPECT_EQ(head.Changes(), 2);
    EXPECT_EQ(leaving->Changes(), 1);
}

TEST_F(ClipDetectorTest, WithIgnoreFirstOffJoiningReportsOnce) {
    ClipboardWatcher detector;
    detector.IgnoreFirst = false;
    Counter counter;
    detector.SetOnClipChange(counter.Handler());
    EXPECT_EQ(counter.calls, 1);
    PumpFor(100ms);
    EXPECT_EQ(counter.calls, 1);
}

TEST_F(ClipDetectorTest, DestroyingTheDetectorLeavesTheChain) {
    ChainViewer after;
    HWND window = nullptr;
    {
        ClipboardWatcher detector;
        Counter counter;
        detector.SetOnClipChange(counter.Handler());
        window = detector.WindowHandle();
        ASSERT_EQ(GetClipboardViewer(), window);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetClipboardViewer(), after.Handle());
    ASSERT_TRUE(SetClipboardText(L"still heard"));
    EXPECT_TRUE(PumpUntil([&] { return after.Changes() == 1; }));
}

TEST_F(ClipDetectorTest, AHandlerMayDetachAndReattachItselfWhileNotified) {
    // A clip window copying its own text does exactly this inside a notification.
    ClipboardWatcher detector;
    int calls = 0;
    ClipboardWatcher::ChangeHandler handler;
    handler = [&](ClipboardWatcher& sender) {
        ++calls;
        sender.SetOnClipChange(nullptr);
        sender.SetOnClipChange(handler);
    };
    detector.SetOnClipChange(handler);
    ASSERT_TRUE(SetClipboardText(L"one"));
    EXPECT_TRUE(PumpUntil([&] { return calls == 1; }));
    ASSERT_TRUE(SetClipboardText(L"two"));
    EXPECT_TRUE(PumpUntil([&] { return calls == 2; }));
    PumpFor(100ms);
    EXPECT_EQ(calls, 2);
}

TEST_F(ClipDetectorTest, TheNextViewerHearsOfAChangeOnlyWhenTheOwnerSaysSo) {
    ChainViewer after;
    ClipboardWatcher detector;
    bool passOn = false;
    detector.SetOnClipChange([&](ClipboardWatcher& sender) {
        if (passOn) sender.PassOn();
    });
    ASSERT_TRUE(SetClipboardText(L"kept back"));
    PumpFor(200ms);
    EXPECT_EQ(after.Changes(), 0);
    passOn = true;
    ASSERT_TRUE(SetClipboardText(L"passed on"));
    EXPECT_TRUE(PumpUntil([&] { return after.Changes() == 1; }));
}

class NoWindowDetector : public ClipboardWatcher {
protected:
    platform::WindowHandle AllocateWindow() override { return nullptr; }
};

TEST(ClipDetectorFailure, NoWindowRaisesTheAllocationErrorAndStoresNothing) {
    NoWindowDetector detector;
    try {
        detector.SetOnClipChange([](ClipboardWatcher&) {});
        FAIL() << "expected an error";
    } catch (const platform::OutOfResources& error) {
        EXPECT_EQ(error.Message(), L"TVxClipDetector.SetOnClipChange: Cannot Allocate HWnd");
    }
    EXPECT_FALSE(detector.OnClipChange());
    EXPECT_EQ(detector.WindowHandle(), nullptr);
}

}  // namespace
