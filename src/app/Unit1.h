#pragma once
// The main window: the settings window that lives hidden behind the tray
// icon, owner of the clipboard watcher, the clip table and every clip window.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/LocalisedTexts.h"
#include "clipboard/ClipRules.h"
#include "clipboard/VxClipDetector.h"
#include "clipwindow/ClipHost.h"
#include "clipwindow/Unit2.h"
#include "settings/ClipSettings.h"
#include "ui/Form.h"
#include "ui/Memo.h"

namespace app {

class TVelmor : public ui::Form, public clipwindow::ClipHost {
public:
    // Creates the window hidden and runs FormCreate; an error in it propagates.
    TVelmor();
    ~TVelmor() override;

    clipboard::TVxClipDetector* ClipDetector() noexcept { return clipDetector_.get(); }
    std::int32_t ClipCounter() const noexcept { return clipCounter_; }
    settings::ClipSettings& MutableSettings() noexcept { return settings_; }
    // The clip window in a slot (open or closed by itself), or nullptr.
    clipwindow::TForm2* Clip(int slot) const noexcept;
    bool SlotFlag(int slot) const noexcept;
    int ClipWindowCount() const noexcept;

    ui::Memo MemoSample;

    void ClipboardChanged(clipboard::TVxClipDetector& sender);
    void ShowClip();
    void TrimClips();
    POINT ClipOrigin() const;
    void CloseAllClips1Click();
    void LayoutClipWindow(clipwindow::TForm2& window);
    void GoToTray();

    // ClipHost
    const settings::ClipSettings& Settings() const override { return settings_; }
    const LocalisedTexts& Texts() const override { return texts_; }
    std::int32_t TouchClipCounter() override;
    void ClipClosed(int slot) override;
    void BeginOwnCopy() override;
    void EndOwnCopy() override;

private:
    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormClose(ui::CloseAction& action);
    void ReadClipboard();
    // Replaces (and so releases) the window in a slot.
    void SetClip(int slot, std::unique_ptr<clipwindow::TForm2> window);
    clipboard::ClipTable TableView() const;
    void PasteInto(ui::Memo& memo);

    std::uint32_t lastChangeTime_ = 0;
    std::int32_t clipCounter_ = 0;
    LocalisedTexts texts_;
    settings::ClipSettings settings_;
    std::unique_ptr<clipboard::TVxClipDetector> clipDetector_;
    std::array<std::unique_ptr<clipwindow::TForm2>, clipboard::kClipSlots> clips_;
    std::array<bool, clipboard::kClipSlots> slotFlags_{};
    int lastSlot_ = 0;
    std::string pendingText_;  // system code page
    bool inClipboardChange_ = false;
    bool changeWhileBusy_ = false;
    bool watching_ = true;  // false while suspended from the menus
};

}  // namespace app
