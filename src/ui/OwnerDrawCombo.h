#pragma once
// The base of drop-down lists that draw their own items, all of one height.
// Derived classes override MeasureItem and DrawItem; the items keep their
// text, which the default drawing shows.
#include "ui/ComboBox.h"

namespace ui {

class OwnerDrawCombo : public ComboBox {
public:
    // itemHeight in screen pixels; it is also the height of the selection field.
    void Create(Window& parent, const Bounds& design, int itemHeight = 16);

    // Screen pixels, as the control reports them.
    int ItemHeight() const;
    void SetItemHeight(int height);

protected:
    // Asked once by the control as it is created (the height of every item),
    // before Create returns; the default answers ItemHeight.
    virtual void MeasureItem(UINT& height);
    // itemID is -1 for an empty selection field.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Item heights usually follow the font; called after every WM_SETFONT.
    virtual void FontChanged() {}
    // Repaints on enabling and disabling, since items are drawn greyed; calls FontChanged.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int itemHeight_ = 16;
};

}  // namespace ui
