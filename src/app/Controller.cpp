// The controller's start-up and shutdown, the tray and the menus' commands,
// the settings file and the language files.
#include "app/Controller.h"

#include <utility>
#include <vector>

#include "platform/File.h"
#include "platform/OutsideNames.h"
#include "platform/ScreenGeometry.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

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

Controller::Controller() {
    // Made once every member is: the window's messages reach this object from its creation on.
    window_ = std::make_unique<MainWindow>(static_cast<MainWindow::Host&>(*this));
    messages_.Create();
    messages_.OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnMessage(message, wParam, lParam, result);
    };
    roadTimer_.OnTimer = [this](ui::Timer& timer) {
        timer.SetEnabled(false);  // one tick per request
        clips_.Tick();
    };
    tray_.emplace(window_->Handle(), platform::kTrayMessage);
    tray_->SetTip(texts_.titleText);
    // In the chain and in the tray first: building the pages takes most of the
    // start-up and shows nothing until the window is opened. A copy made
    // meanwhile waits for them (the clip manager reads it once start-up is over).
    watcher_ = std::make_unique<clipboard::ClipboardWatcher>();
    // Without a watcher the program still starts; the menus offer Resume.
    Reporting([this] { clips_.StartWatching(); });
    AddTrayIcon();
    ClipWindowFactory = [](Controller& owner) { return std::make_unique<clipwindow::ClipWindow>(owner); };
    window_->BuildPages();
    StartUp();
}

