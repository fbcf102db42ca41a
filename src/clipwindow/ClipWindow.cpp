#include "clipwindow/ClipWindow.h"

#include <algorithm>
#include <string_view>

#include "platform/Handles.h"
#include "platform/OutsideNames.h"

#include "platform/Text.h"
#include "settings/Settings.h"
#include "settings/LocalisedTexts.h"
#include "settings/SystemLocale.h"

namespace clipwindow {

namespace {
constexpr int kCreatedWidth = 123;
constexpr int kCreatedHeight = 134;
constexpr int kMinWidth = 100;
}  // namespace

ClipWindow::ClipWindow(ClipHost& host) : host_(host) {
    static const platform::WindowClass windowClass(FormClass(platform::kClipWindowClass));
    CreateForm(windowClass, {.bounds = {0, 0, kCreatedWidth, kCreatedHeight},
                .border = ui::BorderStyle::SizeToolWindow,
                .stayOnTop = true,
                .alphaBlend = true,
                .minWidth = kMinWidth});

    TextMemo.Create(*this, {.bounds = {0, 0, kCreatedWidth, kCreatedHeight}, .wordWrap = true, .scrollBars = ui::ScrollBars::None});
    MoreLabel.Create(*this, {.bounds = {0, kCreatedHeight, kCreatedWidth, 0}, .autoSize = false});
    MoreLabel.SetVisible(false);
    PinItem = &TitleMenu.Add(L"&Dont Hide");
    PinItem->OnClick = [this](ui::MenuItem&) { TogglePinned(); };
    CloseItem = &TitleMenu.Add(L"&Close");
    CloseItem->OnClick = [this](ui::MenuItem&) { Close(); };
    // A menu bar that is never shown: it only carries the zoom shortcuts.
    BiggerItem = &ZoomMenu.Add(L"&Bigger", ui::ShortCut::Ctrl('B'));
    BiggerItem->OnClick = [this](ui::MenuItem&) { ZoomIn(); };
    SmallerItem = &ZoomMenu.Add(L"&Smaller", ui::ShortCut::Ctrl('S'));
    SmallerItem->OnClick = [this](ui::MenuItem&) { ZoomOut(); };
    SetMenu(ZoomMenu, ui::MenuBar::Hidden);

    CountDownTimer.OnTimer = [this](ui::Timer&) { OnCountDownTick(); };
    CopiedTitleTimer.SetEnabled(false);
    CopiedTitleTimer.OnTimer = [this](ui::Timer&) { OnCopiedTitleTick(); };
    OnShow = [this](ui::Form&) { OnShown(); };
    OnActivate = [this](ui::Form&) { OnActivated(); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { OnClosing(action); };
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

void ClipWindow::Start(int countDown) {
    countDown_ = countDown;
    elapsed_ = 0;
}

void ClipWindow::ResetForReuse() {
    CountDownTimer.SetEnabled(false);
    CopiedTitleTimer.SetEnabled(false);
    Hide();
    countDown_ = 0;
    elapsed_ = 0;
    pinned_ = false;
    PinItem->SetChecked(false);
    SetAlpha(255);
    TextMemo.SetScrollBars(ui::ScrollBars::None);
    TextMemo.SetReadOnly(false);
    MoreLabel.SetVisible(false);
    whole_ = platform::CompactText();
    shownUnits_ = 0;
}

void ClipWindow::PutText(platform::CompactText text, const ShowBudget& budget, const std::wstring& moreCaption) {
    TextMemo.Clear();
    const std::size_t shown = ShownPart(text, budget);
    TextMemo.ReplaceSelection(text.Substr(0, shown));
    const bool cut = shown < text.size();
    // Only the start is in the memo: an edit of it could not be told apart
    // from the rest, so the copy back copies the whole text as it came.
    TextMemo.SetReadOnly(cut);
    if (cut) {
        const std::wstring more = platform::FormatCount(text.size() - shown);
        std::wstring caption = moreCaption;
        if (const std::size_t at = caption.find(L"%s"); at != std::wstring::npos) caption.replace(at, 2, more);
        MoreLabel.SetText(caption);
        MoreLabel.SetFont(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    }
    MoreLabel.SetVisible(cut);
    shownUnits_ = cut ? shown : 0;
    whole_ = cut ? std::move(text) : platform::CompactText();
}

std::wstring ClipWindow::Text() const { return Cut() ? whole_.ToWide() : TextMemo.Text(); }

bool ClipWindow::HasText(const platform::ClipboardText& text) const {
    const std::wstring memo = Cut() ? std::wstring() : TextMemo.Text();
    std::size_t at = 0;
    const bool same = platform::ForEachMemoPiece(text, [&](std::wstring_view piece) {
        const bool matches = Cut() ? whole_.MatchesAt(at, piece) : std::wstring_view(memo).substr(at, piece.size()) == piece;
        at += piece.size();
        return matches;
    });
    return same && at == (Cut() ? whole_.size() : memo.size());
}

platform::ClipboardTextBlock ClipWindow::CopyBlock() const {
    if (Cut()) return platform::ClipboardTextBlock(whole_);
    return platform::ClipboardTextBlock(TextMemo.Text());
}

int ClipWindow::MoreHeight() const noexcept {
    if (!Cut()) return 0;
    TEXTMETRICW metrics{};
    platform::WindowDC dc(MoreLabel.Handle());
    platform::ScopedSelect select(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(MoreLabel.Handle(), WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc.Get(), &metrics);
    return metrics.tmHeight + 2;
}

void ClipWindow::SetTitle(const std::string& ansiTitle) {
    // A clip takes the focus as it shows and so sets the stamp it got a moment ago again.
    if (ansiTitle == title_ && !title_.empty()) return;
    if (SetWindowTextA(Handle(), ansiTitle.c_str())) title_ = ansiTitle;
}

std::string ClipWindow::Title() const {
    std::string title(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
    title.resize(static_cast<size_t>(GetWindowTextA(Handle(), title.data(), static_cast<int>(title.size()))));
    return title;
}

bool ClipWindow::CanFocus() const noexcept { return Visible() && Enabled(); }

void ClipWindow::FitMemo() {
    const SIZE client = ClientSize();
    const int more = std::min<int>(MoreHeight(), client.cy);
    TextMemo.SetPixelBounds({0, 0, client.cx, client.cy - more});
    if (more > 0) MoreLabel.SetPixelBounds({0, client.cy - more, client.cx, more});
}

void ClipWindow::OnShown() {
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
    // Only a faded window looks different now. A clip activates as it shows,
    // and a second paint of it, at once, would hold up the next copy.
    if (Alpha() == 255) return;
    SetAlpha(255);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ClipWindow::OnActivated() {
    host_.ClipTouched(*this);
    titleStamp_ = settings::FormatNow(host_.Settings().timeFormat);
    SetTitle(titleStamp_);
    ResetCountDown();
}

void ClipWindow::OnClosing(ui::CloseAction&) {
    CountDownTimer.SetEnabled(false);
    host_.ClipClosed(*this);
}

void ClipWindow::OnCountDownTick() {
    const settings::Settings& settings = host_.Settings();
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
    if (tick.close) {
        // The window goes: a "(-1)" in its title would only flicker.
        Close();
        return;
    }
    // The copy back's outcome keeps the title for its second.
    if (tick.title && !CopiedTitleTimer.Enabled()) SetTitle(*tick.title);
}

void ClipWindow::TogglePinned() {
    const settings::Settings& settings = host_.Settings();
    pinned_ = !pinned_;
    CountDownTimer.SetEnabled(settings.road.closeClipTimer);
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
    // The text stays selected, as an edit control's own copy leaves it.
    TextMemo.SelectAll();
    host_.CopyBack(*this);
}

void ClipWindow::ShowCopyOutcome(bool copied) {
    const settings::LocalisedTexts& texts = host_.Texts();
    SetTitle(platform::WideToAnsi(copied ? texts.copiedTitle : texts.notCopiedTitle));
    // For a second; the program goes on meanwhile (a read's end may be waiting).
    CopiedTitleTimer.SetEnabled(false);
    CopiedTitleTimer.SetEnabled(true);
}

void ClipWindow::OnCopiedTitleTick() {
    CopiedTitleTimer.SetEnabled(false);
    SetTitle(pinned_ ? platform::WideToAnsi(host_.Texts().fixedTitle) : titleStamp_);
}

LRESULT ClipWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCLBUTTONDOWN:
            ResetCountDown();
            host_.ClipTouched(*this);
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
