#pragma once
// The clip window: one copied text in a stay-on-top tool window that counts
// down, fades and closes itself, unless it is pinned.
#include <cstdint>
#include <string>

#include "clipwindow/ClipHost.h"
#include "ui/Form.h"
#include "ui/Memo.h"
#include "ui/Menu.h"
#include "ui/Timer.h"

namespace clipwindow {

class ClipWindow : public ui::Form {
public:
    explicit ClipWindow(ClipHost& host);

    // The time the title shows while the window counts down.
    const std::string& TitleStamp() const noexcept { return titleStamp_; }
    // Its place in the clip order: the newest clip has the highest.
    std::int32_t Serial() const noexcept { return serial_; }
    // The slot it holds in its owner's clip table; -1 once it holds none.
    int Slot() const noexcept { return slot_; }
    std::int32_t CountDown() const noexcept { return countDown_; }
    std::int32_t Elapsed() const noexcept { return elapsed_; }
    bool Pinned() const noexcept { return pinned_; }

    ui::Memo TextMemo;
    ui::Timer CountDownTimer{1000};
    ui::PopupMenu TitleMenu;
    ui::MenuItem* PinItem = nullptr;
    ui::MenuItem* CloseItem = nullptr;
    ui::MainMenu ZoomMenu;
    ui::MenuItem* BiggerItem = nullptr;
    ui::MenuItem* SmallerItem = nullptr;

    // The title, converted to the system code page as the window shows it.
    void SetTitle(const std::string& ansiTitle);
    std::string Title() const;
    // Visible and enabled, so that it can take the focus.
    bool CanFocus() const noexcept;
    // A window made ahead of its use: its title takes the time of now.
    void RenewTitleStamp();
    // The shown window takes its slot and serial and counts down from countDown seconds.
    void Start(int slot, std::int32_t serial, int countDown);
    // Its slot went to another window (or none): a close of this one no
    // longer frees it. Its handlers may still run (its menu is open).
    void LeaveSlot() noexcept { slot_ = -1; }
    // A closed window kept to show the next clip: back to how it was made
    // (hidden, not pinned, opaque, no count-down, no scroll bar); its size
    // is the next layout's.
    void ResetForReuse();
    // Puts the text into the emptied memo, at most kShownChars of it; the
    // rest of a longer one is kept beside it.
    void PutText(std::wstring text);
    // The whole text: the memo's (as the user may have edited it) and the rest not shown.
    std::wstring Text() const;
    // Its length in UTF-16 units, without making it.
    std::size_t TextLength() const;
    // The client height it was made with: a clip with no text keeps it.
    int CreatedClientHeight() const noexcept { return createdClientHeight_; }

    void KeepOnScreenAndFocus();
    void BecomeNewest();
    void ReleaseSlot(ui::CloseAction& action);
    void OnTimerTick();
    void TogglePinned();
    void CloseFromMenu();
    void ZoomIn();
    void ZoomOut();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string titleStamp_;
    std::int32_t serial_ = 0;
    int slot_ = -1;
    std::int32_t countDown_ = 0;
    std::int32_t elapsed_ = 0;
    bool pinned_ = false;
    int createdClientHeight_ = 0;
    // A text longer than the memo shows, whole; its first shownChars_ are in the memo.
    std::wstring longText_;
    std::size_t shownChars_ = 0;
    void FinishCreation();
    void ResetCountDown();
    void CopyBack();
    void FitMemo();

    ClipHost& host_;
};

}  // namespace clipwindow
