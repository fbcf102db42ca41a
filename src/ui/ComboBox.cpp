#include "ui/ComboBox.h"

#include <commctrl.h>

namespace ui {

namespace {
// Raises nothing and restores on every way out.
class Flag {
public:
    explicit Flag(bool& flag) noexcept : flag_(flag), old_(flag) { flag_ = true; }
    ~Flag() { flag_ = old_; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& flag_;
    bool old_;
};
}  // namespace

void ComboBox::Create(Window& parent, const ComboBoxParams& params) {
    CreateCombo(parent, params.bounds,
                params.style == ComboStyle::DropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
}

void ComboBox::CreateCombo(Window& parent, const Bounds& design, DWORD style) {
    editable_ = (style & 3) == CBS_DROPDOWN;
    CreateControl(parent, L"COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | style, 0, design);
    ApplyDropDownHeight();
}

void ComboBox::AddItem(std::wstring_view text) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
    ApplyDropDownHeight();
}

void ComboBox::ClearItems() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

int ComboBox::ItemCount() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

std::wstring ComboBox::Item(int index) const {
    if (index < 0 || index >= ItemCount()) return {};
    const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

int ComboBox::IndexOf(std::wstring_view text) const {
    if (!HandleAllocated()) return -1;
    // CB_FINDSTRINGEXACT would also take an empty search for "match anything".
    const LRESULT found = SendMessageW(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
    return found == CB_ERR ? -1 : static_cast<int>(found);
}

int ComboBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)) : -1;
}

void ComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= ItemCount()) index = -1;
    if (ItemIndex() == index) {
        if (index != -1 || !editable_) return;
        // No selection but text typed in the field: -1 still clears it.
        if (Window::Text().empty()) return;
    }
    const Flag quiet(settingText_);
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring ComboBox::Text() const {
    if (editable_) return Window::Text();
    return Item(ItemIndex());
}

void ComboBox::SetText(std::wstring_view text) {
    if (!editable_) {
        SetItemIndex(IndexOf(text));
        return;
    }
    if (Window::Text() == text) return;
    const Flag quiet(settingText_);
    SetWindowTextW(Handle(), std::wstring(text).c_str());
}

void ComboBox::SetDropDownCount(int count) {
    if (count < 1) count = 1;
    if (dropDownCount_ == count) return;
    dropDownCount_ = count;
    ApplyDropDownHeight();
}

void ComboBox::ApplyDropDownHeight() {
    if (!HandleAllocated()) return;
    // The visible rows are set by the window height including the dropped list
    // (classic controls) or by the minimum visible count (version 6).
    SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_), 0);
    const int field = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int item = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
    const int rows = ItemCount() == 0 ? 1 : (ItemCount() < dropDownCount_ ? ItemCount() : dropDownCount_);
    const Bounds now = PixelBounds();
    SetWindowPos(Handle(), nullptr, 0, 0, now.width, field + 8 + rows * item,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBox::Change() {
    if (OnChange) OnChange(*this);
}

bool ComboBox::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND) return false;
    result = 0;
    switch (HIWORD(wParam)) {
        case CBN_EDITCHANGE:
            if (!settingText_) Change();
            break;
        case CBN_SELCHANGE:
            // The field still shows the old text at this point; put the
            // picked item there so that the handler reads the new text.
            if (editable_) {
                const Flag quiet(settingText_);
                const std::wstring picked = Item(ItemIndex());
                if (Window::Text() != picked) SetWindowTextW(Handle(), picked.c_str());
            }
            Change();
            break;
        default:
            break;
    }
    return true;
}

}  // namespace ui
