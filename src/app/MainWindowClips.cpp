// The main window's side of the clip manager: the clip table's windows, the
// clipboard read, the settings the intake reads, and the clip window layout.
#include <algorithm>
#include <utility>

#include "app/MainWindow.h"
#include "clipwindow/ClipWindowRules.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Dpi.h"

namespace app {

namespace {
// The edit control's frame around the text lines of a clip window.
constexpr int kClipFrameHeight = 8;
}  // namespace

clipwindow::ClipWindow* MainWindow::Clip(int slot) const noexcept {
    return slot >= 0 && slot < clipboard::kClipSlots ? clipWindows_[static_cast<size_t>(slot)].get() : nullptr;
}

bool MainWindow::SlotFlag(int slot) const noexcept { return clips_.SlotFlag(slot); }

int MainWindow::ClipWindowCount() const noexcept {
    int count = 0;
    for (const auto& clip : clipWindows_) count += clip ? 1 : 0;
    return count;
}

void MainWindow::ClipboardChanged(clipboard::ClipboardWatcher&) {
    // Clips read their settings from the pages: a copy made while they are
    // built is shown once they are.
    if (!startedUp_) {
        changedDuringStartUp_ = true;
        return;
    }
    clips_.ClipboardChanged();
}

clipboard::ClipboardRead MainWindow::ReadClipboard(std::optional<long long> sizeLimit) {
    const DWORD sequence = GetClipboardSequenceNumber();
    if (!reader_) reader_.emplace(Handle(), kClipboardRead);
    std::optional<platform::ClipboardReadResult> done = reader_->Take();
    // A read of an older change, or asked with another limit, is of no use now.
    const bool usable = done && done->sequence == sequence && done->sizeLimit == sizeLimit;
    if (!usable) {
        // One under way: its end brings a retry, which asks again.
        if (!reader_->Start(sequence, sizeLimit) || !reader_->Wait(kReadWaitMs)) return {.reading = true};
        done = reader_->Take();
        if (!done) return {.reading = true};
    }
    if (done->error) std::rethrow_exception(done->error);
    platform::ClipboardSnapshot& snapshot = done->snapshot;
    clipboard::ClipboardRead read;
    read.held = snapshot.held;
    read.excluded = snapshot.excluded;
    read.tooLarge = snapshot.tooLarge;
    read.text = std::move(snapshot.text);
    if (snapshot.wideText) read.wideText = std::move(*snapshot.wideText);
    return read;
}

void MainWindow::RetryRead(unsigned delayMs) {
    // A timer, not a wait: the program answers meanwhile, and a newer change
    // that comes is handled at once.
    SetTimer(Handle(), kRetryReadTimer, delayMs, nullptr);
}

clipboard::ClipOptions MainWindow::Options() {
    const settings::ClipSettings& now = Pages.Current();
    clipboard::ClipOptions options;
    options.maxClipCount = now.maxClipCount;
    options.ignoreLargeText = now.ignoreLargeText;
    options.sizeOfText = now.maxTextSize;
    options.closeClipTimer = now.countDownEnabled;
    options.countDown = now.countDown;
    options.doubleCopy = now.doubleCopy;
    return options;
}

namespace {

// The text as WM_SETTEXT gives it to a memo: up to its first NUL.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }
std::wstring AsMemoTakesIt(std::string_view text) { return platform::AnsiToWide(UpToNul(text)); }

}  // namespace

void MainWindow::Preview(const std::string& text) {
    // The memo shows only the start of the text (kPreviewChars): it is a
    // preview of a few lines, and wrapping a text of megabytes would hold up
    // the GUI thread. No character takes more than four bytes in any code
    // page, so that many bytes give it all. Setting it lays the memo out, a
    // millisecond that a copy would wait for before its clip shows: the memo
    // takes the text once the clip is on the screen.
    std::wstring start = AsMemoTakesIt(std::string_view(text).substr(0, 4 * kPreviewChars));
    start.resize(clipwindow::ShownLength(start, kPreviewChars));
    const bool posted = pendingPreview_.has_value();
    pendingPreview_ = std::move(start);
    if (!posted && !PostMessageW(Handle(), kShowPreview, 0, 0)) ShowPreview();
}

bool MainWindow::IsClipText(int slot, const std::string& text) {
    const clipwindow::ClipWindow* clip = Clip(slot);
    if (!clip) return false;
    // Lengths first: texts of megabytes mostly differ in them, and are then
    // neither converted nor copied.
    if (platform::AnsiToWideLength(UpToNul(text)) != clip->TextLength()) return false;
    return clip->Text() == AsMemoTakesIt(text);
}

void MainWindow::ShowPreview() {
    if (!pendingPreview_) return;
    Pages.SampleMemo.SetText(*pendingPreview_);
    pendingPreview_.reset();
}

clipboard::ClipEntry MainWindow::Entry(int slot) {
    const clipwindow::ClipWindow* clip = Clip(slot);
    return clip ? clipboard::ClipEntry{true, clip->Pinned(), clip->Serial()} : clipboard::ClipEntry{};
}

void MainWindow::FocusClip(int slot) {
    if (clipwindow::ClipWindow* clip = Clip(slot); clip && clip->CanFocus()) clip->SetFocus();
}

void MainWindow::ShowFirstPage() { Pages.Tabs.SetActivePageIndex(settings::SettingsPages::kPropertyPage); }

void MainWindow::CreateClip(int slot) {
    SetClip(slot, NewClipWindow());
}

void MainWindow::ShowClipWindow(int slot, std::wstring text) {
    clipwindow::ClipWindow& window = *Clip(slot);
    LayoutClipWindow(window, std::move(text), ClipOrigin());
    window.ShowNoActivate();
}

void MainWindow::StartClip(int slot, std::int32_t serial, int countDown, bool timerOn) {
    clipwindow::ClipWindow& window = *Clip(slot);
    window.Start(slot, serial, countDown);
    window.CountDownTimer.SetEnabled(timerOn);
    PostMessageW(Handle(), kMakeSpareClip, 0, 0);
}

void MainWindow::CloseClip(int slot) {
    if (clipwindow::ClipWindow* clip = Clip(slot)) clip->Close();
    SetClip(slot, nullptr);
}

std::unique_ptr<clipwindow::ClipWindow> MainWindow::NewClipWindow() {
    if (!spare_) return ClipWindowFactory(*this);
    std::unique_ptr<clipwindow::ClipWindow> window = std::move(spare_);
    window->RenewTitleStamp();
    window->CountDownTimer.SetEnabled(true);
    return window;
}

void MainWindow::MakeSpareClip() noexcept {
    try {
        // The spare counts against the 51 windows that may exist.
        if (!spare_) {
            if (ClipWindowCount() >= clipboard::kClipSlots) return;
            spare_ = ClipWindowFactory(*this);
            // Idle and in no slot: its timer must not close anything.
            spare_->CountDownTimer.SetEnabled(false);
        }
        // While idle: the next clip only puts its text in.
        PrepareClipMemo(*spare_);
    } catch (...) {
        // Silent like every error of the clip path: the next clip makes its own window.
    }
}

void MainWindow::SetClip(int slot, std::unique_ptr<clipwindow::ClipWindow> window) {
    // The old window goes with its entry, so that at most one window per slot
    // exists. A closed one is kept to show the next clip, if none is kept
    // yet: making and destroying a window per copy is the costliest part of
    // a clip (and, under Wine, grows the X11 driver's memory without end).
    // One whose handler is running (its menu is open, it is copying back) is
    // destroyed after that handler returns.
    std::unique_ptr<clipwindow::ClipWindow> old = std::exchange(clipWindows_[static_cast<size_t>(slot)], std::move(window));
    // A menu of the old window may still close it: the slot is another's now.
    if (old) old->LeaveSlot();
    if (old && !spare_ && !old->Busy()) {
        old->ResetForReuse();
        spare_ = std::move(old);
        return;
    }
    ui::Application::Get().Release(std::move(old));
}

POINT MainWindow::ClipOrigin() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return POINT{0, 0};
    return cursor;
}

