// Text copied in a Linux program (through Wine's bridge to the X clipboard)
// reaches Velmor like a copy in a Windows program.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using namespace std::chrono_literals;

namespace {

TEST(XClipboard, TextCopiedWithXclipReachesVelmor) {
    testsupport::ChainViewer after;  // hears changes only through Velmor, which joins in front of it
    e2e::VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(testsupport::StartUnix("/bin/sh -c \"printf 'from X' | /usr/bin/xclip -selection clipboard\""));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return after.Changes() >= 1; }, 10s));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::ClipboardText() == L"from X"; }, 5s));
    // Wine reports one X copy twice, the second maybe while the first is read: still one clip.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 5s));
    testsupport::PumpFor(300ms);
    const auto clips = velmor.VisibleClips();
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(e2e::ClipText(clips.front().handle), L"from X");
    // Taking the clipboard back ends the xclip process that held the selection.
    testsupport::SetClipboardText(L"back to Windows");
}

}  // namespace

namespace {

using e2e::VelmorProcess;
using testsupport::PumpFor;
using testsupport::PumpUntil;

// Copies a large text with xclip: Wine takes seconds to hand it over, all
// of it inside Velmor's GetClipboardData, so Velmor's read is slow. Returns
// once the clipboard has changed, which is about when that read begins.
bool CopyLargeWithXclip() {
    const DWORD before = GetClipboardSequenceNumber();
    if (!testsupport::StartUnix("/bin/sh -c \"yes | head -c 62914560 | /usr/bin/xclip -selection clipboard\"")) {
        return false;
    }
    return PumpUntil([&] { return GetClipboardSequenceNumber() != before; }, 20s);
}

TEST(SlowRead, AViewerAfterVelmorOpensTheClipboardAtEveryNotification) {
    std::atomic<int> notified{0};
    std::atomic<int> failed{0};
    // Joins first, so that it follows Velmor; it reads as soon as it is told.
    const testsupport::ViewerThread viewer([&](HWND self, UINT message) {
        if (message != WM_DRAWCLIPBOARD) return;
        ++notified;
        if (OpenClipboard(self)) {
            CloseClipboard();
        } else {
            ++failed;
        }
    });
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(CopyLargeWithXclip());
    ASSERT_TRUE(PumpUntil([&] { return notified >= 1; }, 30s));
    PumpFor(1s);  // Wine's second notification of the same copy
    EXPECT_EQ(failed, 0) << "told while Velmor's read still held the clipboard";
    testsupport::SetClipboardText(L"back to Windows");  // ends xclip
}

TEST(SlowRead, ACopyBackDuringTheReadReachesTheClipboard) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(testsupport::SetClipboardText(L"copied back"));
    ASSERT_TRUE(PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 5s));
    const HWND clip = velmor.VisibleClips().front().handle;
    ASSERT_TRUE(CopyLargeWithXclip());
    PumpFor(300ms);
    PostMessageW(clip, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_TRUE(PumpUntil([&] { return e2e::WindowTitle(clip) == L"Copyed Clipbord"; }, 30s));
    // Velmor's once written; the large text is not read here, which would take seconds more.
    DWORD owner = 0;
    GetWindowThreadProcessId(GetClipboardOwner(), &owner);
    ASSERT_EQ(owner, velmor.Pid()) << "the clipboard kept the large text";
    EXPECT_EQ(testsupport::ClipboardText(), L"copied back");
}

TEST(SlowRead, QuittingDuringTheReadTakesNoLongerThanQuittingAtRest) {
    const auto quit = [](VelmorProcess& velmor) {
        const auto start = std::chrono::steady_clock::now();
        PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
        velmor.WaitForExit(30s);
        return std::chrono::steady_clock::now() - start;
    };
    std::chrono::steady_clock::duration atRest{};
    {
        VelmorProcess velmor;
        ASSERT_TRUE(velmor.Start());
        atRest = quit(velmor);
    }
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(CopyLargeWithXclip());
    PumpFor(300ms);
    const auto duringRead = quit(velmor);
    EXPECT_FALSE(velmor.Running());
    EXPECT_LE(duringRead, atRest + 1s);
    testsupport::SetClipboardText(L"back to Windows");
}

}  // namespace
