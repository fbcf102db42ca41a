// Clip windows made by the real main window from real clipboard changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

#include "WinTestSupport.h"
#include "app/Controller.h"
#include "clipwindow/ClipWindowRules.h"

#include <commctrl.h>

#include "platform/Error.h"
#include "platform/Text.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"
#include "ui/Messages.h"

using namespace std::chrono_literals;
using clipwindow::ClipWindow;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::SetClipboardText;

namespace {

// Another program's clipboard that renders its text only when asked, and
// takes its time (delayed rendering, as X clipboards under Wine or large
// spreadsheets do).
class SlowRenderer {
public:
    SlowRenderer(std::wstring text, DWORD delayMs) : text_(std::move(text)), delayMs_(delayMs) {
        thread_ = std::thread([this] { Run(); });
        while (!ready_) Sleep(1);
    }
    ~SlowRenderer() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

private:
    void Run() {
        static const ATOM registered = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &SlowRenderer::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"VelmorTestSlowRenderer";
            return RegisterClassW(&wc);
        }();
        (void)registered;
        threadId_ = GetCurrentThreadId();
        const HWND window = CreateWindowExW(0, L"VelmorTestSlowRenderer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        while (!OpenClipboard(window)) Sleep(5);
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, nullptr);
        CloseClipboard();
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue, before the thread says it is ready
        ready_ = true;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        DestroyWindow(window);
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<SlowRenderer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_RENDERFORMAT && self) {
            Sleep(self->delayMs_);
            const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (self->text_.size() + 1) * sizeof(wchar_t));
            std::memcpy(GlobalLock(block), self->text_.c_str(), (self->text_.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(block);
            SetClipboardData(CF_UNICODETEXT, block);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    std::wstring text_;
    DWORD delayMs_;
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ready_{false};
};

class ClipWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(100, 100);
        // Every test starts from the built settings.
        DeleteFileW(settings::PropertyFilePath().c_str());
        velmor = std::make_unique<app::Controller>();
        ui::FontInfo font;
        font.name = L"Liberation Sans";
        font.size = 9;
        velmor->Window().Pages.SampleMemo.SetFontInfo(font);
    }
    void TearDown() override {
        velmor.reset();
        DeleteFileW(settings::PropertyFilePath().c_str());
    }

    // Copies text as another program would and waits for the clip it makes.
    ClipWindow* Copy(const std::wstring& text) {
        const int before = velmor->ClipCounter();
        if (!SetClipboardText(text)) return nullptr;
        PumpUntil([&] { return velmor->ClipCounter() != before; }, 3s);
        PumpFor(20ms);
        return Newest();
    }
    ClipWindow* Newest() {
        ClipWindow* newest = nullptr;
        for (int slot = 0; slot < clipboard::kClipSlots; ++slot) {
            ClipWindow* clip = velmor->Clip(slot);
            if (clip && velmor->SlotFlag(slot) && (!newest || Serial(*clip) > Serial(*newest))) newest = clip;
        }
        return newest;
    }
    std::int32_t Serial(const ClipWindow& clip) const { return velmor->Clips().Serial(velmor->SlotOf(clip)); }
    int OpenClips() {
        int open = 0;
        for (int slot = 0; slot < clipboard::kClipSlots; ++slot) open += velmor->SlotFlag(slot) ? 1 : 0;
        return open;
    }

    std::unique_ptr<app::Controller> velmor;
};

// Whether the window is as tall as its lines: each shows whole, and there is
// room for no more (the memo's frame takes 8 pixels).
bool TallAsItsLines(const ClipWindow& clip, int lines) {
    const int textHeight = clip.ClientSize().cy - clip.MoreHeight() - 8;
    const int line = clip.TextMemo.LineHeight();
    return textHeight >= lines * line && textHeight < (lines + 1) * line;
}

