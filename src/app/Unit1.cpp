#include "app/Unit1.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "clipwindow/ClipWindowRules.h"
#include "platform/Clipboard.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

namespace app {

namespace {

constexpr int kDesignWidth = 288;
constexpr int kDesignHeight = 363;
// The edit control's frame around the text lines of a clip window.
constexpr int kClipFrameHeight = 8;

// The strip along the bottom that holds "Task Tray".
constexpr int kStripHeight = 41;

clipwindow::WorkArea ToWorkArea(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// The work area of every monitor, for the check that the window is on screen.
std::vector<clipwindow::WorkArea> MonitorWorkAreas() {
    std::vector<clipwindow::WorkArea> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                reinterpret_cast<std::vector<clipwindow::WorkArea>*>(found)->push_back(ToWorkArea(info.rcWork));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace

TVelmor::TVelmor() {
    ui::FormOptions options;
    options.className = L"TVelmor";
    options.caption = L"Velmor";
    options.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, kDesignWidth, kDesignHeight};
    options.border = ui::BorderStyle::Sizeable;
    options.maximizeBox = false;
    options.stayOnTop = true;
    options.minWidth = kDesignWidth;
    options.minHeight = kDesignHeight;
    options.dialogKeys = true;
    CreateForm(options);
    ClipWindowFactory = [](TVelmor& owner) { return std::make_unique<clipwindow::TForm2>(owner); };
    Pages.Create(*this);
    BottomPanel.Create(*this, {0, 268, 280, kStripHeight});
    BottomPanel.AlignBottom(kStripHeight);
    BTaskTray.Create(BottomPanel, {.bounds = {191, 8, 83, 25}, .caption = L"Task Tray", .key = L"[Button]TaskTray"});
    BTaskTray.OnClick = [this](ui::Button&) { BTaskTrayClick(); };
    // The button keeps to the strip's right edge.
    BottomPanel.OnResize = [this](ui::Panel& strip) {
        const SIZE size = strip.ClientSize();
        const ui::Bounds button = BTaskTray.PixelBounds();
        BTaskTray.SetPixelBounds({size.cx - ui::Scale(6) - button.width, button.top, button.width, button.height});
    };
    CreateMenus();
    OnResize = [this](ui::Form&) {
        const SIZE client = ClientSize();
        Pages.Fit(client.cx, client.cy, ui::Scale(kStripHeight));
    };
    OnResize(*this);
    OnCloseQuery = [this](ui::Form&, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { FormClose(action); };
    FormCreate();
}

void TVelmor::BeforeDestruction() {
    RemoveTrayIcon();
    // Leave the viewer chain first, then destroy the clip windows, which call back here.
    clipDetector_.reset();
    for (auto& clip : clipWindows_) clip.reset();
    spare_.reset();
    ui::Application::Get().DestroyReleased();
}

void TVelmor::CreateMenus() {
    // An item with its caption key and its command.
    const auto add = [](ui::MenuItem& parent, const wchar_t* caption, const wchar_t* key, auto command,
                        ui::ShortCut shortCut = {}) -> ui::MenuItem* {
        ui::MenuItem& item = parent.Add(caption, shortCut);
        item.SetCaptionKey(key);
        item.OnClick = [command](ui::MenuItem&) { command(); };
        return &item;
    };
    MFile = add(MainMenu1.Items(), L"&File", L"[MenuBar]File", [] {});
    MCloseAllClips = add(*MFile, L"&Close All Clips", L"[MenuBar]CloseAllClips", [this] { CloseAllClips1Click(); });
    MTaskTray = add(*MFile, L"&Task Tray", L"[MenuBar]TaskTray", [this] { MTaskTrayClick(); });
    MSuspend = add(*MFile, L"&Suspend", L"[MenuBar]Suspend", [this] { PSuspendClick(); });
    MResume = add(*MFile, L"&Resume", L"[MenuBar]Resume", [this] { PResumeClick(); });
    MResume->SetVisible(false);
    MFile->AddSeparator();
    MQuit = add(*MFile, L"&Quit", L"[MenuBar]Quit", [this] { MQuitClick(); }, ui::ShortCut::Ctrl('Q'));
    MHelp = add(MainMenu1.Items(), L"&Help", L"[MenuBar]Help", [] {});
    MVersion = add(*MHelp, L"&Version", L"[MenuBar]Version", [this] { MVersionClick(); });
    SetMenu(MainMenu1);

    yo1 = add(PopupMenu1.Items(), L"&Property", L"[MenuBar]Property", [this] { yo1Click(); });
    CloseAllClips1 = add(PopupMenu1.Items(), L"&Close All Clips", L"[Tray]CloseAllClips", [this] { CloseAllClips1Click(); });
    PSuspend = add(PopupMenu1.Items(), L"&Suspend", L"[Tray]Suspend", [this] { PSuspendClick(); });
    PResume = add(PopupMenu1.Items(), L"&Resume", L"[Tray]Resume", [this] { PResumeClick(); });
    PResume->SetVisible(false);
    PopupMenu1.AddSeparator();
    Quit1 = add(PopupMenu1.Items(), L"&Quit", L"[Tray]Quit", [this] { Quit1Click(); });
    AddCaptionMenu(PopupMenu1);
}

void TVelmor::FormCreate() {
    texts_ = LocalisedTexts{};
    SetFormFont(ui::CreateMenuFont());
    LoadSettings();
    clipDetector_ = std::make_unique<clipboard::TVxClipDetector>();
    AttachClipboardChanged();
    // TODO(language files): ListLanguageFiles, then the chosen file or Default.lng.
    ui::Application::Get().SetTitle(texts_.titleText);
    GoToTray();
}

clipwindow::TForm2* TVelmor::Clip(int slot) const noexcept {
    return slot >= 0 && slot < clipboard::kClipSlots ? clipWindows_[static_cast<size_t>(slot)].get() : nullptr;
}

bool TVelmor::SlotFlag(int slot) const noexcept { return clips_.SlotFlag(slot); }

int TVelmor::ClipWindowCount() const noexcept {
    int count = 0;
    for (const auto& clip : clipWindows_) count += clip ? 1 : 0;
    return count;
}

void TVelmor::ClipboardChanged(clipboard::TVxClipDetector&) { clips_.ClipboardChanged(); }

clipboard::ClipboardRead TVelmor::ReadClipboard() {
    const platform::ClipboardSnapshot snapshot = platform::ReadClipboardSnapshot(Handle());
    clipboard::ClipboardRead read;
    read.excluded = snapshot.excluded;
    read.text = snapshot.text;
    if (snapshot.wideText) read.wideText = *snapshot.wideText;
    return read;
}

clipboard::ClipOptions TVelmor::Options() {
    clipboard::ClipOptions options;
    options.maxClipCount = Pages.SEHistory.Value();
    options.ignoreLargeText = Pages.CBIgnoreLT.Checked();
    options.sizeOfText = Pages.SEMaxTextSize.Value();
    options.closeClipTimer = Pages.CBCountDown.Checked();
    options.countDown = Pages.SECountDown.Value();
    options.doubleCopy = Pages.CBDoubleCopy.Checked();
    return options;
}

std::wstring TVelmor::Preview(const std::string& text) {
    Pages.MemoSample.SetText(platform::AnsiToWide(text));
    return Pages.MemoSample.Text();
}

clipboard::ClipEntry TVelmor::Entry(int slot) {
    const clipwindow::TForm2* clip = Clip(slot);
    return clip ? clipboard::ClipEntry{true, clip->Pinned, clip->Serial} : clipboard::ClipEntry{};
}

std::wstring TVelmor::ClipText(int slot) {
    const clipwindow::TForm2* clip = Clip(slot);
    return clip ? clip->Memo1.Text() : std::wstring{};
}

void TVelmor::FocusClip(int slot) {
    if (clipwindow::TForm2* clip = Clip(slot); clip && clip->CanFocus()) clip->SetFocus();
}

void TVelmor::ShowFirstPage() { Pages.PageControl1.SetActivePageIndex(settings::SettingsPages::kPropertyPage); }

void TVelmor::CreateClip(int slot) {
    std::unique_ptr<clipwindow::TForm2> window = NewClipWindow();
    window->SlotIndex = slot;
    SetClip(slot, std::move(window));
}

void TVelmor::ShowClipWindow(int slot, const std::wstring& text) {
    clipwindow::TForm2& window = *Clip(slot);
    const POINT origin = ClipOrigin();
    window.SetPosition(origin.x, origin.y);
    LayoutClipWindow(window, text);
    window.ShowNoActivate();
}

void TVelmor::StartClip(int slot, std::int32_t serial, int countDown, bool timerOn) {
    clipwindow::TForm2& window = *Clip(slot);
    window.Serial = serial;
    window.CountDown = countDown;
    window.Elapsed = 0;
    window.Timer1.SetEnabled(timerOn);
    PostMessageW(Handle(), kMakeSpareClip, 0, 0);
}

void TVelmor::CloseClip(int slot) {
    if (clipwindow::TForm2* clip = Clip(slot)) clip->Close();
    SetClip(slot, nullptr);
}

std::unique_ptr<clipwindow::TForm2> TVelmor::NewClipWindow() {
    if (!spare_) return ClipWindowFactory(*this);
    std::unique_ptr<clipwindow::TForm2> window = std::move(spare_);
    window->RenewTitleStamp();
    window->Timer1.SetEnabled(true);
    return window;
}

void TVelmor::MakeSpareClip() noexcept {
    // The spare counts against the 51 windows that may exist.
    if (spare_ || ClipWindowCount() >= clipboard::kClipSlots) return;
    try {
        spare_ = ClipWindowFactory(*this);
    } catch (...) {
        // Silent like every error of the clip path: the next clip makes its own window.
        return;
    }
    // Idle and in no slot: its timer must not close anything.
    spare_->Timer1.SetEnabled(false);
    spare_->SlotIndex = -1;
}

void TVelmor::SetClip(int slot, std::unique_ptr<clipwindow::TForm2> window) {
    // The old window goes with its entry, so that at most one window per slot
    // exists; one whose handler is running (its menu is open, it is copying
    // back) is destroyed after that handler returns.
    std::unique_ptr<clipwindow::TForm2> old = std::exchange(clipWindows_[static_cast<size_t>(slot)], std::move(window));
    ui::Application::Get().Release(std::move(old));
}

POINT TVelmor::ClipOrigin() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return POINT{0, 0};
    return cursor;
}

void TVelmor::CloseAllClips1Click() { clips_.CloseAllClips(); }

void TVelmor::LayoutClipWindow(clipwindow::TForm2& window, const std::wstring& text) {
    const settings::ClipSettings settings = Pages.Current();
    const int width = ui::Scale(settings.maxWidth);
    int height = window.ClientSize().cy;
    // The memo takes the final width before the text goes in, so that it
    // wraps as it will be shown; the window itself is sized once, at the end.
    window.Memo1.SetPixelBounds({0, 0, width, height});
    window.Memo1.Clear();
    // What the edit control's paste would insert, taken by the read of this
    // change: reading the clipboard once more could find another program
    // holding it, and every read costs memory under Wine.
    window.Memo1.ReplaceSelection(text);
    window.Memo1.SetFontInfo(Pages.MemoSample.GetFontInfo());
    // The point size gives the character height; a font whose lines are
    // taller (internal leading) needs its real line height, or the edit
    // control, which shows whole lines only, would hide the last lines.
    const int charHeight =
        std::max(ui::FontPixelHeight(window.Memo1.GetFontInfo().size, ui::ScreenDpi()), window.Memo1.LineHeight());
    const HWND memo = window.Memo1.Handle();
    if (GetWindowTextLengthW(memo) > 0) {
        const int lines = window.Memo1.LineCount();
        const auto lastLineStart = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0);
        const bool lastLineEmpty = SendMessageW(memo, EM_LINELENGTH, static_cast<WPARAM>(lastLineStart), 0) == 0;
        const clipwindow::LayoutOutcome layout = clipwindow::LayoutHeight(
            {lines, lastLineEmpty, false, charHeight, ui::Scale(settings.maxHeight), settings.scrollBarsVertical});
        // The frame allowance is a 96-dpi figure like the others.
        if (layout.clientHeight) height = *layout.clientHeight - kClipFrameHeight + ui::Scale(kClipFrameHeight);
        window.Memo1.SetScrollBars(layout.verticalScrollBar ? ui::ScrollBars::Vertical : ui::ScrollBars::None);
    }
    window.SetClientSize(width, height);
    window.Memo1.SetMargins(ui::Scale(settings.leftMargin), ui::Scale(settings.rightMargin));
    window.Memo1.SetColor(settings.standardColor);
    window.Memo1.SetFontColor(settings.standardTextColor);
    window.MDontHideClip->SetCaption(texts_.pinCaption);
    window.MClose->SetCaption(texts_.closeCaption);
}

LRESULT TVelmor::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == kMakeSpareClip) {
        MakeSpareClip();
        return 0;
    }
    if (message == kTrayMessage) {
        // Both buttons open the menu on the press, where the cursor is as it
        // arrives; releases and double clicks do nothing.
        if (lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN) {
            POINT cursor{};
            GetCursorPos(&cursor);
            ShowTrayMenu(cursor);
        }
        return 0;
    }
    if (message == taskbarCreated && taskbarCreated != 0) {
        // Explorer restarted and forgot every icon; ours must come back.
        if (tray_.TaskbarRecreated()) {
            NOTIFYICONDATAA data = TrayRecord();
            Shell_NotifyIconA(NIM_ADD, &data);
        }
        return 0;
    }
    switch (message) {
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Windows ends the program without closing the window: save as a close would.
            if (wParam) {
                ui::CloseAction action = ui::CloseAction::Hide;
                FormClose(action);
            }
            return 0;
        default:
            break;
    }
    if (message == WM_SYSCOMMAND) {
        switch (wParam) {
            case SC_MINIMIZE:
                GoToTray();
                return 0;
            case SC_RESTORE:
                ui::Application::Get().Restore();
                break;
            default:
                break;
        }
    }
    return Form::WndProc(message, wParam, lParam);
}

