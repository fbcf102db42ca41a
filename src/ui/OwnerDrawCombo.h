#pragma once
// The base of drop-down lists that draw their own items, all of one height,
// on a background colour of their own. Derived classes override MeasureItem
// and DrawEntry; the items keep their text, which the default drawing shows.
#include "ui/Color.h"
#include "ui/ComboBox.h"

namespace ui {

struct OwnerDrawComboParams {
    Bounds bounds;        // 96-dpi figures
    int itemHeight = 16;  // screen pixels; also the height of the selection field
};

class OwnerDrawCombo : public ComboBox {
public:
    void Create(Window& parent, const OwnerDrawComboParams& params);

    // Screen pixels, as the control reports them.
    int ItemHeight() const;
    void SetItemHeight(int height);
    // The background of the list and the field, on which unselected items lie.
    ColorValue Color() const noexcept { return color_; }
    void SetColor(ColorValue color);

protected:
    // Asked once by the control as it is created (the height of every item),
    // before Create returns; the default answers ItemHeight.
    virtual void MeasureItem(UINT& height);
    // Fills the item's background, has DrawEntry draw an entry (none for an
    // empty selection field, itemID -1), then draws the focus.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    // Draws entry index in area. The DC holds the control's font, writes text
    // on a transparent background, in the colour of the item's state.
    virtual void DrawEntry(HDC dc, const RECT& area, int index);
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Item heights usually follow the font; called after every WM_SETFONT.
    virtual void FontChanged() {}
    // Repaints on enabling and disabling, since items are drawn greyed; calls FontChanged.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int itemHeight_ = 16;
    ColorValue color_ = kColorWindow;
};

}  // namespace ui
