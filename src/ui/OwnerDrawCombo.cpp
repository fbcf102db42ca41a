#include "ui/OwnerDrawCombo.h"

namespace ui {

void OwnerDrawCombo::Create(Window& parent, const Bounds& design, int itemHeight) {
    itemHeight_ = itemHeight > 0 ? itemHeight : 1;
    CreateCombo(parent, design, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    // The control measured the field and the items once during creation; make
    // both follow the height in case MeasureItem answered otherwise for one.
    const int measured = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
    if (measured > 0) itemHeight_ = measured;
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    ApplyDropDownHeight();
}

int OwnerDrawCombo::ItemHeight() const {
    if (!HandleAllocated()) return itemHeight_;
    const LRESULT height = SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0);
    return height == CB_ERR ? itemHeight_ : static_cast<int>(height);
}

void OwnerDrawCombo::SetItemHeight(int height) {
    if (height < 1) height = 1;
    if (ItemHeight() == height) return;
    itemHeight_ = height;
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    ApplyDropDownHeight();
    Invalidate();
}

void OwnerDrawCombo::MeasureItem(UINT& height) { height = static_cast<UINT>(itemHeight_); }

void OwnerDrawCombo::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const std::wstring text = Item(static_cast<int>(item.itemID));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(
            dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                              : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)));
        RECT textArea = area;
        textArea.left += 2;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &area);
}

bool OwnerDrawCombo::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            UINT height = static_cast<UINT>(itemHeight_);
            MeasureItem(height);
            measure->itemHeight = height;
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        default:
            return ComboBox::OnReflected(message, wParam, lParam, result);
    }
}

LRESULT OwnerDrawCombo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ComboBox::WndProc(message, wParam, lParam);
    if (message == WM_SETFONT) FontChanged();
    if (message == WM_ENABLE) Invalidate();
    return result;
}

}  // namespace ui
