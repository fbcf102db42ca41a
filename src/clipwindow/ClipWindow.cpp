#include "clipwindow/ClipWindow.h"

#include <string_view>

#include "settings/LocalisedTexts.h"
#include "clipwindow/ClipWindowRules.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "settings/ClipSettings.h"
#include "settings/SystemLocale.h"

namespace clipwindow {

namespace {
constexpr int kCreatedWidth = 123;
constexpr int kCreatedHeight = 134;
constexpr int kMinWidth = 100;
constexpr DWORD kCopiedTitleMs = 1000;
}  // namespace

ClipWindow::ClipWindow(ClipHost& host) : host_(host) {
    CreateForm({.className = L"TForm2",
                .bounds = {0, 0, kCreatedWidth, kCreatedHeight},
                .border = ui::BorderStyle::SizeToolWindow,
                .stayOnTop = true,
                .alphaBlend = true,
                .minWidth = kMinWidth});

    TextMemo.Create(*this, {.bounds = {0, 0, kCreatedWidth, kCreatedHeight}, .wordWrap = true, .scrollBars = ui::ScrollBars::None});
    PinItem = &TitleMenu.Add(L"&Dont Hide");
    PinItem->OnClick = [this](ui::MenuItem&) { TogglePinned(); };
    CloseItem = &TitleMenu.Add(L"&Close");
    CloseItem->OnClick = [this](ui::MenuItem&) { CloseFromMenu(); };
    // A menu bar that is never shown: it only carries the zoom shortcuts.
    BiggerItem = &ZoomMenu.Add(L"&Bigger", ui::ShortCut::Ctrl('B'));
    BiggerItem->OnClick = [this](ui::MenuItem&) { ZoomIn(); };
    SmallerItem = &ZoomMenu.Add(L"&Smaller", ui::ShortCut::Ctrl('S'));
    SmallerItem->OnClick = [this](ui::MenuItem&) { ZoomOut(); };
    SetMenu(ZoomMenu, ui::MenuBar::Hidden);

    CountDownTimer.OnTimer = [this](ui::Timer&) { OnTimerTick(); };
    OnShow = [this](ui::Form&) { KeepOnScreenAndFocus(); };
    OnActivate = [this](ui::Form&) { BecomeNewest(); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { ReleaseSlot(action); };
    OnResize = [this](ui::Form&) { FitMemo(); };
    FitMemo();
    createdClientHeight_ = ClientSize().cy;
    FinishCreation();
}

void ClipWindow::FinishCreation() {
    // Clip windows stay above other programs' windows while Velmor is in the
    // background: the toolkit never takes WS_EX_TOPMOST away on deactivation,
    // so no hook on the application window is needed for that.
    RenewTitleStamp();
}

void ClipWindow::RenewTitleStamp() {
    titleStamp_ = settings::FormatNow(host_.Settings().timeFormat);
    SetTitle(titleStamp_);
}

void ClipWindow::Start(int slot, std::int32_t serial, int countDown) {
    slot_ = slot;
    serial_ = serial;
    countDown_ = countDown;
    elapsed_ = 0;
}

void ClipWindow::ResetForReuse() {
    CountDownTimer.SetEnabled(false);
    Hide();
    LeaveSlot();
    serial_ = 0;
    countDown_ = 0;
    elapsed_ = 0;
    pinned_ = false;
    PinItem->SetChecked(false);
    SetAlpha(255);
    TextMemo.SetScrollBars(ui::ScrollBars::None);
    longText_ = std::wstring();
    shownChars_ = 0;
}

void ClipWindow::PutText(std::wstring text) {
    TextMemo.Clear();
    shownChars_ = ShownLength(text, kShownChars);
    TextMemo.ReplaceSelection(std::wstring_view(text).substr(0, shownChars_));
    longText_ = shownChars_ < text.size() ? std::move(text) : std::wstring();
}

std::size_t ClipWindow::TextLength() const {
    // The memo holds at most kShownChars: reading it is cheap.
    const std::size_t shown = TextMemo.Text().size();
    return longText_.empty() ? shown : shown + longText_.size() - shownChars_;
}

std::wstring ClipWindow::Text() const {
    if (longText_.empty()) return TextMemo.Text();
    return TextMemo.Text().append(longText_, shownChars_);
}

void ClipWindow::SetTitle(const std::string& ansiTitle) { SetWindowTextA(Handle(), ansiTitle.c_str()); }

std::string ClipWindow::Title() const {
    std::string title(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
    title.resize(static_cast<size_t>(GetWindowTextA(Handle(), title.data(), static_cast<int>(title.size()))));
    return title;
}

bool ClipWindow::CanFocus() const noexcept { return Visible() && Enabled(); }

void ClipWindow::FitMemo() {
    const SIZE client = ClientSize();
    TextMemo.SetPixelBounds({0, 0, client.cx, client.cy});
}

void ClipWindow::KeepOnScreenAndFocus() {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    // The work area of the monitor under the window's corner, which is the cursor.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{};
    if (GetMonitorInfoW(MonitorFromPoint(POINT{rect.left, rect.top}, MONITOR_DEFAULTTONEAREST), &monitor)) {
        work = monitor.rcWork;
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    }
    const Position moved = KeepInWorkArea({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top},
                                          {work.left, work.top, work.right, work.bottom});
    if (moved.left != rect.left || moved.top != rect.top) SetPosition(moved.left, moved.top);
    ::SetFocus(Handle());
}

void ClipWindow::ResetCountDown() {
    elapsed_ = 0;
    SetAlpha(255);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ClipWindow::BecomeNewest() {
    serial_ = host_.TouchClipCounter();
    titleStamp_ = settings::FormatNow(host_.Settings().timeFormat);
    SetTitle(titleStamp_);
    ResetCountDown();
}

void ClipWindow::ReleaseSlot(ui::CloseAction&) {
    CountDownTimer.SetEnabled(false);
    host_.ClipClosed(slot_);
}

void ClipWindow::OnTimerTick() {
    const settings::ClipSettings settings = host_.Settings();
    const TickOutcome tick =
        Tick({countDown_, elapsed_, pinned_, settings.hideGradually, settings.titleTimer}, titleStamp_);
    if (tick.stopTimer) {
        CountDownTimer.SetEnabled(false);
        SetAlpha(255);
        Invalidate();
        return;
    }
    elapsed_ = tick.elapsed;
    SetAlpha(static_cast<BYTE>(tick.alpha));
    if (tick.title) SetTitle(*tick.title);
    if (tick.close) Close();
}

void ClipWindow::TogglePinned() {
    const settings::ClipSettings settings = host_.Settings();
    pinned_ = !pinned_;
    CountDownTimer.SetEnabled(settings.countDownEnabled);
    if (pinned_) {
        TextMemo.SetFontColor(settings.fixedTextColor);
        TextMemo.SetColor(settings.fixedColor);
        SetTitle(platform::WideToAnsi(host_.Texts().fixedTitle));
    } else {
        TextMemo.SetFontColor(settings.standardTextColor);
        TextMemo.SetColor(settings.standardColor);
        SetTitle(titleStamp_);
    }
    PinItem->SetChecked(pinned_);
}

void ClipWindow::CloseFromMenu() { Close(); }

void ClipWindow::ZoomIn() {
    ui::FontInfo font = TextMemo.GetFontInfo();
    font.size = ZoomedSize(font.size, 1);
    TextMemo.SetFontInfo(font);
}

void ClipWindow::ZoomOut() {
    ui::FontInfo font = TextMemo.GetFontInfo();
    font.size = ZoomedSize(font.size, -1);
    TextMemo.SetFontInfo(font);
}

void ClipWindow::CopyBack() {
    host_.BeginOwnCopy();
    try {
        TextMemo.SelectAll();
        if (longText_.empty()) {
            TextMemo.CopyToClipboard();
        } else {
            platform::WriteClipboardText(Handle(), Text());
        }
    } catch (...) {
        // Watching goes on as before the copy, also when the copy fails.
        host_.EndOwnCopy();
        throw;
    }
    host_.EndOwnCopy();
    SetTitle(platform::WideToAnsi(host_.Texts().copiedTitle));
    // The copied title stays for a second; the program waits meanwhile.
    Sleep(kCopiedTitleMs);
    SetTitle(pinned_ ? platform::WideToAnsi(host_.Texts().fixedTitle) : titleStamp_);
}

LRESULT ClipWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCLBUTTONDOWN:
            ResetCountDown();
            serial_ = host_.TouchClipCounter();
            break;  // the default handling moves or sizes the window
        case WM_NCLBUTTONDBLCLK:
            CopyBack();
            return 0;
        case WM_NCRBUTTONDOWN: {
            POINT cursor{};
            GetCursorPos(&cursor);
            TitleMenu.Popup(Handle(), cursor.x, cursor.y);
            return 0;
        }
        default:
            break;
    }
    return Form::WndProc(message, wParam, lParam);
}

}  // namespace clipwindow
