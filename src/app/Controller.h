#pragma once
// The program's controller: it owns the program's parts and their order. The
// start-up (the settings window, the tray icon, the viewer chain, then the
// pages, the settings file and the language files), the tray icon, the shell
// of the road of a copy (the clipboard watcher, the reader, the clip windows
// and the clip manager that owns the road), the settings file and the
// language files, and the shutdown. The settings window asks it for what its
// menus do.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/TrayIcon.h"
#include "clipboard/ClipManager.h"
#include "clipboard/ClipboardWatcher.h"
#include "clipwindow/ClipHost.h"
#include "clipwindow/ClipWindow.h"
#include "platform/ClipboardReader.h"
#include "platform/Module.h"
#include "settings/Languages.h"
#include "settings/LocalisedTexts.h"
#include "ui/MessageWindow.h"
#include "ui/Timer.h"

namespace app {

class Controller final : public clipwindow::ClipHost,
                         private MainWindow::Host,
                         private clipboard::ClipShell,
                         private settings::LanguageTarget {
public:
    // Runs the start-up; an error in it that is not reported on the way propagates.
    Controller();
    // The shutdown: out of the tray and the viewer chain, every clip window
    // gone, then the settings window. Nothing waits for a read under way.
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    MainWindow& Window() noexcept { return *window_; }
    const MainWindow& Window() const noexcept { return *window_; }
    // The About box, made at start beside the settings window; shown by Help, "&Version".
    void SetAboutBox(ui::Form* box) noexcept { aboutBox_ = box; }

    // The most of a text the sample memo shows: many more characters than
    // its few lines hold at the smallest font, and the whole of any text the
    // clip manager reads whole when the filter turns it away.
    static constexpr std::size_t kPreviewChars = clipboard::ClipManager::kPreviewBytes;
    // How long a change waits for its read before the program goes on with
    // its messages; an ordinary text is read well within it.
    static constexpr DWORD kReadWaitMs = 100;

    // The road of a copy.
    clipboard::ClipboardWatcher* Watcher() noexcept { return watcher_.get(); }
    // Replaces the watcher (tests give one whose window cannot be made), in the chain if watching.
    void UseWatcher(std::unique_ptr<clipboard::ClipboardWatcher> watcher);
    // The road's owner; the menus' Suspend, Resume and Close All Clips are its own
    // (Resume throws when the chain cannot be joined).
    clipboard::ClipManager& Clips() noexcept { return clips_; }
    const clipboard::ClipManager& Clips() const noexcept { return clips_; }
    std::int32_t ClipCounter() const noexcept { return clips_.ClipCounter(); }
    // The clip window in a slot (open or closed by itself), or nullptr.
    clipwindow::ClipWindow* Clip(int slot) const noexcept;
    bool SlotFlag(int slot) const noexcept { return clips_.SlotFlag(slot); }
    int ClipWindowCount() const noexcept;
    // The slot of a clip window, -1 for one in none (the spare, or one whose slot went to another).
    int SlotOf(const clipwindow::ClipWindow& window) const noexcept;
    // Whether the watcher is in the viewer chain; the menus offer Suspend exactly then.
    bool Watching() const noexcept { return clips_.Watching(); }
    // Makes the clip windows; tests replace it to make creation fail.
    std::function<std::unique_ptr<clipwindow::ClipWindow>(Controller&)> ClipWindowFactory;
    // Gives the clip window's memo the width, font and margins of the settings, empty.
    void PrepareClipMemo(clipwindow::ClipWindow& window);
    // Sizes a new clip window to the text it shows, from the settings.
    void LayoutClipWindow(clipwindow::ClipWindow& window, platform::CompactText text, POINT origin);

    // The tray and the commands of the menus.
    bool TrayIconPresent() const noexcept { return tray_ && tray_->Present(); }
    void AddTrayIcon();
    void RemoveTrayIcon();
    void GoToTray();
    void ShowFromTray();
    void Quit();
    void ShowAboutBox();

    // "property.ini": read once at start, written at every close of the
    // window (but never before it was read, nor when it was there and could
    // not be read).
    void LoadSettings();
    void SaveSettings();
    // Language files, by full path.
    void ApplyLanguageFile(const std::wstring& path);
    void ApplyDefaultLanguage();
    void ListLanguageFiles();
    void ApplyChosenLanguage();
    void PutLanguageFile();
    const settings::Languages& LanguageTable() const noexcept { return languages_; }

    // ClipHost
    const settings::Settings& Settings() const override { return window_->Pages.Current(); }
    const settings::LocalisedTexts& Texts() const override { return texts_; }
    void ClipTouched(const clipwindow::ClipWindow& window) override { clips_.ClipTouched(SlotOf(window)); }
    void ClipClosed(const clipwindow::ClipWindow& window) override { clips_.ClipClosed(SlotOf(window)); }
    void CopyBack(const clipwindow::ClipWindow& window) override { clips_.CopyBack(SlotOf(window)); }

private:
    // MainWindow::Host
    void Run(MainWindow::Command command) override;
    void OnClosing() override;
    void OnEndingSession() override;
    bool OnTrayIconMessage(UINT message, WPARAM wParam) override { return tray_ && tray_->OwnerMessage(message, wParam); }

    // ClipShell (ControllerClips.cpp)
    std::uint32_t Now() override { return GetTickCount(); }
    std::uint32_t ClipboardSequence() override { return GetClipboardSequenceNumber(); }
    clipboard::RoadSettings CurrentSettings() override { return window_->Pages.Current().road; }
    void JoinChain() override;
    void LeaveChain() override;
    void ShowWatching(bool watching) override { window_->ShowWatching(watching); }
    void PassOn() override;
    void StartRead(std::uint64_t id, std::optional<long long> sizeLimit) override;
    void GiveUpRead(std::uint64_t id) override;
    void ScheduleTick(std::optional<std::uint32_t> delayMs) override;
    clipboard::WriteResult WriteClipText(int slot, bool outsideChain) override;
    void ShowCopyOutcome(int slot, bool copied) override;
    void Settled(clipboard::Outcome outcome, std::uint32_t systemError, std::string_view failure) override;
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

    void StartUp();
    // Runs a command now, or once start-up is over if it is not yet.
    void AfterStartUp(std::function<void()> command);
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Replaces the window in a slot; the old one is released once its handlers return.
    void SetClip(int slot, std::unique_ptr<clipwindow::ClipWindow> window);
    // The spare clip window if there is one, else a new one.
    std::unique_ptr<clipwindow::ClipWindow> NewClipWindow();
    void MakeSpareClip() noexcept;
    // Hands the reader's result, if one is there, to the clip manager.
    void TakeRead();
    void ShowPreview();
    POINT ClipOrigin() const;

    // Declared first, gone last: the clip windows and the tray use it.
    std::unique_ptr<MainWindow> window_;
    // The private messages and the road's timer.
    ui::MessageWindow messages_;
    ui::Timer roadTimer_{messages_, 0};
    ui::Form* aboutBox_ = nullptr;
    settings::LocalisedTexts texts_;
    settings::Languages languages_{platform::ExeFolder()};
    clipboard::ClipManager clips_{*this};
    std::unique_ptr<clipboard::ClipboardWatcher> watcher_;
    std::array<std::unique_ptr<clipwindow::ClipWindow>, clipboard::kClipSlots> clipWindows_;
    // Made while idle, so that making a window is not between a copy and its clip.
    std::unique_ptr<clipwindow::ClipWindow> spare_;
    // The text the sample memo is to show, once the clip that brought it is shown.
    std::optional<std::wstring> pendingPreview_;
    bool previewPosted_ = false;
    // Made at the first read, and anew after a read that was given up.
    std::unique_ptr<platform::ClipboardReader> reader_;
    // property.ini was there but could not be read at start: it is not written over with defaults.
    bool keepPropertyFile_ = false;
    bool settingsLoaded_ = false;
    bool startedUp_ = false;
    std::vector<std::function<void()>> commandsDuringStartUp_;
    // Gone (and out of the tray) before the window goes.
    std::optional<TrayIcon> tray_;
};

}  // namespace app