void TVelmor::ShowTrayMenu(POINT at) {
    ui::Application& application = ui::Application::Get();
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(application.Handle());
    application.ProcessMessages();
    PopupMenu1.Popup(application.Handle(), at.x, at.y);
}

NOTIFYICONDATAA TVelmor::TrayRecord() {
    NOTIFYICONDATAA data{};
    // The first, smallest form of the record; 88 bytes in a 32-bit process.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = Handle();
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    if (!trayIcon_) {
        trayIcon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    }
    data.hIcon = trayIcon_.get();
    const std::string tip = CutToBytes(platform::WideToAnsi(texts_.titleText), kTrayTipBytes,
                                       [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; });
    memcpy(data.szTip, tip.c_str(), tip.size() + 1);
    return data;
}

void TVelmor::AddTrayIcon() {
    if (!tray_.Add()) return;
    NOTIFYICONDATAA data = TrayRecord();
    Shell_NotifyIconA(NIM_ADD, &data);
}

void TVelmor::RemoveTrayIcon() {
    if (!tray_.Remove()) return;
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = Handle();
    data.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void TVelmor::yo1Click() {
    RemoveTrayIcon();
    Show();
    SetForegroundWindow(Handle());
    SetFocus();
}

void TVelmor::PSuspendClick() {
    MSuspend->SetVisible(false);
    MResume->SetVisible(true);
    PSuspend->SetVisible(false);
    PResume->SetVisible(true);
    watching_ = false;
    clipDetector_->SetOnClipChange(nullptr);
}

void TVelmor::PResumeClick() {
    MSuspend->SetVisible(true);
    MResume->SetVisible(false);
    PSuspend->SetVisible(true);
    PResume->SetVisible(false);
    watching_ = true;
    AttachClipboardChanged();
}

void TVelmor::Quit1Click() {
    RemoveTrayIcon();
    Close();
}

void TVelmor::MQuitClick() { Close(); }

void TVelmor::MTaskTrayClick() { GoToTray(); }

void TVelmor::BTaskTrayClick() {
    Hide();
    GoToTray();
}

void TVelmor::MVersionClick() {
    // TODO(about box): give the About box the version caption and show it modeless.
}

void TVelmor::AttachClipboardChanged() {
    clipDetector_->SetOnClipChange([this](clipboard::TVxClipDetector& sender) { ClipboardChanged(sender); });
}

void TVelmor::BeginOwnCopy() { clipDetector_->SetOnClipChange(nullptr); }

void TVelmor::EndOwnCopy() {
    // A copy back while suspended leaves the watcher suspended.
    if (watching_) AttachClipboardChanged();
}

void TVelmor::GoToTray() {
    AddTrayIcon();
    Hide();
}

void TVelmor::FormCloseQuery(bool& canClose) { canClose = true; }

void TVelmor::FormClose(ui::CloseAction&) {
    // A save that fails is reported; the program still ends as the user asked.
    try {
        SaveSettings();
    } catch (...) {
        ui::ReportCurrentException();
    }
}

void TVelmor::LoadSettings() {
    const std::string folder = platform::ExeFolder();
    const settings::PrivateProfileReader file(settings::PropertyFilePath());
    // First, so that a font it gives is the window's font when the clip font's defaults are taken.
    const std::string languageFile = settings::ReadLanguageFileKey(file);
    if (!languageFile.empty() && platform::FileExists(folder + languageFile)) ApplyLanguageFile(folder + languageFile);

    settings::SettingsDefaults defaults;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    defaults.primaryWorkArea = ToWorkArea(work);
    defaults.workAreas = MonitorWorkAreas();
    const ui::Bounds bounds = PixelBounds();
    defaults.width = bounds.width;
    defaults.height = bounds.height;
    defaults.minWidth = ui::Scale(kDesignWidth);
    defaults.minHeight = ui::Scale(kDesignHeight);
    const ui::FontInfo font = ui::FontInfoOf(FormFont());
    defaults.fontName = platform::WideToAnsi(font.name);
    defaults.fontSize = font.size;
    defaults.fontCharset = font.charset;
    defaults.timeFormat = Pages.TimeFormatText();

    const settings::StoredSettings stored = settings::ReadSettings(file, defaults);
    SetWindowPos(Handle(), nullptr, stored.left, stored.top, stored.width, stored.height, SWP_NOZORDER | SWP_NOACTIVATE);
    Pages.Load(stored);
}

void TVelmor::SaveSettings() {
    settings::StoredSettings stored;
    Pages.Save(stored);
    // The bounds the window has, also while it is hidden in the tray.
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    stored.left = bounds.left;
    stored.top = bounds.top;
    stored.width = bounds.right - bounds.left;
    stored.height = bounds.bottom - bounds.top;
    settings::SavePropertyFile(settings::PropertyFilePath(), stored);
}

void TVelmor::ApplyLanguageFile(const std::string&) {
    // TODO(language files): read the file and apply its keys.
}

}  // namespace app
