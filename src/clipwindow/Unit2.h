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

class TForm2 : public ui::Form {
public:
    explicit TForm2(ClipHost& host);

    std::string TitleStamp;
    std::int32_t Serial = 0;
    std::int32_t SlotIndex = 0;
    std::int32_t CountDown = 0;
    std::int32_t Elapsed = 0;
    bool Pinned = false;

    ui::Memo Memo1;
    ui::Timer Timer1{1000};
    ui::PopupMenu PopupMenu1;
    ui::MenuItem* MDontHideClip = nullptr;
    ui::MenuItem* MClose = nullptr;
    ui::MainMenu MainMenu1;
    ui::MenuItem* Bigger1 = nullptr;
    ui::MenuItem* Smaller1 = nullptr;

    // The title, converted to the system code page as the window shows it.
    void SetTitle(const std::string& ansiTitle);
    std::string Title() const;
    // Visible and enabled, so that it can take the focus.
    bool CanFocus() const noexcept;
    // A window made ahead of its use: its title takes the time of now.
    void RenewTitleStamp();
    // A closed window kept to show the next clip: back to how it was made
    // (hidden, not pinned, opaque, no count-down, no scroll bar); its size
    // is the next layout's.
    void ResetForReuse();
    // The client height it was made with: a clip with no text keeps it.
    int CreatedClientHeight() const noexcept { return createdClientHeight_; }

    void FormShow();
    void FormActivate();
    void FormClose(ui::CloseAction& action);
    void Timer1Timer();
    void MDontHideClipClick();
    void MCloseClick();
    void Bigger1Click();
    void Smaller1Click();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int createdClientHeight_ = 0;
    void FormCreate();
    void ResetCountDown();
    void CopyBack();
    void FitMemo();

    ClipHost& host_;
};

}  // namespace clipwindow
