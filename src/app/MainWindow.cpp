#include "app/MainWindow.h"

#include <utility>
#include <vector>

#include "platform/File.h"
#include "platform/Module.h"
#include "platform/ScreenGeometry.h"
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

platform::WorkArea ToWorkArea(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// The work area of every monitor, for the check that the window is on screen.
std::vector<platform::WorkArea> MonitorWorkAreas() {
    std::vector<platform::WorkArea> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                reinterpret_cast<std::vector<platform::WorkArea>*>(found)->push_back(ToWorkArea(info.rcWork));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace

MainWindow::MainWindow() {
    CreateForm({.className = L"TVelmor",
                .caption = L"Velmor",
                .bounds = {CW_USEDEFAULT, CW_USEDEFAULT, kDesignWidth, kDesignHeight},
                .border = ui::BorderStyle::Sizeable,
                .maximizeBox = false,
                .stayOnTop = true,
                .minWidth = kDesignWidth,
                .minHeight = kDesignHeight,
                .dialogKeys = true});
    tray_.emplace(Handle(), kTrayMessage);
    tray_->SetTip(texts_.titleText);
    CreateMenus();
    // In the chain and in the tray first: building the pages takes most of the
    // start-up and shows nothing until the window is opened. A copy made
    // meanwhile waits for them (the clip manager reads it once start-up is over).
    watcher_ = std::make_unique<clipboard::ClipboardWatcher>();
    // Without a watcher the program still starts; the menus offer Resume.
    Reporting([this] { clips_.StartWatching(); });
    AddTrayIcon();
    ClipWindowFactory = [](MainWindow& owner) { return std::make_unique<clipwindow::ClipWindow>(owner); };
    Pages.Create(*this);
    BottomPanel.Create(*this, {.bounds = {0, 268, 280, kStripHeight}});
    BottomPanel.AlignBottom(kStripHeight);
    TaskTrayButton.Create(BottomPanel, {.bounds = {191, 8, 83, 25}, .caption = L"Task Tray", .key = L"[Button]TaskTray"});
    TaskTrayButton.OnClick = [this](ui::Button&) { HideToTray(); };
    Pages.LanguageList.OnDblClick = [this](ui::ListBox&) { ApplyChosenLanguage(); };
    Pages.ReloadButton.OnClick = [this](ui::Button&) { ReloadLanguageFiles(); };
    Pages.PutFileButton.OnClick = [this](ui::Button&) { PutLanguageFile(); };
    // The button keeps to the strip's right edge.
    BottomPanel.OnResize = [this](ui::Panel& strip) {
        const SIZE size = strip.ClientSize();
        const ui::Bounds button = TaskTrayButton.PixelBounds();
        TaskTrayButton.SetPixelBounds({size.cx - ui::Scale(6) - button.width, button.top, button.width, button.height});
    };
    OnResize = [this](ui::Form&) {
        const SIZE client = ClientSize();
        Pages.Fit(client.cx, client.cy, ui::Scale(kStripHeight));
    };
    OnResize(*this);
    OnCloseQuery = [this](ui::Form&, bool& canClose) { AllowClose(canClose); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { SaveOnClose(action); };
    StartUp();
}

void MainWindow::BeforeDestruction() {
    tray_.reset();
    // Nothing waits for a read under way. Leave the viewer chain first, then
    // destroy the clip windows, which call back here.
    clips_.Quit();
    watcher_.reset();
    reader_.reset();
    for (auto& clip : clipWindows_) clip.reset();
    spare_.reset();
    ui::Application::Get().DestroyReleased();
}

void MainWindow::CreateMenus() {
    // An item with its caption key and its command.
    const auto add = [this](ui::MenuItem& parent, const wchar_t* caption, const wchar_t* key, auto command,
                        ui::ShortCut shortCut = {}) -> ui::MenuItem* {
        ui::MenuItem& item = parent.Add(caption, shortCut);
        item.SetCaptionKey(key);
        item.OnClick = [this, command](ui::MenuItem&) { AfterStartUp(command); };
        return &item;
    };
    FileMenu = add(MenuBar.Items(), L"&File", L"[MenuBar]File", [] {});
    CloseAllClipsItem = add(*FileMenu, L"&Close All Clips", L"[MenuBar]CloseAllClips", [this] { CloseAllClips(); });
    TaskTrayItem = add(*FileMenu, L"&Task Tray", L"[MenuBar]TaskTray", [this] { TaskTrayCommand(); });
    SuspendItem = add(*FileMenu, L"&Suspend", L"[MenuBar]Suspend", [this] { Suspend(); });
    ResumeItem = add(*FileMenu, L"&Resume", L"[MenuBar]Resume", [this] { Resume(); });
    ResumeItem->SetVisible(false);
    FileMenu->AddSeparator();
    QuitItem = add(*FileMenu, L"&Quit", L"[MenuBar]Quit", [this] { Quit(); }, ui::ShortCut::Ctrl('Q'));
    HelpMenu = add(MenuBar.Items(), L"&Help", L"[MenuBar]Help", [] {});
    VersionItem = add(*HelpMenu, L"&Version", L"[MenuBar]Version", [this] { ShowAboutBox(); });
    SetMenu(MenuBar);

    PropertyTrayItem = add(TrayMenu.Items(), L"&Property", L"[MenuBar]Property", [this] { ShowFromTray(); });
    CloseAllClipsTrayItem = add(TrayMenu.Items(), L"&Close All Clips", L"[Tray]CloseAllClips", [this] { CloseAllClips(); });
    SuspendTrayItem = add(TrayMenu.Items(), L"&Suspend", L"[Tray]Suspend", [this] { Suspend(); });
    ResumeTrayItem = add(TrayMenu.Items(), L"&Resume", L"[Tray]Resume", [this] { Resume(); });
    ResumeTrayItem->SetVisible(false);
    TrayMenu.AddSeparator();
    QuitTrayItem = add(TrayMenu.Items(), L"&Quit", L"[Tray]Quit", [this] { QuitFromTray(); });
    AddCaptionMenu(TrayMenu);
}

void MainWindow::StartUp() {
    texts_ = settings::LocalisedTexts{};
    SetFormFont(ui::CreateMenuFont());
    LoadSettings();
    Reporting([this] { ListLanguageFiles(); });
    Reporting([this] {
        const std::optional<std::wstring> chosen =
            Pages.LoadLanguageCheck.Checked() ? languages_.PathOf(Pages.LanguageFile) : std::nullopt;
        if (chosen) {
            ApplyLanguageFile(*chosen);
        } else {
            ApplyDefaultLanguage();
        }
    });
    ui::Application::Get().SetTitle(texts_.titleText);
    tray_->SetTip(texts_.titleText);
    GoToTray();
    clips_.StartUpFinished();
    startedUp_ = true;
    // From the message loop, once the window is the application's: a Quit among them ends it.
    if (!commandsDuringStartUp_.empty()) PostMessageW(Handle(), kCommandsDuringStartUp, 0, 0);
}

void MainWindow::AfterStartUp(const std::function<void()>& command) {
    // The tray icon is there before the settings are loaded, and a box shown
    // meanwhile lets its menu be used: a Quit then would save the settings
    // the pages were built with, and Property would show a half-built window.
    if (startedUp_) {
        command();
        return;
    }
    commandsDuringStartUp_.push_back(command);
}

LRESULT MainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tray_ && tray_->OwnerMessage(message, wParam)) return 0;
    if (message == kMakeSpareClip) {
        MakeSpareClip();
        return 0;
    }
    if (message == kClipboardRead) {
        TakeRead();
        return 0;
    }
    if (message == kCommandsDuringStartUp) {
        // In the order they were chosen.
        for (const std::function<void()>& command : std::exchange(commandsDuringStartUp_, {})) Reporting(command);
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
    switch (message) {
        case WM_TIMER:
            if (wParam != kRoadTimer) break;
            KillTimer(Handle(), kRoadTimer);
            clips_.Tick();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Windows ends the program without closing the window: save as a
            // close would, but show nothing: a box would hold up the log-off.
            // A save that fails has left the old file as it was.
            if (wParam) {
                try {
                    SaveSettings();
                } catch (...) {
                }
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

void MainWindow::ShowTrayMenu(POINT at) {
    ui::Application& application = ui::Application::Get();
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(application.Handle());
    application.ProcessMessages();
    TrayMenu.Popup(application.Handle(), at.x, at.y);
}

void MainWindow::AddTrayIcon() {
    if (tray_) tray_->Add();
}

void MainWindow::RemoveTrayIcon() {
    if (tray_) tray_->Remove();
}

void MainWindow::ShowFromTray() {
    RemoveTrayIcon();
    Show();
    SetForegroundWindow(Handle());
    SetFocus();
}

void MainWindow::Suspend() { clips_.Suspend(); }

void MainWindow::Resume() { clips_.Resume(); }

void MainWindow::ShowWatching(bool watching) {
    SuspendItem->SetVisible(watching);
    ResumeItem->SetVisible(!watching);
    SuspendTrayItem->SetVisible(watching);
    ResumeTrayItem->SetVisible(!watching);
}

void MainWindow::QuitFromTray() {
    RemoveTrayIcon();
    Close();
}

void MainWindow::Quit() { Close(); }

void MainWindow::TaskTrayCommand() { GoToTray(); }

void MainWindow::HideToTray() {
    Hide();
    GoToTray();
}

void MainWindow::ShowAboutBox() {
    if (!aboutBox) return;
    SetWindowTextA(aboutBox->Handle(), platform::WideToAnsi(texts_.versionCaption).c_str());
    aboutBox->Show();
}

void MainWindow::UseWatcher(std::unique_ptr<clipboard::ClipboardWatcher> watcher) {
    watcher_ = std::move(watcher);
    if (clips_.Watching()) JoinChain();
}

void MainWindow::GoToTray() {
    AddTrayIcon();
    Hide();
}

void MainWindow::AllowClose(bool& canClose) { canClose = true; }

void MainWindow::SaveOnClose(ui::CloseAction&) {
    // A save that fails is reported; the program still ends as the user asked.
    try {
        SaveSettings();
    } catch (...) {
        ui::ReportCurrentException();
    }
}

void MainWindow::LoadSettings() {
    const std::wstring path = settings::PropertyFilePath();
    settings::RemoveUnfinishedSave(path);
    const settings::PropertyFile file = settings::PropertyFile::Load(path);
    // The program runs on defaults; the user's file is kept for another start.
    keepPropertyFile_ = file.Unreadable();
    if (keepPropertyFile_) ui::ReportError(settings::CannotRead(path));
    // First, so that a font it gives is the window's font when the clip font's defaults are taken.
    if (const std::optional<std::wstring> language = languages_.PathOf(settings::ReadLanguageFileKey(file))) {
        Reporting([&] { ApplyLanguageFile(*language); });
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
    settingsLoaded_ = true;
}

void MainWindow::SaveSettings() {
    // Never the built values over a file that was not read yet, nor over one that could not be read.
    if (!settingsLoaded_ || keepPropertyFile_) return;
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

void MainWindow::ApplyLanguageFile(const std::wstring& path) {
    try {
        // Each menu is rebuilt once, not once per caption.
        const ui::MenuUpdate bar(MenuBar);
        const ui::MenuUpdate tray(TrayMenu);
        languages_.Apply(path, *this);
    } catch (...) {
        Pages.FitCaptions();  // what was applied before the error shows whole too
        throw;
    }
    Pages.FitCaptions();
}

void MainWindow::ApplyDefaultLanguage() {
    const std::wstring path = languages_.Folder() + L"Default.lng";
    if (platform::FileExists(path)) ApplyLanguageFile(path);
}

void MainWindow::ListLanguageFiles() { languages_.List(Pages.LanguageList); }

void MainWindow::SetFontCharsetByName(const std::wstring& name) {
    if (const std::optional<int> charset = settings::CharsetByName(name)) SetFontCharset(*charset);
}

void MainWindow::ApplyChosenLanguage() {
    const int row = Pages.LanguageList.ItemIndex();
    if (row < 0) return;
    const std::optional<std::wstring> file = languages_.FileOf(platform::WideToAnsi(Pages.LanguageList.Item(row)));
    if (!file) return;
    Pages.LanguageFile = platform::WideToAnsi(*file);
    ApplyLanguageFile(languages_.Folder() + *file);
}

void MainWindow::ReloadLanguageFiles() { ListLanguageFiles(); }

void MainWindow::PutLanguageFile() {
    const std::optional<std::wstring> chosen = languages_.ChooseFile(Handle());
    if (!chosen) return;
    ui::Application::Get().ShowMessage(*chosen);
    const std::wstring name = chosen->substr(chosen->find_last_of(L"\\/") + 1);
    // A file of that name already there is kept; a failed copy is not reported.
    CopyFileW(platform::ApiPath(*chosen).c_str(), platform::ApiPath(languages_.Folder() + name).c_str(), TRUE);
    ListLanguageFiles();
}

void MainWindow::ChangeFont(const std::function<void(ui::FontInfo&)>& change) {
    ui::FontInfo font = ui::FontInfoOf(FormFont());
    change(font);
    SetFormFont(ui::CreateFontFrom(font));
}

void MainWindow::SetFontName(const std::wstring& name) {
    ChangeFont([&](ui::FontInfo& font) { font.name = name; });
}

void MainWindow::SetFontSize(int points) {
    ChangeFont([&](ui::FontInfo& font) { font.size = points; });
}

void MainWindow::SetFontCharset(int charset) {
    ChangeFont([&](ui::FontInfo& font) { font.charset = charset; });
}

void MainWindow::SetTitle(const std::wstring& title) {
    // The caption goes through the system code page; the title text keeps every character.
    SetWindowTextA(Handle(), platform::WideToAnsi(title).c_str());
    texts_.titleText = title;
    if (tray_) tray_->SetTip(title);
}

void MainWindow::SetCaption(std::wstring_view key, const std::wstring& caption) {
    if (ui::Captioned* element = FindCaption(key)) element->SetCaption(caption);
}

std::wstring MainWindow::Caption(std::wstring_view key) {
    ui::Captioned* element = FindCaption(key);
    return element ? element->Caption() : std::wstring{};
}

}  // namespace app