Controller::~Controller() {
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

void Controller::StartUp() {
    texts_ = settings::LocalisedTexts{};
    window_->SetFormFont(ui::CreateMenuFont());
    LoadSettings();
    Reporting([this] { ListLanguageFiles(); });
    Reporting([this] {
        const settings::SettingsPages& pages = window_->Pages;
        const std::optional<std::wstring> chosen =
            pages.LoadLanguageCheck.Checked() ? languages_.PathOf(pages.LanguageFile) : std::nullopt;
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
    if (!commandsDuringStartUp_.empty()) PostMessageW(messages_.Handle(), ui::kCommandsDuringStartUp, 0, 0);
}

void Controller::Run(MainWindow::Command command) {
    using Command = MainWindow::Command;
    switch (command) {
        case Command::ShowSettings: return AfterStartUp([this] { ShowFromTray(); });
        case Command::CloseAllClips: return AfterStartUp([this] { clips_.CloseAllClips(); });
        case Command::Suspend: return AfterStartUp([this] { clips_.Suspend(); });
        case Command::Resume: return AfterStartUp([this] { clips_.Resume(); });
        case Command::Quit: return AfterStartUp([this] { Quit(); });
        case Command::GoToTray: return AfterStartUp([this] { GoToTray(); });
        case Command::HideToTray:
            return AfterStartUp([this] {
                window_->Hide();
                GoToTray();
            });
        case Command::ShowVersion: return AfterStartUp([this] { ShowAboutBox(); });
        case Command::ApplyChosenLanguage: return AfterStartUp([this] { ApplyChosenLanguage(); });
        case Command::ReloadLanguages: return AfterStartUp([this] { ListLanguageFiles(); });
        case Command::PutLanguageFile: return AfterStartUp([this] { PutLanguageFile(); });
    }
}

void Controller::AfterStartUp(std::function<void()> command) {
    // The tray icon is there before the settings are loaded, and a box shown
    // meanwhile lets its menu be used: a Quit then would save the settings
    // the pages were built with, and Property would show a half-built window.
    if (startedUp_) {
        command();
        return;
    }
    commandsDuringStartUp_.push_back(std::move(command));
}

bool Controller::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    result = 0;
    switch (message) {
        case ui::kMakeSpareClip:
            MakeSpareClip();
            return true;
        case ui::kClipboardRead:
            TakeRead();
            return true;
        case ui::kCommandsDuringStartUp:
            // In the order they were chosen.
            for (const std::function<void()>& command : std::exchange(commandsDuringStartUp_, {})) Reporting(command);
            return true;
        case ui::kShowPreview:
            ShowPreview();
            return true;
        default:
            return false;
    }
}

void Controller::OnClosing() {
    // A save that fails is reported; the program still ends as the user asked.
    try {
        SaveSettings();
    } catch (...) {
        ui::ReportCurrentException();
    }
}

void Controller::OnEndingSession() {
    // Windows ends the program without closing the window: save as a close
    // would, but show nothing: a box would hold up the log-off. A save that
    // fails has left the old file as it was.
    try {
        SaveSettings();
    } catch (...) {
        platform::TraceCurrentException(L"the settings could not be saved as Windows ended the session");
    }
}

void Controller::AddTrayIcon() {
    if (tray_) tray_->Add();
}

void Controller::RemoveTrayIcon() {
    if (tray_) tray_->Remove();
}

void Controller::GoToTray() {
    AddTrayIcon();
    window_->Hide();
}

void Controller::ShowFromTray() {
    RemoveTrayIcon();
    window_->Show();
    SetForegroundWindow(window_->Handle());
    window_->SetFocus();
}

void Controller::Quit() {
    RemoveTrayIcon();
    window_->Close();
}

void Controller::ShowAboutBox() {
    if (!aboutBox_) return;
    SetWindowTextA(aboutBox_->Handle(), platform::WideToAnsi(texts_.versionCaption).c_str());
    aboutBox_->Show();
}

void Controller::UseWatcher(std::unique_ptr<clipboard::ClipboardWatcher> watcher) {
    watcher_ = std::move(watcher);
    if (clips_.Watching()) JoinChain();
}

void Controller::LoadSettings() {
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
    const ui::Bounds bounds = window_->PixelBounds();
    defaults.width = bounds.width;
    defaults.height = bounds.height;
    defaults.minWidth = ui::Scale(MainWindow::kDesignWidth);
    defaults.minHeight = ui::Scale(MainWindow::kDesignHeight);
    const ui::FontInfo font = ui::FontInfoOf(window_->FormFont());
    defaults.fontName = platform::WideToAnsi(font.name);
    defaults.fontSize = font.size;
    defaults.fontCharset = font.charset;
    defaults.timeFormat = window_->Pages.TimeFormatText();

    const settings::Settings stored = settings::ReadSettings(file, defaults);
    SetWindowPos(window_->Handle(), nullptr, stored.left, stored.top, stored.width, stored.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    window_->Pages.Load(stored);
    settingsLoaded_ = true;
}

void Controller::SaveSettings() {
    // Never the built values over a file that was not read yet, nor over one that could not be read.
    if (!settingsLoaded_ || keepPropertyFile_) return;
    settings::Settings stored = window_->Pages.ToSave();
    // The bounds the window has, also while it is hidden in the tray.
    RECT bounds{};
    GetWindowRect(window_->Handle(), &bounds);
    stored.left = bounds.left;
    stored.top = bounds.top;
    stored.width = bounds.right - bounds.left;
    stored.height = bounds.bottom - bounds.top;
    settings::SavePropertyFile(settings::PropertyFilePath(), stored);
}

void Controller::ApplyLanguageFile(const std::wstring& path) {
    try {
        // Each menu is rebuilt once, not once per caption.
        const ui::MenuUpdate bar(window_->MenuBar);
        const ui::MenuUpdate tray(window_->TrayMenu);
        languages_.Apply(path, *this);
    } catch (...) {
        window_->Pages.FitCaptions();  // what was applied before the error shows whole too
        throw;
    }
    window_->Pages.FitCaptions();
}

void Controller::ApplyDefaultLanguage() {
    const std::wstring path = languages_.Folder() + L"Default.lng";
    if (platform::FileExists(path)) ApplyLanguageFile(path);
}

void Controller::ListLanguageFiles() { languages_.List(window_->Pages.LanguageList); }

void Controller::ApplyChosenLanguage() {
    settings::SettingsPages& pages = window_->Pages;
    const int row = pages.LanguageList.ItemIndex();
    if (row < 0) return;
    const std::optional<std::wstring> file = languages_.FileOf(platform::WideToAnsi(pages.LanguageList.Item(row)));
    if (!file) return;
    pages.LanguageFile = platform::WideToAnsi(*file);
    ApplyLanguageFile(languages_.Folder() + *file);
}

void Controller::PutLanguageFile() {
    const std::optional<std::wstring> chosen = languages_.ChooseFile(window_->Handle());
    if (!chosen) return;
    ui::Application::Get().ShowMessage(*chosen);
    const std::wstring name = chosen->substr(chosen->find_last_of(L"\\/") + 1);
    // A file of that name already there is kept; a failed copy is not reported.
    if (!CopyFileW(platform::ApiPath(*chosen).c_str(), platform::ApiPath(languages_.Folder() + name).c_str(), TRUE)) {
        platform::Trace(L"Put File copied nothing", GetLastError());
    }
    ListLanguageFiles();
}

void Controller::ChangeFont(const std::function<void(ui::FontInfo&)>& change) {
    ui::FontInfo font = ui::FontInfoOf(window_->FormFont());
    change(font);
    window_->SetFormFont(ui::CreateFontFrom(font));
}

void Controller::SetFontName(const std::wstring& name) {
    ChangeFont([&](ui::FontInfo& font) { font.name = name; });
}

void Controller::SetFontSize(int points) {
    ChangeFont([&](ui::FontInfo& font) { font.size = points; });
}

void Controller::SetFontCharset(int charset) {
    ChangeFont([&](ui::FontInfo& font) { font.charset = charset; });
}

void Controller::SetTitle(const std::wstring& title) {
    // The caption goes through the system code page; the title text keeps every character.
    SetWindowTextA(window_->Handle(), platform::WideToAnsi(title).c_str());
    texts_.titleText = title;
    if (tray_) tray_->SetTip(title);
}

void Controller::SetCaption(std::wstring_view key, const std::wstring& caption) {
    if (ui::Captioned* element = window_->FindCaption(key)) element->SetCaption(caption);
}

std::wstring Controller::Caption(std::wstring_view key) {
    ui::Captioned* element = window_->FindCaption(key);
    return element ? element->Caption() : std::wstring{};
}

}  // namespace app
