#pragma once
// The main window: the settings window that lives hidden behind the tray
// icon, owner of the clipboard watcher, the clip table and every clip window.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/LocalisedTexts.h"
#include "app/TrayIcon.h"
#include "clipboard/ClipManager.h"
#include "clipboard/ClipboardWatcher.h"
#include "clipwindow/ClipHost.h"
#include "clipwindow/ClipWindow.h"
#include "platform/ClipboardReader.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "settings/Languages.h"
#include "settings/SettingsPages.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Panel.h"

namespace app {

class MainWindow : public ui::Form,
                public clipwindow::ClipHost,
                private clipboard::ClipShell,
                private settings::LanguageTarget {
public:
    // Creates the window hidden and runs StartUp; an error in it propagates.
    MainWindow();

    clipboard::ClipboardWatcher* Watcher() noexcept { return watcher_.get(); }
    // Replaces the watcher (tests give one whose window cannot be made), in the chain if watching.
    void UseWatcher(std::unique_ptr<clipboard::ClipboardWatcher> watcher);
    std::int32_t ClipCounter() const noexcept { return clips_.ClipCounter(); }
    const clipboard::ClipManager& Clips() const noexcept { return clips_; }
    // The clip window in a slot (open or closed by itself), or nullptr.
    clipwindow::ClipWindow* Clip(int slot) const noexcept;
    bool SlotFlag(int slot) const noexcept;
    int ClipWindowCount() const noexcept;

    // The callback message of the tray icon.
    static constexpr UINT kTrayMessage = WM_USER + 100;
    // Posted after a clip window is shown: make the next one while idle.
    static constexpr UINT kMakeSpareClip = WM_APP + 1;
    // Posted by Preview: the sample memo takes the latest clip's text.
    static constexpr UINT kShowPreview = WM_APP + 2;
    // The most of a text the sample memo shows: many more characters than
    // its few lines hold at the smallest font, and the whole of any text the
    // clip manager reads whole when the filter turns it away.
    static constexpr std::size_t kPreviewChars = clipboard::ClipManager::kPreviewBytes;
    // Posted by the clipboard reader when a read is done.
    static constexpr UINT kClipboardRead = WM_APP + 4;
    // Posted at the end of start-up when menu commands were chosen during it.
    static constexpr UINT kCommandsDuringStartUp = WM_APP + 3;
    // How long a change waits for its read before the program goes on with
    // its messages; an ordinary text is read well within it.
    static constexpr DWORD kReadWaitMs = 100;
    // The clip manager's tick: retries and the read's time limit.
    static constexpr UINT_PTR kRoadTimer = 1;

    // The About box, made at start beside this window; shown by Help, "&Version".
    ui::Form* aboutBox = nullptr;

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

    bool TrayIconPresent() const noexcept { return tray_ && tray_->Present(); }
    // Whether the watcher is in the viewer chain; the menus offer Suspend exactly then.
    bool Watching() const noexcept { return clips_.Watching(); }

    POINT ClipOrigin() const;
    void CloseAllClips();
    // Gives the clip window's memo the width, font and margins of the settings, empty.
    void PrepareClipMemo(clipwindow::ClipWindow& window);
    // Sizes a new clip window to the text it shows, from the settings.
    void LayoutClipWindow(clipwindow::ClipWindow& window, platform::CompactText text, POINT origin);
    void GoToTray();
    void AddTrayIcon();
    void RemoveTrayIcon();

    void ShowFromTray();
    void Suspend();
    void Resume();
    void QuitFromTray();
    void Quit();
    void TaskTrayCommand();
    void HideToTray();
    void ShowAboutBox();

    // "property.ini": read once at start, written at every close of the window
    // (but never when it was there and could not be read).
    void LoadSettings();
    void SaveSettings();
    // Language files, by full path.
    void ApplyLanguageFile(const std::wstring& path);
    void ApplyDefaultLanguage();
    void ListLanguageFiles();
    void SetFontCharsetByName(const std::wstring& name);
    void ApplyChosenLanguage();
    void ReloadLanguageFiles();
    void PutLanguageFile();
    const settings::Languages& LanguageTable() const noexcept { return languages_; }

    // ClipHost
    settings::ClipSettings Settings() const override { return Pages.Current(); }
    const settings::LocalisedTexts& Texts() const override { return texts_; }
    void ClipTouched(const clipwindow::ClipWindow& window) override { clips_.ClipTouched(SlotOf(window)); }
    void ClipClosed(const clipwindow::ClipWindow& window) override { clips_.ClipClosed(SlotOf(window)); }
    void CopyBack(const clipwindow::ClipWindow& window) override { clips_.CopyBack(SlotOf(window)); }
    // The slot of a clip window, -1 for one in none (the spare, or one whose slot went to another).
    int SlotOf(const clipwindow::ClipWindow& window) const noexcept;

    // Makes the clip windows; tests replace it to make creation fail.
    std::function<std::unique_ptr<clipwindow::ClipWindow>(MainWindow&)> ClipWindowFactory;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void BeforeDestruction() override;

private:
    // ClipShell
    std::uint32_t Now() override { return GetTickCount(); }
    std::uint32_t ClipboardSequence() override { return GetClipboardSequenceNumber(); }
    clipboard::ClipOptions Options() override;
    void JoinChain() override;
    void LeaveChain() override;
    void ShowWatching(bool watching) override;
    void PassOn() override;
    void StartRead(std::uint64_t id, std::optional<long long> sizeLimit) override;
    void GiveUpRead(std::uint64_t id) override;
    void ScheduleTick(std::optional<std::uint32_t> delayMs) override;
    clipboard::WriteResult WriteClipText(int slot, bool outsideChain) override;
    void ShowCopyOutcome(int slot, bool copied) override;
    void Settled(clipboard::Outcome outcome) override;
    void Preview(const platform::ClipboardText& text) override;
    bool IsClipText(int slot, const platform::ClipboardText& text) override;
    bool Pinned(int slot) override;
    void FocusClip(int slot) override;
    void ShowFirstPage() override;
    void MakeClipWindow(int slot) override;
    void ShowClip(int slot, platform::CompactText text, int countDown, bool timerOn) override;
    void CloseClip(int slot) override;

    // LanguageTarget
    void SetFontName(const std::wstring& name) override;
    void SetFontSize(int points) override;
    void SetFontCharset(int charset) override;
    void SetTitle(const std::wstring& title) override;
    settings::LocalisedTexts& EditableTexts() override { return texts_; }
    void SetCaption(std::wstring_view key, const std::wstring& caption) override;
    std::wstring Caption(std::wstring_view key) override;
    // A new form font made from the current one with one thing changed.
    void ChangeFont(const std::function<void(ui::FontInfo&)>& change);

    void CreateMenus();
    void ShowTrayMenu(POINT at);
    void StartUp();
    // Runs a menu command now, or once start-up is over if it is not yet.
    void AfterStartUp(const std::function<void()>& command);
    void AllowClose(bool& canClose);
    void SaveOnClose(ui::CloseAction& action);
    // Replaces the window in a slot; the old one is released once its handlers return.
    void SetClip(int slot, std::unique_ptr<clipwindow::ClipWindow> window);
    // The spare clip window if there is one, else a new one.
    std::unique_ptr<clipwindow::ClipWindow> NewClipWindow();
    void MakeSpareClip() noexcept;
    // Hands the reader's result, if one is there, to the clip manager.
    void TakeRead();
    void ShowPreview();

    settings::LocalisedTexts texts_;
    settings::Languages languages_{platform::ExeFolder()};
    clipboard::ClipManager clips_{*this};
    std::unique_ptr<clipboard::ClipboardWatcher> watcher_;
    std::array<std::unique_ptr<clipwindow::ClipWindow>, clipboard::kClipSlots> clipWindows_;
    // Made while idle, so that making a window is not between a copy and its clip.
    std::unique_ptr<clipwindow::ClipWindow> spare_;
    // The text the sample memo is to show, once the clip that brought it is shown.
    std::optional<std::wstring> pendingPreview_;
    // Made at the first read, and anew after a read that was given up.
    std::unique_ptr<platform::ClipboardReader> reader_;
    // property.ini was there but could not be read at start: it is not written over with defaults.
    bool keepPropertyFile_ = false;
    bool settingsLoaded_ = false;
    bool startedUp_ = false;
    std::vector<std::function<void()>> commandsDuringStartUp_;
    // Made with the window; gone (and out of the tray) before the window goes.
    std::optional<TrayIcon> tray_;
};

}  // namespace app