// Lines the edit control shows in full.
int ShownLines(const ClipWindow& clip) {
    RECT format{};
    SendMessageW(clip.TextMemo.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return (format.bottom - format.top) / clip.TextMemo.LineHeight();
}

bool HasVerticalScrollBar(const ClipWindow& clip) {
    return GetWindowLongW(clip.TextMemo.Handle(), GWL_STYLE) & WS_VSCROLL;
}

TEST_F(ClipWindowTest, OneLineClipGetsTheDefaultWidthAndOneLineOfHeight) {
    ClipWindow* clip = Copy(L"one line");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->TextMemo.Text(), L"one line");
    EXPECT_EQ(clip->ClientSize().cx, 200);
    // 12 + 8 for a font whose lines are 12 pixels at 9 points; taller lines get their room.
    EXPECT_TRUE(TallAsItsLines(*clip, 1)) << clip->ClientSize().cy;
    EXPECT_GE(clip->ClientSize().cy, 20);
    EXPECT_EQ(ShownLines(*clip), 1);
    EXPECT_TRUE(IsWindowVisible(clip->Handle()));
    EXPECT_TRUE(GetWindowLongW(clip->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(clip->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT rect{};
    GetWindowRect(clip->Handle(), &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(clip->PinItem->Caption(), L"&Dont Hide");
    EXPECT_EQ(clip->CloseItem->Caption(), L"&Close");
    EXPECT_EQ(velmor->Window().Pages.SampleMemo.Text(), L"one line") << "the preview shows the last clip";
}

TEST_F(ClipWindowTest, LinesAreCountedWithTheMarginsTheTextIsShownWith) {
    velmor->Window().Pages.LeftMarginEdit.SetValue(40);
    velmor->Window().Pages.RightMarginEdit.SetValue(40);
    // Fits 200 pixels in one line; in the 120 left between the margins it wraps.
    ClipWindow* clip = Copy(L"words that wrap between margins");
    ASSERT_NE(clip, nullptr);
    const int lines = clip->TextMemo.LineCount();
    EXPECT_GE(lines, 2);
    EXPECT_TRUE(TallAsItsLines(*clip, lines)) << clip->ClientSize().cy;
    EXPECT_EQ(ShownLines(*clip), lines) << "no line is hidden";
}

TEST_F(ClipWindowTest, TallTextStopsAtMaxHeightWithTheChosenScrollBars) {
    std::wstring twenty;
    for (int line = 1; line <= 20; ++line) twenty += L"line " + std::to_wstring(line) + L"\r\n";
    ClipWindow* clip = Copy(twenty);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->ClientSize().cy, 128);
    EXPECT_TRUE(HasVerticalScrollBar(*clip));
    EXPECT_EQ(clip->TextMemo.Text(), twenty) << "the whole text, not cut";

    velmor->Window().Pages.NoScrollBarRadio.SetChecked(true);
    clip = Copy(twenty + L"more");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->ClientSize().cy, 128);
    EXPECT_FALSE(HasVerticalScrollBar(*clip));
}

TEST_F(ClipWindowTest, CountsWrappedLinesAndNotAnEmptyLastLine) {
    ClipWindow* clip = Copy(L"first\r\nsecond\r\n");
    ASSERT_NE(clip, nullptr);
    EXPECT_TRUE(TallAsItsLines(*clip, 2)) << "the empty last line does not count";
    clip = Copy(L"first\r\nsecond\r\nthird\r\nfourth");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(ShownLines(*clip), 4) << "every line of a clip below the maximum height is in view";

    clip = Copy(L"a long line of words that cannot fit into two hundred pixels at nine points");
    ASSERT_NE(clip, nullptr);
    const int lines = clip->TextMemo.LineCount();
    EXPECT_GE(lines, 2);
    EXPECT_TRUE(TallAsItsLines(*clip, lines)) << clip->ClientSize().cy;
    EXPECT_EQ(ShownLines(*clip), lines);
    EXPECT_FALSE(HasVerticalScrollBar(*clip));
}

// A text longer than the window shows, whatever its shape, shows its start
// read-only and the count of the rest under it; the copy back copies it
// whole, whatever the user typed. A text that fits stays editable, and the
// memo's text is what is copied back.
TEST_F(ClipWindowTest, ALongTextShowsItsStartReadOnlyAndCopiesBackWhole) {
    velmor->Window().Pages.IgnoreLargeTextCheck.SetChecked(false);
    std::wstring lines;
    while (lines.size() < 20003) lines += L"a line of ordinary words\r\n";
    lines.resize(20003);
    const std::wstring unbroken(20000, L'A');
    for (const std::wstring& text : {lines, unbroken}) {
        ClipWindow* clip = Copy(text);
        ASSERT_NE(clip, nullptr);
        EXPECT_TRUE(clip->Cut());
        const std::size_t shown = clip->TextMemo.Text().size();
        EXPECT_LT(shown, 2000u);
        EXPECT_TRUE(text.starts_with(clip->TextMemo.Text()));
        EXPECT_TRUE(IsWindowVisible(clip->MoreLabel.Handle()));
        EXPECT_NE(clip->MoreLabel.Text().find(platform::FormatCount(text.size() - shown)), std::wstring::npos);
        // Typed over, as a user tries: the shown part stays as it was.
        SetFocus(clip->TextMemo.Handle());
        clip->TextMemo.SelectAll();
        SendMessageW(clip->TextMemo.Handle(), WM_CHAR, L'x', 0);
        EXPECT_EQ(clip->TextMemo.Text().size(), shown);
        SendMessageW(clip->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
        EXPECT_EQ(testsupport::ClipboardText(), text);
    }
    ClipWindow* fits = Copy(L"short enough");
    ASSERT_NE(fits, nullptr);
    EXPECT_FALSE(fits->Cut());
    EXPECT_FALSE(IsWindowVisible(fits->MoreLabel.Handle()));
    EXPECT_TRUE(TallAsItsLines(*fits, 1)) << "no room for a mark";
}

TEST_F(ClipWindowTest, CopyBackPutsTheEditedTextOnTheClipboardAndShowsTheCopiedTitleForASecond) {
    ClipWindow* clip = Copy(L"copy me back");
    ASSERT_NE(clip, nullptr);
    SetWindowTextW(clip->TextMemo.Handle(), L"copy me back, edited");
    const std::string stamp = clip->TitleStamp();
    const int clips = velmor->ClipWindowCount();
    SendMessageW(clip->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(testsupport::ClipboardText(), L"copy me back, edited");
    EXPECT_EQ(clip->Title(), "Copyed Clipbord");
    EXPECT_TRUE(PumpUntil([&] { return clip->Title() == stamp; }, 2s));
    EXPECT_EQ(velmor->ClipWindowCount(), clips) << "the copy made no clip";
    // The watcher is back: the next copy makes a clip.
    EXPECT_NE(Copy(L"next"), clip);

    // Another program holds the clipboard past the limit: the title says so.
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        Sleep(clipboard::ClipManager::kHeldLimitMs + 500);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 2000);
    ClipWindow* next = Newest();
    SendMessageW(next->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_TRUE(PumpUntil([&] { return next->Title() == "Not Copied"; }, 8s));
    holder.join();
    CloseHandle(opened);
    EXPECT_EQ(testsupport::ClipboardText(), L"next");
}

TEST_F(ClipWindowTest, PinningAHalfFadedWindowMakesItOpaqueAndStopsTheCountDown) {
    velmor->Window().Pages.CloseClipTimerCheck.SetChecked(true);
    velmor->Window().Pages.HideGraduallyCheck.SetChecked(true);
    velmor->Window().Pages.CountDownEdit.SetValue(10);
    ClipWindow* clip = Copy(L"fading");
    ASSERT_NE(clip, nullptr);
    const int slot = velmor->SlotOf(*clip);
    EXPECT_TRUE(clip->CountDownTimer.Enabled());
    for (int tick = 0; tick < 5; ++tick) clip->OnCountDownTick();
    BYTE alpha = 0;
    GetLayeredWindowAttributes(clip->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 128);  // 127.5 rounds to even
    EXPECT_EQ(clip->Title(), clip->TitleStamp() + " (5)");

    clip->TogglePinned();
    EXPECT_TRUE(clip->Pinned());
    EXPECT_TRUE(clip->PinItem->Checked());
    EXPECT_EQ(clip->Title(), "Fixed");
    clip->OnCountDownTick();
    GetLayeredWindowAttributes(clip->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 255);
    EXPECT_FALSE(clip->CountDownTimer.Enabled());
    EXPECT_EQ(clip->Elapsed(), 5);

    clip->TogglePinned();
    EXPECT_TRUE(clip->CountDownTimer.Enabled());
    EXPECT_EQ(clip->Title(), clip->TitleStamp());
    for (int tick = 0; tick < 6; ++tick) clip->OnCountDownTick();
    EXPECT_FALSE(IsWindowVisible(clip->Handle())) << "closed once the count ran out";
    EXPECT_FALSE(velmor->SlotFlag(slot));
}

TEST_F(ClipWindowTest, ZoomShortcutsChangeTheFontButNotTheWindow) {
    ClipWindow* clip = Copy(L"zoom");
    ASSERT_NE(clip, nullptr);
    RECT before{};
    GetWindowRect(clip->Handle(), &before);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG press{clip->TextMemo.Handle(), WM_KEYDOWN, 'B', 0, 0, {}};
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(clip->IsShortCut(press));
    EXPECT_EQ(clip->TextMemo.GetFontInfo().size, 14);
    RECT after{};
    GetWindowRect(clip->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    press.wParam = 'S';
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(clip->IsShortCut(press));
    EXPECT_EQ(clip->TextMemo.GetFontInfo().size, -6);
    EXPECT_TRUE(IsWindow(clip->TextMemo.Handle()));
    UpdateWindow(clip->Handle());
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

TEST_F(ClipWindowTest, HistoryLimitClosesTheOldestAndRepeatsFocusTheNewest) {
    for (const wchar_t* text : {L"one", L"two", L"three", L"four"}) ASSERT_NE(Copy(text), nullptr);
    EXPECT_EQ(OpenClips(), 3);
    EXPECT_EQ(velmor->ClipWindowCount(), 3) << "trimmed windows are released";

    ClipWindow* newest = Newest();
    const int counter = velmor->ClipCounter();
    ASSERT_TRUE(SetClipboardText(L"four"));
    PumpUntil([&] { return velmor->ClipCounter() != counter; }, 1s);
    PumpFor(50ms);
    EXPECT_EQ(Newest(), newest) << "the same text again makes no window";
    EXPECT_EQ(OpenClips(), 3);

    ASSERT_NE(Copy(L"A"), nullptr);
    ASSERT_NE(Copy(L"B"), nullptr);
    ClipWindow* again = Copy(L"A");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->TextMemo.Text(), L"A");
    EXPECT_EQ(OpenClips(), 3);
    EXPECT_EQ(Newest()->TextMemo.Text(), L"A");
}

TEST_F(ClipWindowTest, TheRepeatRuleComparesTheTextAsTheSampleMemoShowsIt) {
    std::wstring many;
    for (int line = 0; line < 200; ++line) many += L"line\t" + std::to_wstring(line) + (line % 2 ? L"\r\n" : L"\n");
    // One unbroken line previews only its start (its layout costs the square
    // of its length); the filter lets it through.
    velmor->Window().Pages.IgnoreLargeTextCheck.SetChecked(false);
    const std::wstring unbroken(5000, L'x');
    for (const std::wstring& text : {std::wstring(L"caf\u00e9 \u00a9 r\u00e9sum\u00e9"), many, unbroken}) {
        ClipWindow* clip = Copy(text);
        ASSERT_NE(clip, nullptr);
        const int counter = velmor->ClipCounter();
        ASSERT_TRUE(SetClipboardText(text));
        PumpFor(100ms);
        EXPECT_EQ(velmor->ClipCounter(), counter) << "a repeat makes no clip";
        EXPECT_EQ(Newest(), clip);
        const std::wstring preview = velmor->Window().Pages.SampleMemo.Text();
        if (text == unbroken) {
            EXPECT_TRUE(preview.size() < 2000 && text.starts_with(preview) && !preview.empty()) << preview.size();
        } else {
            EXPECT_EQ(preview, text);
        }
    }
    // What the ANSI code page cannot hold previews as "?": never the same as the clip.
    ClipWindow* cyrillic = Copy(L"\u0416");
    ASSERT_NE(cyrillic, nullptr);
    EXPECT_EQ(velmor->Window().Pages.SampleMemo.Text(), L"?");
    EXPECT_NE(Copy(L"\u0416"), cyrillic);
}

TEST_F(ClipWindowTest, PinnedWindowsCountButAreNeverTrimmedOrClosedByCloseAll) {
    for (const wchar_t* text : {L"p1", L"p2", L"p3"}) {
        ClipWindow* clip = Copy(text);
        ASSERT_NE(clip, nullptr);
        clip->TogglePinned();
    }
    ASSERT_NE(Copy(L"free 1"), nullptr);
    EXPECT_EQ(OpenClips(), 4);
    ASSERT_NE(Copy(L"free 2"), nullptr);
    EXPECT_EQ(OpenClips(), 4);
    velmor->Clips().CloseAllClips();
    EXPECT_EQ(OpenClips(), 3);
    EXPECT_EQ(velmor->ClipWindowCount(), 3);
}

bool SetClipboardWithMark(const std::wstring& text, const char* format, DWORD value) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    HGLOBAL mark = GlobalAlloc(GMEM_MOVEABLE, sizeof value);
    memcpy(GlobalLock(mark), &value, sizeof value);
    GlobalUnlock(mark);
    SetClipboardData(RegisterClipboardFormatA(format), mark);
    CloseClipboard();
    return true;
}

// The clipboard is read beside the program: a text that takes long to
// arrive does not hold up the messages, and shows when it is there.
TEST_F(ClipWindowTest, ATextThatTakesLongToArriveHoldsNothingUp) {
    const SlowRenderer renderer(L"rendered slowly", 1500);
    auto last = std::chrono::steady_clock::now();
    auto longest = std::chrono::steady_clock::duration{};
    EXPECT_TRUE(PumpUntil([&] {
        const auto now = std::chrono::steady_clock::now();
        longest = std::max(longest, now - last);
        last = now;
        return Newest() && Newest()->Text() == L"rendered slowly";
    }, 10s));
    EXPECT_LT(longest, 700ms);
}

TEST_F(ClipWindowTest, PasswordManagersMarksKeepTheTextOut) {
    ASSERT_TRUE(SetClipboardWithMark(L"secret 1", "ExcludeClipboardContentFromMonitorProcessing", 0));
    PumpFor(200ms);
    EXPECT_EQ(velmor->ClipWindowCount(), 0);
    ASSERT_TRUE(SetClipboardWithMark(L"secret 2", "CanIncludeInClipboardHistory", 0));
    PumpFor(200ms);
    EXPECT_EQ(velmor->ClipWindowCount(), 0);
    EXPECT_EQ(velmor->Window().Pages.SampleMemo.Text(), L"MemoSample") << "the secret never became the pending text";
    const int counter = velmor->ClipCounter();
    ASSERT_TRUE(SetClipboardWithMark(L"may show", "CanIncludeInClipboardHistory", 1));
    EXPECT_TRUE(PumpUntil([&] { return velmor->ClipCounter() != counter; }, 2s));
    ASSERT_NE(Newest(), nullptr);
    EXPECT_EQ(Newest()->TextMemo.Text(), L"may show");
}

TEST_F(ClipWindowTest, LargeTextLimitIsInBytesAndInclusive) {
    velmor->Window().Pages.SizeOfTextEdit.SetValue(10);
    ASSERT_NE(Copy(L"0123456789"), nullptr);
    EXPECT_EQ(OpenClips(), 1);
    const int counter = velmor->ClipCounter();
    ASSERT_TRUE(SetClipboardText(L"0123456789A"));
    PumpFor(200ms);
    EXPECT_EQ(velmor->ClipCounter(), counter);
    EXPECT_EQ(OpenClips(), 1);
}

}  // namespace

namespace {

TEST_F(ClipWindowTest, AClipAtTheRightOrBottomEdgeEndsAtTheWorkAreaEdge) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetCursorPos(work.right - 20, work.bottom - 10);
    ClipWindow* clip = Copy(L"at the corner");
    ASSERT_NE(clip, nullptr);
    RECT rect{};
    GetWindowRect(clip->Handle(), &rect);
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);

    // Near the left or top edge nothing moves.
    SetCursorPos(work.left, work.top);
    clip = Copy(L"at the top left");
    ASSERT_NE(clip, nullptr);
    GetWindowRect(clip->Handle(), &rect);
    EXPECT_EQ(rect.left, work.left);
    EXPECT_EQ(rect.top, work.top);
}

}  // namespace

namespace {

TEST_F(ClipWindowTest, DoubleCopyModeShowsOnlyASecondCopyWithinTheWindow) {
    velmor->Window().Pages.DoubleCopyCheck.SetChecked(true);
    ASSERT_TRUE(SetClipboardText(L"first of two"));
    PumpFor(300ms);
    EXPECT_EQ(velmor->ClipWindowCount(), 0) << "the first change after start makes nothing";
    ASSERT_TRUE(SetClipboardText(L"second of two"));
    ASSERT_TRUE(PumpUntil([&] { return velmor->ClipWindowCount() == 1; }, 2s));
    EXPECT_EQ(Newest()->TextMemo.Text(), L"second of two");
    PumpFor(1200ms);
    ASSERT_TRUE(SetClipboardText(L"too late"));
    PumpFor(300ms);
    EXPECT_EQ(velmor->ClipWindowCount(), 1);
    PumpFor(1200ms);
    ASSERT_TRUE(SetClipboardText(L"quick"));
    PumpFor(20ms);
    ASSERT_TRUE(SetClipboardText(L"quick again"));
    PumpFor(300ms);
    EXPECT_EQ(velmor->ClipWindowCount(), 1) << "a change within 100 ms is too soon";
}

TEST_F(ClipWindowTest, APressOnTheFrameRestartsTheCountDownAndMakesTheClipNewest) {
    velmor->Window().Pages.CloseClipTimerCheck.SetChecked(true);
    velmor->Window().Pages.HideGraduallyCheck.SetChecked(true);
    velmor->Window().Pages.CountDownEdit.SetValue(10);
    ClipWindow* first = Copy(L"older");
    ClipWindow* second = Copy(L"newer");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    for (int tick = 0; tick < 4; ++tick) first->OnCountDownTick();
    const std::string title = first->Title();
    // HTNOWHERE: the handling runs without starting a move.
    SendMessageW(first->Handle(), WM_NCLBUTTONDOWN, HTNOWHERE, 0);
    EXPECT_EQ(first->Elapsed(), 0);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(first->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(Serial(*first), velmor->ClipCounter());
    EXPECT_GT(Serial(*first), Serial(*second));
    EXPECT_EQ(first->Title(), title) << "a press keeps the title";
}

}  // namespace

namespace {

TEST_F(ClipWindowTest, TheWindowMadeAheadTakesTheTimeOfItsCopyAndNeverTicks) {
    // The first clip does not count down; a spare that ticked would close
    // itself at once (its count-down is 0) and could free a slot in use.
    ClipWindow* first = Copy(L"first");
    ASSERT_NE(first, nullptr);
    PumpFor(1500ms);
    EXPECT_EQ(OpenClips(), 1);
    EXPECT_TRUE(velmor->SlotFlag(velmor->SlotOf(*first)));
    velmor->Window().Pages.CloseClipTimerCheck.SetChecked(true);
    ClipWindow* second = Copy(L"second");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Title(), second->TitleStamp());
    EXPECT_TRUE(second->CountDownTimer.Enabled());
    EXPECT_LE(velmor->ClipWindowCount(), 51);
}

}  // namespace

namespace {

// Runs a function on the GUI thread from another thread, also while the GUI
// thread sits in a modal loop (a menu, a wait on another thread's reply).
class GuiCaller {
public:
    GuiCaller() {
        window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowSubclass(window_, &Proc, 1, 0);
    }
    ~GuiCaller() { DestroyWindow(window_); }
    void Call(const std::function<void()>& call) const {
        SendMessageW(window_, WM_APP, 0, reinterpret_cast<LPARAM>(&call));
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        if (message != WM_APP) return DefSubclassProc(window, message, wParam, lParam);
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    HWND window_ = nullptr;
};

// A clip's title-bar menu stays open while two copies come: the first trims
// the clip, the second puts a new window into its slot. "Close" chosen in the
// old menu then closes the old window only.
TEST_F(ClipWindowTest, AClipTrimmedWhileItsMenuIsOpenLivesUntilTheMenuClosesAndLeavesItsSlotAlone) {
    velmor->Window().Pages.MaxClipCountEdit.SetValue(1);
    ClipWindow* clip = Copy(L"menu open");
    ASSERT_NE(clip, nullptr);
    ASSERT_EQ(velmor->SlotOf(*clip), 0);
    const HWND window = clip->Handle();
    GuiCaller gui;
    std::atomic<bool> aliveInMenu{false};
    std::atomic<bool> trimmed{false};
    std::atomic<bool> slotReused{false};
    std::thread copier([&] {
        HWND menu = nullptr;
        for (int i = 0; i < 200 && !(menu = FindWindowW(L"#32768", nullptr)); ++i) Sleep(10);
        SetClipboardText(L"copied meanwhile");
        for (int i = 0; i < 300 && IsWindowVisible(window); ++i) Sleep(10);
        trimmed = !IsWindowVisible(window);
        SetClipboardText(L"in the old slot");
        for (int i = 0; i < 300 && !slotReused; ++i) {
            Sleep(10);
            gui.Call([&] {
                const ClipWindow* now = velmor->Clip(0);
                slotReused = now && now->Handle() != window && now->TextMemo.Text() == L"in the old slot";
            });
        }
        gui.Call([&] { aliveInMenu = IsWindow(window) != FALSE; });
        PostMessageW(menu, WM_KEYDOWN, 'C', 0);  // "&Close"
        for (int i = 0; i < 200 && IsWindowVisible(menu); ++i) Sleep(10);
        if (IsWindowVisible(menu)) gui.Call([] { EndMenu(); });  // the key was not taken: never hang
    });
    SendMessageW(window, WM_NCRBUTTONDOWN, HTCAPTION, 0);  // returns when the menu has closed and its command ran
    copier.join();
    EXPECT_TRUE(trimmed);
    ASSERT_TRUE(slotReused);
    EXPECT_TRUE(aliveInMenu) << "destroyed while its own menu loop ran";
    EXPECT_TRUE(velmor->SlotFlag(0)) << "the old window's close freed the new window's slot";
    EXPECT_TRUE(IsWindowVisible(velmor->Clip(0)->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 2s)) << "released once the menu closed";
    EXPECT_EQ(Newest(), velmor->Clip(0));
}

// A copy back asked for while a slow read holds the clipboard waits for the
// read's end, then reaches the clipboard; the text read meanwhile is shown.
TEST_F(ClipWindowTest, ACopyBackDuringASlowReadIsWrittenOnceTheReadIsDone) {
    ClipWindow* clip = Copy(L"copied back");
    ASSERT_NE(clip, nullptr);
    const int counter = velmor->ClipCounter();
    const SlowRenderer renderer(L"rendered slowly", 1500);
    ASSERT_TRUE(PumpUntil([&] { return velmor->Clips().State() == clipboard::RoadState::Reading; }, 3s));
    SendMessageW(clip->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_NE(clip->Title(), "Copyed Clipbord") << "not before it was written";
    ASSERT_TRUE(PumpUntil([&] { return clip->Title() == "Copyed Clipbord"; }, 5s));
    EXPECT_EQ(testsupport::ClipboardText(), L"copied back");
    EXPECT_NE(velmor->ClipCounter(), counter);
    ASSERT_NE(Newest(), nullptr);
    EXPECT_EQ(Newest()->Text(), L"rendered slowly");
}

// The next viewer, another program's: it reads the clipboard at each
// notification, and while it does, another notification reaches Velmor (a
// slow viewer and a fast copier). It can read every time: it hears of a
// change only once Velmor's read has closed the clipboard; and the
// notifications never nest.
TEST_F(ClipWindowTest, ANextViewerThatReadsAtEachNotificationCanReadAndNotificationsNeverNest) {
    velmor.reset();
    std::atomic<HWND> watcher{nullptr};
    std::atomic<int> notified{0};
    std::atomic<int> failedReads{0};
    std::atomic<int> deepest{0};
    int depth = 0;
    int changesWhileReading = 3;
    const testsupport::ViewerThread next([&](HWND self, UINT message) {
        if (message != WM_DRAWCLIPBOARD) return;
        ++notified;
        deepest = std::max(deepest.load(), ++depth);
        if (OpenClipboard(self)) {
            CloseClipboard();
        } else {
            ++failedReads;
        }
        if (watcher && changesWhileReading-- > 0) SendMessageW(watcher, WM_DRAWCLIPBOARD, 0, 0);
        --depth;
    });
    velmor = std::make_unique<app::Controller>();
    watcher = velmor->Watcher()->WindowHandle();
    for (const wchar_t* text : {L"read by both", L"and again"}) ASSERT_NE(Copy(text), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return notified >= 5; }));
    PumpFor(100ms);
    EXPECT_EQ(failedReads, 0) << "passed on while Velmor's read held the clipboard";
    EXPECT_EQ(deepest, 1) << "notifications nested while the next viewer answered";
    EXPECT_EQ(velmor->Clips().Notifications(), velmor->Clips().Settlements());
}

TEST_F(ClipWindowTest, AClipWindowThatCannotBeMadeAheadIsNoError) {
    int reported = 0;
    ui::Application::Get().SetErrorReporter([&](const std::wstring&) { ++reported; });
    velmor->ClipWindowFactory = [](app::Controller&) -> std::unique_ptr<ClipWindow> {
        throw platform::OutOfResources(L"no window");
    };
    ASSERT_TRUE(SetClipboardText(L"no window for this"));
    PumpFor(300ms);
    PostMessageW(velmor->Window().Handle(), ui::kMakeSpareClip, 0, 0);
    PumpFor(100ms);
    ui::Application::Get().SetErrorReporter(nullptr);
    EXPECT_EQ(reported, 0);
    EXPECT_EQ(velmor->ClipWindowCount(), 0);
}

TEST_F(ClipWindowTest, LinuxPasswordManagersSecretsMakeNoClip) {
    ASSERT_TRUE(testsupport::SetClipboardFormats(
        {{CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(L"hunter2"), sizeof L"hunter2")},
         {RegisterClipboardFormatA("x-kde-passwordManagerHint"), "secret"}}));
    PumpFor(300ms);
    EXPECT_EQ(velmor->ClipWindowCount(), 0);
    EXPECT_EQ(velmor->Window().Pages.SampleMemo.Text(), L"MemoSample");
}

TEST_F(ClipWindowTest, AWindowKeptForTheNextClipShowsItAsIfNew) {
    velmor->Window().Pages.MaxClipCountEdit.SetValue(1);
    velmor->Window().Pages.CloseClipTimerCheck.SetChecked(true);
    velmor->Window().Pages.HideGraduallyCheck.SetChecked(true);
    std::wstring tall;
    for (int line = 1; line <= 20; ++line) tall += L"line " + std::to_wstring(line) + L"\r\n";
    ClipWindow* first = Copy(tall);
    ASSERT_NE(first, nullptr);
    const HWND window = first->Handle();
    ASSERT_TRUE(HasVerticalScrollBar(*first));
    first->TogglePinned();
    first->TogglePinned();  // pinned and unpinned: the check mark was set once
    first->ZoomIn();
    for (int tick = 0; tick < 30; ++tick) first->OnCountDownTick();  // faded and closed by itself
    ASSERT_NE(Copy(L"second"), nullptr);
    ClipWindow* third = Copy(L"third");  // the first window's slot was freed; its window is used again
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->Handle(), window) << "no new window was made";
    EXPECT_EQ(third->TextMemo.Text(), L"third");
    EXPECT_EQ(third->TextMemo.GetFontInfo(), velmor->Window().Pages.SampleMemo.GetFontInfo()) << "the zoom is undone";
    EXPECT_FALSE(HasVerticalScrollBar(*third));
    EXPECT_FALSE(third->Pinned());
    EXPECT_FALSE(third->PinItem->Checked());
    BYTE alpha = 0;
    GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(third->Elapsed(), 0);
    EXPECT_TRUE(third->CountDownTimer.Enabled());
    EXPECT_TRUE(TallAsItsLines(*third, 1));
}

}  // namespace
