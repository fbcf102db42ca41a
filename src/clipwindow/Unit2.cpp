#include "clipwindow/Unit2.h"

#include "settings/LocalisedTexts.h"
#include "clipwindow/ClipWindowRules.h"
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

TForm2::TForm2(ClipHost& host) : host_(host) {
    ui::FormOptions options;
    options.className = L"TForm2";
    options.bounds = {0, 0, kCreatedWidth, kCreatedHeight};
    options.border = ui::BorderStyle::SizeToolWindow;
    options.stayOnTop = true;
    options.alphaBlend = true;
    options.minWidth = kMinWidth;
    CreateForm(options);

    Memo1.Create(*this, {0, 0, kCreatedWidth, kCreatedHeight}, {.wordWrap = true, .scrollBars = ui::ScrollBars::None});
    MDontHideClip = &PopupMenu1.Add(L"&Dont Hide");
    MDontHideClip->OnClick = [this](ui::MenuItem&) { MDontHideClipClick(); };
    MClose = &PopupMenu1.Add(L"&Close");
    MClose->OnClick = [this](ui::MenuItem&) { MCloseClick(); };
    // A menu bar that is never shown: it only carries the zoom shortcuts.
    Bigger1 = &MainMenu1.Add(L"&Bigger", ui::ShortCut::Ctrl('B'));
    Bigger1->OnClick = [this](ui::MenuItem&) { Bigger1Click(); };
    Smaller1 = &MainMenu1.Add(L"&Smaller", ui::ShortCut::Ctrl('S'));
    Smaller1->OnClick = [this](ui::MenuItem&) { Smaller1Click(); };
    SetMenu(MainMenu1, ui::MenuBar::Hidden);

    Timer1.OnTimer = [this](ui::Timer&) { Timer1Timer(); };
    OnShow = [this](ui::Form&) { FormShow(); };
    OnActivate = [this](ui::Form&) { FormActivate(); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { FormClose(action); };
    OnResize = [this](ui::Form&) { FitMemo(); };
    FitMemo();
    createdClientHeight_ = ClientSize().cy;
    FormCreate();
}

void TForm2::FormCreate() {
    // Clip windows stay above other programs' windows while Velmor is in the
    // background: the toolkit never takes WS_EX_TOPMOST away on deactivation,
    // so no hook on the application window is needed for that.
    RenewTitleStamp();
}

void TForm2::RenewTitleStamp() {
    TitleStamp = settings::FormatNow(host_.Settings().timeFormat);
    SetTitle(TitleStamp);
}

void TForm2::ResetForReuse() {
    Timer1.SetEnabled(false);
    Hide();
    SlotIndex = -1;
    Serial = 0;
    CountDown = 0;
    Elapsed = 0;
    Pinned = false;
    MDontHideClip->SetChecked(false);
    SetAlpha(255);
    Memo1.SetScrollBars(ui::ScrollBars::None);
}

void TForm2::SetTitle(const std::string& ansiTitle) { SetWindowTextA(Handle(), ansiTitle.c_str()); }

std::string TForm2::Title() const {
    std::string title(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
    title.resize(static_cast<size_t>(GetWindowTextA(Handle(), title.data(), static_cast<int>(title.size()))));
    return title;
}

bool TForm2::CanFocus() const noexcept { return Visible() && Enabled(); }

void TForm2::FitMemo() {
    const SIZE client = ClientSize();
    Memo1.SetPixelBounds({0, 0, client.cx, client.cy});
}

void TForm2::FormShow() {
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

void TForm2::ResetCountDown() {
    Elapsed = 0;
    SetAlpha(255);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm2::FormActivate() {
    Serial = host_.TouchClipCounter();
    TitleStamp = settings::FormatNow(host_.Settings().timeFormat);
    SetTitle(TitleStamp);
    ResetCountDown();
}

void TForm2::FormClose(ui::CloseAction&) {
    Timer1.SetEnabled(false);
    host_.ClipClosed(SlotIndex);
}

void TForm2::Timer1Timer() {
    const settings::ClipSettings settings = host_.Settings();
    const TickOutcome tick =
        Tick({CountDown, Elapsed, Pinned, settings.hideGradually, settings.titleTimer}, TitleStamp);
    if (tick.stopTimer) {
        Timer1.SetEnabled(false);
        SetAlpha(255);
        Invalidate();
        return;
    }
    Elapsed = tick.elapsed;
    SetAlpha(static_cast<BYTE>(tick.alpha));
    if (tick.title) SetTitle(*tick.title);
    if (tick.close) Close();
}

void TForm2::MDontHideClipClick() {
    const settings::ClipSettings settings = host_.Settings();
    Pinned = !Pinned;
    Timer1.SetEnabled(settings.countDownEnabled);
    if (Pinned) {
        Memo1.SetFontColor(settings.fixedTextColor);
        Memo1.SetColor(settings.fixedColor);
        SetTitle(platform::WideToAnsi(host_.Texts().fixedTitle));
    } else {
        Memo1.SetFontColor(settings.standardTextColor);
        Memo1.SetColor(settings.standardColor);
        SetTitle(TitleStamp);
    }
    MDontHideClip->SetChecked(Pinned);
}

void TForm2::MCloseClick() { Close(); }

void TForm2::Bigger1Click() {
    ui::FontInfo font = Memo1.GetFontInfo();
    ++font.size;
    Memo1.SetFontInfo(font);
}

void TForm2::Smaller1Click() {
    ui::FontInfo font = Memo1.GetFontInfo();
    --font.size;
    Memo1.SetFontInfo(font);
}

void TForm2::CopyBack() {
    host_.BeginOwnCopy();
    Memo1.SelectAll();
    Memo1.CopyToClipboard();
    host_.EndOwnCopy();
    SetTitle(platform::WideToAnsi(host_.Texts().copiedTitle));
    // The copied title stays for a second; the program waits meanwhile.
    Sleep(kCopiedTitleMs);
    SetTitle(Pinned ? platform::WideToAnsi(host_.Texts().fixedTitle) : TitleStamp);
}

LRESULT TForm2::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCLBUTTONDOWN:
            ResetCountDown();
            Serial = host_.TouchClipCounter();
            break;  // the default handling moves or sizes the window
        case WM_NCLBUTTONDBLCLK:
            CopyBack();
            return 0;
        case WM_NCRBUTTONDOWN: {
            POINT cursor{};
            GetCursorPos(&cursor);
            PopupMenu1.Popup(Handle(), cursor.x, cursor.y);
            return 0;
        }
        default:
            break;
    }
    return Form::WndProc(message, wParam, lParam);
}

}  // namespace clipwindow
