#include "ui/PageControl.h"

#include <commctrl.h>

#include "platform/Error.h"

namespace ui {

void TabSheet::SetCaption(std::wstring_view caption) {
    if (Caption() == caption) return;
    SetText(caption);
    owner_->SetTabText(index_, std::wstring(caption));
}

void PageControl::Create(Window& parent, const PageControlParams& params) {
    CreateControl(parent, WC_TABCONTROLW, WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_MULTILINE,
                  WS_EX_CONTROLPARENT, params.bounds);
}

TabSheet& PageControl::AddPage(std::wstring_view caption) {
    const int index = PageCount();
    std::wstring text(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    if (SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) < 0) {
        throw platform::OutOfResources(L"Cannot add a tab");
    }
    pages_.push_back(std::unique_ptr<TabSheet>(new TabSheet(*this, index)));
    TabSheet& page = *pages_.back();
    static const platform::WindowClass windowClass(TabSheet::ContainerClass(L"TTabSheet"));
    page.CreateContainer(Handle(), {}, windowClass, 0);
    page.SetText(caption);
    if (active_ < 0) {
        active_ = 0;
        SendMessageW(Handle(), TCM_SETCURSEL, 0, 0);
    }
    // A new tab may have added a row, which shrinks every page.
    Layout();
    ShowActive();
    return page;
}

void PageControl::SetTabText(int index, const std::wstring& text) {
    std::wstring copy = text;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = copy.data();
    SendMessageW(Handle(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    Layout();
}

void PageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount() || index == active_) return;
    active_ = index;
    SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Selecting may move the selected row next to the pages.
    Layout();
    ShowActive();
}

int PageControl::RowCount() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), TCM_GETROWCOUNT, 0, 0)) : 0;
}

void PageControl::ShowActive() {
    // Show the new page before hiding the old, so the area never flashes empty.
    if (active_ >= 0) pages_[static_cast<size_t>(active_)]->SetVisible(true);
    for (const auto& page : pages_) {
        if (page->PageIndex() != active_) page->SetVisible(false);
    }
}

void PageControl::Layout() {
    RECT area{};
    GetClientRect(Handle(), &area);
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const Bounds pixels{area.left, area.top, area.right > area.left ? area.right - area.left : 0,
                        area.bottom > area.top ? area.bottom - area.top : 0};
    for (const auto& page : pages_) page->SetPixelBounds(pixels);
}

LRESULT PageControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Both change the space the tabs take.
    if (message == WM_SIZE || message == WM_SETFONT) {
        const LRESULT result = Control::WndProc(message, wParam, lParam);
        Layout();
        return result;
    }
    return Control::WndProc(message, wParam, lParam);
}

bool PageControl::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
        case TCN_SELCHANGE: {
            const int index = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
            result = 0;
            if (index < 0 || index == active_) return true;
            active_ = index;
            Layout();
            ShowActive();
            if (OnChange) OnChange(*this);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace ui
