#include "app/Unit1.h"

#include <shellapi.h>

#include <cstring>
#include <vector>

#include "platform/Module.h"
#include "platform/Text.h"
#include "settings/Charsets.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

namespace app {

namespace {

// Runs one step of the start-up; an error in it is reported and the start-up
// goes on, so that the program still reaches the tray.
template <typename Step>
void Reporting(Step&& step) {
    try {
        step();
    } catch (...) {
        ui::ReportCurrentException();
    }
}

constexpr int kDesignWidth = 288;
constexpr int kDesignHeight = 363;

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
    Pages.LBLanguage.OnDblClick = [this](ui::ListBox&) { LBLanguageDblClick(); };
    Pages.BReload.OnClick = [this](ui::Button&) { BReloadClick(); };
    Pages.BPutFile.OnClick = [this](ui::Button&) { BPutFileClick(); };
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
    texts_ = settings::LocalisedTexts{};
    SetFormFont(ui::CreateMenuFont());
    LoadSettings();
    clipDetector_ = std::make_unique<clipboard::TVxClipDetector>();
    AttachClipboardChanged();
    Reporting([this] { ListLanguageFiles(); });
    Reporting([this] {
        const std::string& chosen = Pages.LanguageFile;
        if (Pages.CBLoadLang.Checked() && !chosen.empty() && platform::FileExists(languages_.Folder() + chosen)) {
            ApplyLanguageFile(languages_.Folder() + chosen);
        } else {
            ApplyDefaultLanguage();
        }
    });
    ui::Application::Get().SetTitle(texts_.titleText);
    GoToTray();
}

LRESULT TVelmor::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == kMakeSpareClip) {
        MakeSpareClip();
        return 0;
    }
    if (message == kShowPreview) {
        ShowPreview();
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
    if (!versionDialog) return;
    SetWindowTextA(versionDialog->Handle(), platform::WideToAnsi(texts_.versionCaption).c_str());
    versionDialog->Show();
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
    const std::string& folder = languages_.Folder();
    settings::RemoveUnfinishedSave(settings::PropertyFilePath());
    const settings::PrivateProfileReader file(settings::PropertyFilePath());
    // First, so that a font it gives is the window's font when the clip font's defaults are taken.
    const std::string languageFile = settings::ReadLanguageFileKey(file);
    if (!languageFile.empty() && platform::FileExists(folder + languageFile)) {
        Reporting([&] { ApplyLanguageFile(folder + languageFile); });
    }

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

void TVelmor::ApplyLanguageFile(const std::string& path) {
    try {
        // Each menu is rebuilt once, not once per caption.
        const ui::MenuUpdate bar(MainMenu1);
        const ui::MenuUpdate tray(PopupMenu1);
        languages_.Apply(path, *this);
    } catch (...) {
        Pages.FitCaptions();  // what was applied before the error shows whole too
        throw;
    }
    Pages.FitCaptions();
}

void TVelmor::ApplyDefaultLanguage() {
    const std::string path = languages_.Folder() + "Default.lng";
    if (platform::FileExists(path)) ApplyLanguageFile(path);
}

void TVelmor::ListLanguageFiles() { languages_.List(Pages.LBLanguage); }

void TVelmor::SetFontCharsetByName(const std::wstring& name) {
    if (const std::optional<int> charset = settings::CharsetByName(name)) SetFontCharset(*charset);
}

void TVelmor::LBLanguageDblClick() {
    const int row = Pages.LBLanguage.ItemIndex();
    if (row < 0) return;
    const std::optional<std::string> file = languages_.FileOf(platform::WideToAnsi(Pages.LBLanguage.Item(row)));
    if (!file) return;
    Pages.LanguageFile = *file;
    ApplyLanguageFile(languages_.Folder() + *file);
}

void TVelmor::BReloadClick() { ListLanguageFiles(); }

void TVelmor::BPutFileClick() {
    const std::optional<std::string> chosen = languages_.ChooseFile(Handle());
    if (!chosen) return;
    ui::Application::Get().ShowMessage(platform::AnsiToWide(*chosen));
    const std::string name = chosen->substr(chosen->find_last_of("\\/") + 1);
    // A file of that name already there is kept; a failed copy is not reported.
    CopyFileA(chosen->c_str(), (languages_.Folder() + name).c_str(), TRUE);
    ListLanguageFiles();
}

void TVelmor::ChangeFont(const std::function<void(ui::FontInfo&)>& change) {
    ui::FontInfo font = ui::FontInfoOf(FormFont());
    change(font);
    SetFormFont(ui::CreateFontFrom(font));
}

void TVelmor::SetFontName(const std::wstring& name) {
    ChangeFont([&](ui::FontInfo& font) { font.name = name; });
}

void TVelmor::SetFontSize(int points) {
    ChangeFont([&](ui::FontInfo& font) { font.size = points; });
}

void TVelmor::SetFontCharset(int charset) {
    ChangeFont([&](ui::FontInfo& font) { font.charset = charset; });
}

void TVelmor::SetTitle(const std::wstring& title) {
    // The caption goes through the system code page; the title text keeps every character.
    SetWindowTextA(Handle(), platform::WideToAnsi(title).c_str());
    texts_.titleText = title;
}

void TVelmor::SetCaption(std::wstring_view key, const std::wstring& caption) {
    if (ui::Captioned* element = FindCaption(key)) element->SetCaption(caption);
}

std::wstring TVelmor::Caption(std::wstring_view key) {
    ui::Captioned* element = FindCaption(key);
    return element ? element->Caption() : std::wstring{};
}

}  // namespace app
