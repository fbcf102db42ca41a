#pragma once
// The clip window: one copied text in a stay-on-top tool window that counts
// down, fades and closes itself, unless it is pinned. It only shows: its
// place in the clip table and the clip order are its owner's, and so is its
// copy back, which it asks for.
#include <cstdint>
#include <string>

#include "clipwindow/ClipHost.h"
#include "clipwindow/ClipWindowRules.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardRead.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/Menu.h"
#include "ui/Timer.h"

namespace clipwindow {

class ClipWindow : public ui::Form {
public:
    explicit ClipWindow(ClipHost& host);

    // The time the title shows while the window counts down.
    const std::string& TitleStamp() const noexcept { return titleStamp_; }
    std::int32_t CountDown() const noexcept { return countDown_; }
    std::int32_t Elapsed() const noexcept { return elapsed_; }
    // Pinned ("Dont Hide" in its menu): no count-down, titled "Fixed", drawn in
    // the settings' Fixed colours (FixedColor, FixedTextColor).
    bool Pinned() const noexcept { return pinned_; }

    ui::Memo TextMemo;
    // Under the memo of a text longer than the window shows: how much more there is.
    ui::Label MoreLabel;
    ui::Timer CountDownTimer{*this, 1000};
    // Restores the title a second after the copy back's outcome was shown.
    ui::Timer CopiedTitleTimer{*this, 1000};
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
    // The shown window counts down from countDown seconds.
    void Start(int countDown);
    // A closed window kept to show the next clip: back to how it was made
    // (hidden, not pinned, opaque, no count-down, no scroll bar, editable);
    // its size is the next layout's.
    void ResetForReuse();
    // Puts the text into the emptied memo: all of it, or the part the
    // budget allows, read-only then, with the rest marked under it.
    void PutText(platform::CompactText text, const ShowBudget& budget, const std::wstring& moreCaption);
    // Whether the memo shows only the start of the text.
    bool Cut() const noexcept { return shownUnits_ < whole_.size(); }
    // The whole text: the memo's (as the user may have edited it), or the
    // text that was cut, whole.
    std::wstring Text() const;
    // Whether the text, as the sample memo takes it, is the whole text; neither is copied whole.
    bool HasText(const platform::ClipboardText& text) const;
    // The block a copy back puts on the clipboard; throws std::bad_alloc.
    platform::ClipboardTextBlock CopyBlock() const;
    // The client height it was made with: a clip with no text keeps it.
    int CreatedClientHeight() const noexcept { return createdClientHeight_; }
    // The height of the mark under the memo, 0 when the text is shown whole.
    int MoreHeight() const noexcept;

    // The copy back asked for has put the text on the clipboard, or could not.
    void ShowCopyOutcome(bool copied);

    // The form's events: shown (kept on screen, focused), activated (the
    // newest clip), closing (the slot is freed), a second of the count-down.
    void OnShown();
    void OnActivated();
    void OnClosing(ui::CloseAction& action);
    void OnCountDownTick();
    // The menu's and the keys' commands.
    void TogglePinned();
    void ZoomIn();
    void ZoomOut();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string titleStamp_;
    std::string title_;  // as last set: setting the same again would only repaint the caption
    std::int32_t countDown_ = 0;
    std::int32_t elapsed_ = 0;
    bool pinned_ = false;
    int createdClientHeight_ = 0;
    // A text cut to its first shownUnits_ in the memo, whole; empty when the memo has it all.
    platform::CompactText whole_;
    std::size_t shownUnits_ = 0;
    void FinishCreation();
    void ResetCountDown();
    void CopyBack();
    void FitMemo();
    void OnCopiedTitleTick();

    ClipHost& host_;
};

}  // namespace clipwindow
