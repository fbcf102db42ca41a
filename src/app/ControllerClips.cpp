// The controller's side of the road of a copy: the clip manager's shell (the
// watcher, the reader, the clipboard, the clip windows) and the clip window layout.
#include <algorithm>
#include <utility>

#include "app/Controller.h"
#include "clipwindow/ClipWindowRules.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Messages.h"

namespace app {

namespace {
// The edit control's frame around the text lines of a clip window.
constexpr int kClipFrameHeight = 8;
}  // namespace

clipwindow::ClipWindow* Controller::Clip(int slot) const noexcept {
    return slot >= 0 && slot < clipboard::kClipSlots ? clipWindows_[static_cast<size_t>(slot)].get() : nullptr;
}

int Controller::ClipWindowCount() const noexcept {
    int count = 0;
    for (const auto& clip : clipWindows_) count += clip ? 1 : 0;
    return count;
}

int Controller::SlotOf(const clipwindow::ClipWindow& window) const noexcept {
    for (int slot = 0; slot < clipboard::kClipSlots; ++slot) {
        if (clipWindows_[static_cast<size_t>(slot)].get() == &window) return slot;
    }
    return -1;
}

void Controller::JoinChain() {
    watcher_->SetOnClipChange([this](clipboard::ClipboardWatcher&) { clips_.Notified(); });
}

void Controller::LeaveChain() { watcher_->SetOnClipChange(nullptr); }

void Controller::PassOn() { watcher_->PassOn(); }

void Controller::StartRead(std::uint64_t id, std::optional<long long> sizeLimit) {
    if (!reader_ || !reader_->Start(id, sizeLimit)) {
        reader_ = std::make_unique<platform::ClipboardReader>(messages_.Handle(), ui::kClipboardRead);
        reader_->Start(id, sizeLimit);
    }
    // An ordinary text is read well within the wait, and its clip shows
    // without a trip through the message queue.
    if (reader_->Wait(kReadWaitMs)) TakeRead();
}

void Controller::TakeRead() {
    if (!reader_) return;
    if (std::optional<platform::ClipboardRead> read = reader_->Take()) clips_.ReadEnded(std::move(*read));
}

void Controller::GiveUpRead(std::uint64_t) {
    // Its thread ends on its own whenever the read does; the next read gets a new one.
    reader_.reset();
}

void Controller::ScheduleTick(std::optional<std::uint32_t> delayMs) {
    // A timer, not a wait: the program answers meanwhile.
    roadTimer_.SetEnabled(false);
    if (!delayMs) return;
    roadTimer_.SetInterval(std::max<UINT>(*delayMs, USER_TIMER_MINIMUM));
    roadTimer_.SetEnabled(true);
}

clipboard::WriteResult Controller::WriteClipText(int slot, bool outsideChain) {
    const clipwindow::ClipWindow* clip = Clip(slot);
    if (!clip) return {platform::WriteOutcome::Failed};
    clipboard::WriteResult result;
    try {
        platform::ClipboardTextBlock block = clip->CopyBlock();
        result.outcome = block.Place(window_->Handle(), [&](bool before) {
            if (!outsideChain) return;
            if (before) {
                LeaveChain();
                return;
            }
            try {
                JoinChain();
            } catch (...) {
                result.rejoined = false;
                ui::ReportCurrentException();
            }
        });
    } catch (const std::bad_alloc&) {
        result.outcome = platform::WriteOutcome::Failed;
    }
    return result;
}

void Controller::ShowCopyOutcome(int slot, bool copied) {
    if (clipwindow::ClipWindow* clip = Clip(slot)) clip->ShowCopyOutcome(copied);
}

void Controller::Settled(clipboard::Outcome outcome, std::uint32_t systemError, std::string_view failure) {
    if (pendingPreview_ && !previewPosted_) {
        previewPosted_ = PostMessageW(messages_.Handle(), ui::kShowPreview, 0, 0) != 0;
        if (!previewPosted_) ShowPreview();
    }
    // Users see nothing; a maintainer who asks why no clip came sees why.
    switch (outcome) {
        case clipboard::Outcome::HeldTooLong:
        case clipboard::Outcome::ReadTooLong:
        case clipboard::Outcome::ReadFailed:
        case clipboard::Outcome::WindowFailed: {
            const std::string name = clipboard::OutcomeName(outcome);
            const std::wstring what = L"a copy made no clip, " + std::wstring(name.begin(), name.end());
            if (systemError != 0) {
                platform::Trace(what, systemError);
            } else {
                platform::Trace(what, failure.empty() ? std::string_view("no more is known") : failure);
            }
            break;
        }
        default:
            break;
    }
}

void Controller::Preview(const platform::ClipboardText& text) {
    // The memo shows only the start of the text (kPreviewChars): it is a
    // preview of a few lines, and wrapping a text of megabytes would hold up
    // the GUI thread. Setting it, and even measuring the memo for it, costs
    // time that a copy would wait for before its clip shows: the memo takes
    // the text once the change is settled (even the post that asks for it
    // is a trip to the server).
    std::wstring start;
    platform::ForEachMemoPiece(text, [&](std::wstring_view piece) {
        start.append(piece.substr(0, kPreviewChars + 1 - std::min(start.size(), kPreviewChars + 1)));
        return start.size() <= kPreviewChars;
    });
    pendingPreview_ = std::move(start);
}

bool Controller::IsClipText(int slot, const platform::ClipboardText& text) {
    const clipwindow::ClipWindow* clip = Clip(slot);
    return clip && clip->HasText(text);
}

void Controller::ShowPreview() {
    previewPosted_ = false;
    if (!pendingPreview_) return;
    // Of a line with no break in it, the memo shows what a clip would: laid
    // out, such a line costs the square of its length, and 4,096 units on
    // one line kept the next copy waiting 150 ms.
    const ui::Memo& memo = window_->Pages.SampleMemo;
    clipwindow::ShowBudget budget;
    if (RECT area{}; memo.Handle() && GetClientRect(memo.Handle(), &area)) {
        budget = clipwindow::BudgetFor(area.right, memo.AverageCharWidth(), area.bottom / std::max(1, memo.LineHeight()));
    }
    budget.units = kPreviewChars;
    budget.lines = kPreviewChars;  // any number of short lines up to the preview's size
    std::wstring start = std::move(*pendingPreview_);
    pendingPreview_.reset();
    start.resize(clipwindow::ShownPart(std::wstring_view(start), budget));
    window_->Pages.SampleMemo.SetText(start);
}

bool Controller::Pinned(int slot) {
    const clipwindow::ClipWindow* clip = Clip(slot);
    return clip && clip->Pinned();
}

void Controller::FocusClip(int slot) {
    if (clipwindow::ClipWindow* clip = Clip(slot); clip && clip->CanFocus()) clip->SetFocus();
}

void Controller::ShowFirstPage() { window_->Pages.Tabs.SetActivePageIndex(settings::SettingsPages::kPropertyPage); }

void Controller::MakeClipWindow(int slot) { SetClip(slot, NewClipWindow()); }

void Controller::ShowClip(int slot, platform::CompactText text, int countDown, bool timerOn) {
    clipwindow::ClipWindow& window = *Clip(slot);
    LayoutClipWindow(window, std::move(text), ClipOrigin());
    window.ShowNoActivate();
    window.Start(countDown);
    window.CountDownTimer.SetEnabled(timerOn);
    PostMessageW(messages_.Handle(), ui::kMakeSpareClip, 0, 0);
}

void Controller::CloseClip(int slot) {
    if (clipwindow::ClipWindow* clip = Clip(slot)) clip->Close();
    SetClip(slot, nullptr);
}

std::unique_ptr<clipwindow::ClipWindow> Controller::NewClipWindow() {
    if (!spare_) return ClipWindowFactory(*this);
    std::unique_ptr<clipwindow::ClipWindow> window = std::move(spare_);
    window->RenewTitleStamp();
    window->CountDownTimer.SetEnabled(true);
    return window;
}

void Controller::MakeSpareClip() noexcept {
    try {
        // The spare counts against the 51 windows that may exist.
        if (!spare_) {
            if (ClipWindowCount() >= clipboard::kClipSlots) return;
            spare_ = ClipWindowFactory(*this);
            // Idle and in no slot: its timer must not close anything.
            spare_->CountDownTimer.SetEnabled(false);
        }
        // While idle: the next clip only puts its text in, and in the same
        // second keeps this title.
        PrepareClipMemo(*spare_);
        spare_->RenewTitleStamp();
    } catch (...) {
        // Silent like every error of the clip path: the next clip makes its own window.
        platform::TraceCurrentException(L"no clip window could be made ahead");
    }
}

void Controller::SetClip(int slot, std::unique_ptr<clipwindow::ClipWindow> window) {
    // The old window goes with its entry, so that at most one window per slot
    // exists. A closed one is kept to show the next clip, if none is kept
    // yet: making and destroying a window per copy is the costliest part of
    // a clip (and, under Wine, grows the X11 driver's memory without end).
    // One whose handler is running (its menu is open) is destroyed after
    // that handler returns; out of its slot, nothing it does reaches the
    // clip table any more.
    std::unique_ptr<clipwindow::ClipWindow> old = std::exchange(clipWindows_[static_cast<size_t>(slot)], std::move(window));
    if (old && !spare_ && !old->Busy()) {
        old->ResetForReuse();
        spare_ = std::move(old);
        return;
    }
    ui::Application::Get().Release(std::move(old));
}

POINT Controller::ClipOrigin() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return POINT{0, 0};
    return cursor;
}

