#pragma once
// The main window: the settings window that lives hidden behind the tray
// icon, with its four pages, its menu bar, the tray menu and the "Task Tray"
// button. What its commands do is its controller's (app::Controller).
#include <windows.h>

#include <optional>

#include "settings/SettingsPages.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Panel.h"

namespace app {

class MainWindow : public ui::Form {
public:
    // What its menus, its button and its system menu ask for.
    enum class Command {
        ShowSettings,  // "&Property": out of the tray, the window shown
        CloseAllClips,
        Suspend,
        Resume,
        Quit,
        GoToTray,     // "&Task Tray" and the minimise button
        HideToTray,   // the "Task Tray" button
        ShowVersion,  // Help, "&Version"
        ApplyChosenLanguage,  // a double click in the language list
        ReloadLanguages,      // "ReLoad"
        PutLanguageFile,      // "Put File"
    };

    // What the window asks of its controller.
    class Host {
    public:
        virtual void Run(Command command) = 0;
        // The window closes, which ends the program: the settings are saved.
        virtual void OnClosing() = 0;
        // Windows ends the session without closing the window.
        virtual void OnEndingSession() = 0;
        // A message the tray icon answers (the taskbar made again, new metrics); true when it was one.
        virtual bool OnTrayIconMessage(UINT message, WPARAM wParam) = 0;

    protected:
        ~Host() = default;
    };

    // Its design size, which is also its smallest.
    static constexpr int kDesignWidth = 288;
    static constexpr int kDesignHeight = 363;

    // The form and its menus, hidden; the pages come with BuildPages.
    explicit MainWindow(Host& host);
    // The four pages and the strip with "Task Tray": most of the start-up,
    // so they come after the tray icon.
    void BuildPages();

    // The menus offer Suspend while watching, Resume while not.
    void ShowWatching(bool watching);
    // The tray menu at a point of the screen.
    void ShowTrayMenu(POINT at);

    // The settings pages: their controls are the settings.
    settings::SettingsPages Pages;
    ui::Panel BottomPanel;
    ui::Button TaskTrayButton;

    ui::MainMenu MenuBar;
    ui::MenuItem* FileMenu = nullptr;
    ui::MenuItem* CloseAllClipsItem = nullptr;
    ui::MenuItem* TaskTrayItem = nullptr;
    ui::MenuItem* SuspendItem = nullptr;
    ui::MenuItem* ResumeItem = nullptr;
    ui::MenuItem* QuitItem = nullptr;
    ui::MenuItem* HelpMenu = nullptr;
    ui::MenuItem* VersionItem = nullptr;

    ui::PopupMenu TrayMenu;  // the tray menu
    ui::MenuItem* PropertyTrayItem = nullptr;
    ui::MenuItem* CloseAllClipsTrayItem = nullptr;
    ui::MenuItem* SuspendTrayItem = nullptr;
    ui::MenuItem* ResumeTrayItem = nullptr;
    ui::MenuItem* QuitTrayItem = nullptr;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateMenus();

    Host& host_;
};

}  // namespace app
