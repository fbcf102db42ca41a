#include "ui/ListBox.h"

namespace ui {

void ListBox::Create(Window& parent, const ListBoxParams& params) {
    // No integral height: the box keeps the height it was given.
    CreateControl(parent, L"LISTBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  WS_EX_CLIENTEDGE, params.bounds);
}

void ListBox::AddItem(std::wstring_view text) {
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

void ListBox::ClearItems() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

int ListBox::ItemCount() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)) : 0;
}

std::wstring ListBox::Item(int index) const {
    if (index < 0 || index >= ItemCount()) return {};
    const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

int ListBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)) : -1;
}

void ListBox::SetItemIndex(int index) {
    if (index < -1 || index >= ItemCount()) index = -1;
    if (ItemIndex() == index) return;
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ListBox::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND) return false;
    result = 0;
    switch (HIWORD(wParam)) {
        case LBN_SELCHANGE:
            if (OnClick) OnClick(*this);
            break;
        case LBN_DBLCLK:
            if (OnDblClick) OnDblClick(*this);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace ui