void Controller::PrepareClipMemo(clipwindow::ClipWindow& window) {
    const settings::Settings& settings = window_->Pages.Current();
    // The memo takes the final width, font and margins before the text goes
    // in, so that it wraps as it will be shown, its lines are counted as
    // shown (margins set after the count hid the last line), and the text is
    // laid out once; the window itself is sized once, at the end. A window
    // prepared ahead, or shown before, has them already, and every change of
    // them is a trip to the server. The font comes before the margins:
    // setting a font resets an edit control's margins.
    window.TextMemo.SetPixelBounds({0, 0, ui::Scale(settings.clipWidth), window.ClientSize().cy});
    window.TextMemo.Clear();
    window.TextMemo.SetFontInfo(window_->Pages.SampleMemo.GetFontInfo());
    window.TextMemo.SetMargins(ui::Scale(settings.leftMargin), ui::Scale(settings.rightMargin));
}

void Controller::LayoutClipWindow(clipwindow::ClipWindow& window, platform::CompactText text, POINT origin) {
    const settings::Settings& settings = window_->Pages.Current();
    const int width = ui::Scale(settings.clipWidth);
    int height = window.CreatedClientHeight();
    PrepareClipMemo(window);
    // The point size gives the character height; a font whose lines are
    // taller (internal leading) needs its real line height, or the edit
    // control, which shows whole lines only, would hide the last lines.
    const int charHeight =
        std::max(ui::FontPixelHeight(window.TextMemo.GetFontInfo().size, ui::ScreenDpi()), window.TextMemo.LineHeight());
    const int maxHeight = ui::Scale(settings.maxHeight);
    const int textWidth = width - ui::Scale(settings.leftMargin) - ui::Scale(settings.rightMargin);
    const clipwindow::ShowBudget budget =
        clipwindow::BudgetFor(textWidth, window.TextMemo.AverageCharWidth(), maxHeight / std::max(1, charHeight));
    // A text cut to its start is taller than the window shows: its scroll
    // bar comes before the text, which is then laid out once, not again for
    // the narrower width.
    if (clipwindow::ShownPart(text, budget) < text.size()) {
        window.TextMemo.SetScrollBars(settings.scrollBarVertical ? ui::ScrollBars::Vertical : ui::ScrollBars::None);
    }
    // What a paste would insert, taken by the read of this change: reading
    // the clipboard once more could find another program holding it, and
    // every read costs memory under Wine.
    window.PutText(std::move(text), budget, texts_.moreCaption);
    const HWND memo = window.TextMemo.Handle();
    if (GetWindowTextLengthW(memo) > 0) {
        const int lines = window.TextMemo.LineCount();
        const auto lastLineStart = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0);
        const bool lastLineEmpty = SendMessageW(memo, EM_LINELENGTH, static_cast<WPARAM>(lastLineStart), 0) == 0;
        const clipwindow::LayoutOutcome layout = clipwindow::LayoutHeight(
            {lines, lastLineEmpty, false, charHeight, maxHeight, settings.scrollBarVertical});
        // The frame allowance is a 96-dpi figure like the others.
        if (layout.clientHeight) height = *layout.clientHeight - kClipFrameHeight + ui::Scale(kClipFrameHeight);
        window.TextMemo.SetScrollBars(layout.verticalScrollBar ? ui::ScrollBars::Vertical : ui::ScrollBars::None);
    }
    window.SetPositionAndClientSize(origin.x, origin.y, width, height + window.MoreHeight());
    window.TextMemo.SetColor(settings.standardColor);
    window.TextMemo.SetFontColor(settings.standardTextColor);
    window.PinItem->SetCaption(texts_.pinCaption);
    window.CloseItem->SetCaption(texts_.closeCaption);
}

}  // namespace app
