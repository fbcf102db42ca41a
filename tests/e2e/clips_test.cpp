// Clip windows of the real program, made by copies from another process.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using e2e::ClipText;
using e2e::VelmorProcess;
using e2e::WindowInfo;
using namespace std::chrono_literals;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::SetClipboardText;

namespace {

class Clips : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(200, 150);
        ASSERT_TRUE(velmor.Start());
    }
    // Copies, then waits for the number of visible clips to settle on `expected`.
    bool CopyAndExpect(const std::wstring& text, size_t expected) {
        if (!SetClipboardText(text)) return false;
        return PumpUntil([&] { return velmor.VisibleClips().size() == expected; }, 5s);
    }
    VelmorProcess velmor;
};

TEST_F(Clips, FourCopiesLeaveThreeClipsAtTheCursor) {
    EXPECT_TRUE(CopyAndExpect(L"first", 1));
    EXPECT_TRUE(CopyAndExpect(L"second", 2));
    EXPECT_TRUE(CopyAndExpect(L"third", 3));
    ASSERT_TRUE(SetClipboardText(L"fourth"));
    EXPECT_TRUE(PumpUntil([&] {
        const auto clips = velmor.VisibleClips();
        return clips.size() == 3 && std::any_of(clips.begin(), clips.end(), [](const WindowInfo& clip) {
                   return ClipText(clip.handle) == L"fourth";
               });
    }));
    for (const auto& clip : velmor.VisibleClips()) {
        EXPECT_NE(ClipText(clip.handle), L"first") << "the oldest clip was closed";
        EXPECT_EQ(clip.rect.left, 200);
        EXPECT_EQ(clip.rect.top, 150);
        EXPECT_TRUE(clip.exStyle & WS_EX_TOPMOST);
    }
}

TEST_F(Clips, TheSameTextTwiceMakesOneClipButARepeatAfterAnotherMakesAnother) {
    EXPECT_TRUE(CopyAndExpect(L"same", 1));
    ASSERT_TRUE(SetClipboardText(L"same"));
    PumpFor(300ms);
    EXPECT_EQ(velmor.VisibleClips().size(), 1u);
    EXPECT_TRUE(CopyAndExpect(L"other", 2));
    EXPECT_TRUE(CopyAndExpect(L"same", 3));
}

TEST_F(Clips, EightBitTextIsReadInTheCodePageOfTheInputLanguageItWasCopiedIn) {
    const LCID russian = 0x0419;
    ASSERT_TRUE(testsupport::SetClipboardFormats(
        {{CF_TEXT, std::string("\xC0\xC1\xE9", 4)},
         {CF_LOCALE, std::string(reinterpret_cast<const char*>(&russian), sizeof russian)}}));
    ASSERT_TRUE(PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 5s));
    EXPECT_EQ(ClipText(velmor.VisibleClips().front().handle), L"\u0410\u0411\u0439");
}

TEST_F(Clips, SixtyCopiesKeepThreeClipsAndNeverMoreThanFiftyOneWindows) {
    size_t most = 0;
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(SetClipboardText(L"copy " + std::to_wstring(i)));
        PumpUntil([&] {
            const auto clips = velmor.VisibleClips();
            return std::any_of(clips.begin(), clips.end(), [&](const WindowInfo& clip) {
                return ClipText(clip.handle) == L"copy " + std::to_wstring(i);
            });
        }, 3s);
        most = std::max(most, velmor.WindowsOfClass(e2e::kClipWindowClass).size());
    }
    EXPECT_EQ(velmor.VisibleClips().size(), 3u);
    EXPECT_LE(most, 51u);
    // Three clips and the one made ahead for the next copy; closed clips are released.
    EXPECT_LE(velmor.WindowsOfClass(e2e::kClipWindowClass).size(), 4u);
}

}  // namespace

namespace {

// A text longer than its window shows (the filter off) shows its start
// read-only: what the user types over it changes nothing, and its copy back
// copies the whole text.
TEST(LongClips, ACutTextTheUserTypesOverCopiesBackWhole) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"property.ini", "[property]\r\nIgnoreLargeText=0\r\n"));
    ASSERT_TRUE(velmor.Start());
    std::wstring text;
    while (text.size() < 20003) text += L"words on a line of their own\r\n";
    text.resize(20003);
    ASSERT_TRUE(SetClipboardText(text));
    ASSERT_TRUE(PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 5s));
    const HWND clip = velmor.VisibleClips().front().handle;
    const HWND memo = testsupport::FindChild(clip, L"Edit");
    ASSERT_NE(memo, nullptr);
    const std::wstring shown = ClipText(clip);
    EXPECT_LT(shown.size(), text.size());
    SendMessageW(memo, EM_SETSEL, 0, -1);
    SendMessageW(memo, WM_CHAR, L'x', 0);
    EXPECT_EQ(ClipText(clip), shown);
    PostMessageW(clip, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    ASSERT_TRUE(PumpUntil([&] { return e2e::WindowTitle(clip) == L"Copyed Clipbord"; }, 5s));
    const std::wstring copied = testsupport::ClipboardText();
    EXPECT_EQ(copied.size(), text.size());
    EXPECT_TRUE(copied == text) << "not the text that was copied";
}

TEST_F(Clips, ARightPressOnTheTitleBarOpensTheClipMenuAndItsCloseCloses) {
    ASSERT_TRUE(CopyAndExpect(L"with a menu", 1));
    const HWND clip = velmor.VisibleClips().front().handle;
    PostMessageW(clip, WM_NCRBUTTONDOWN, HTCAPTION, 0);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = velmor.ShownMenu()) != nullptr; }, 3s));
    PostMessageW(menu, WM_CHAR, L'c', 0);  // "&Close"
    EXPECT_TRUE(PumpUntil([&] { return velmor.VisibleClips().empty(); }, 3s));
}

TEST_F(Clips, ClipsStayOnTopWhileAnotherProgramIsActive) {
    ASSERT_TRUE(CopyAndExpect(L"stays on top", 1));
    const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                       400, 300, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    PumpFor(300ms);
    const auto clips = velmor.VisibleClips();
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_TRUE(clips.front().exStyle & WS_EX_TOPMOST);
    DestroyWindow(other);
}

}  // namespace