void MainWindow::CloseAllClips() { clips_.CloseAllClips(); }

void MainWindow::PrepareClipMemo(clipwindow::ClipWindow& window) {
    const settings::ClipSettings& settings = Pages.Current();
    // The memo takes the final width, font and margins before the text goes
    // in, so that it wraps as it will be shown, its lines are counted as
    // shown (margins set after the count hid the last line), and the text is
    // laid out once; the window itself is sized once, at the end. A window
    // prepared ahead, or shown before, has them already, and every change of
    // them is a trip to the server. The font comes before the margins:
    // setting a font resets an edit control's margins.
    window.TextMemo.SetPixelBounds({0, 0, ui::Scale(settings.maxWidth), window.ClientSize().cy});
    window.TextMemo.Clear();
    window.TextMemo.SetFontInfo(Pages.SampleMemo.GetFontInfo());
    window.TextMemo.SetMargins(ui::Scale(settings.leftMargin), ui::Scale(settings.rightMargin));
}

void MainWindow::LayoutClipWindow(clipwindow::ClipWindow& window, std::wstring text, POINT origin) {
    const settings::ClipSettings& settings = Pages.Current();
    const int width = ui::Scale(settings.maxWidth);
    int height = window.CreatedClientHeight();
    PrepareClipMemo(window);
    // What the edit control's paste would insert, taken by the read of this
    // change: reading the clipboard once more could find another program
    // holding it, and every read costs memory under Wine.
    window.PutText(std::move(text));
    // The point size gives the character height; a font whose lines are
    // taller (internal leading) needs its real line height, or the edit
    // control, which shows whole lines only, would hide the last lines.
    const int charHeight =
        std::max(ui::FontPixelHeight(window.TextMemo.GetFontInfo().size, ui::ScreenDpi()), window.TextMemo.LineHeight());
    const HWND memo = window.TextMemo.Handle();
    if (GetWindowTextLengthW(memo) > 0) {
        const int lines = window.TextMemo.LineCount();
        const auto lastLineStart = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0);
        const bool lastLineEmpty = SendMessageW(memo, EM_LINELENGTH, static_cast<WPARAM>(lastLineStart), 0) == 0;
        const clipwindow::LayoutOutcome layout = clipwindow::LayoutHeight(
            {lines, lastLineEmpty, false, charHeight, ui::Scale(settings.maxHeight), settings.scrollBarsVertical});
        // The frame allowance is a 96-dpi figure like the others.
        if (layout.clientHeight) height = *layout.clientHeight - kClipFrameHeight + ui::Scale(kClipFrameHeight);
        window.TextMemo.SetScrollBars(layout.verticalScrollBar ? ui::ScrollBars::Vertical : ui::ScrollBars::None);
    }
    window.SetPositionAndClientSize(origin.x, origin.y, width, height);
    window.TextMemo.SetColor(settings.standardColor);
    window.TextMemo.SetFontColor(settings.standardTextColor);
    window.PinItem->SetCaption(texts_.pinCaption);
    window.CloseItem->SetCaption(texts_.closeCaption);
}

}  // namespace app
