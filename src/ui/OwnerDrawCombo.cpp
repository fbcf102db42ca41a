#include "ui/OwnerDrawCombo.h"

#include "platform/Handles.h"
#include "ui/Graphics.h"

namespace ui {

void OwnerDrawCombo::Create(Window& parent, const OwnerDrawComboParams& params) {
    itemHeight_ = params.itemHeight > 0 ? params.itemHeight : 1;
    CreateCombo(parent, params.bounds, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
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

void OwnerDrawCombo::SetColor(ColorValue color) {
    if (color_ == color) return;
    color_ = color;
    // Parts drawn on the control (a button in the field) show the colour too.
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void OwnerDrawCombo::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    // Greyed whenever the control is disabled, whatever the item state says.
    const bool disabled = (item.itemState & ODS_DISABLED) != 0 || !IsWindowEnabled(Handle());
    {
        const platform::BrushHandle background(
            CreateSolidBrush(selected ? GetSysColor(COLOR_HIGHLIGHT) : ToColorRef(color_)));
        FillRect(dc, &area, background.get());
    }
    if (item.itemID != static_cast<UINT>(-1)) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
        const platform::ScopedSelect useFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(
            dc, GetSysColor(disabled ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)));
        DrawEntry(dc, area, static_cast<int>(item.itemID));
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &area);
}

void OwnerDrawCombo::DrawEntry(HDC dc, const RECT& area, int index) {
    const std::wstring text = Item(index);
    RECT textArea = area;
    textArea.left += 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
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
