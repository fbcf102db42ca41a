#pragma once
// An owner-drawn list's items drawn into a bitmap, to be read pixel by pixel.
#include <windows.h>

#include "platform/Handles.h"
#include "ui/Control.h"

namespace testsupport {

// Draws one item into a bitmap the way the control's parent asks for it.
class ItemCanvas {
public:
    ItemCanvas(int width, int height) : width_(width), height_(height) {
        const platform::WindowDC screen(nullptr);
        dc_ = CreateCompatibleDC(screen.Get());
        bitmap_.reset(CreateCompatibleBitmap(screen.Get(), width, height));
        old_ = SelectObject(dc_, bitmap_.get());
    }
    ~ItemCanvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    ItemCanvas(const ItemCanvas&) = delete;
    ItemCanvas& operator=(const ItemCanvas&) = delete;

    void Draw(const ui::Control& combo, int index, UINT state = 0) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = static_cast<UINT>(combo.Id());
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = combo.Handle();
        item.hDC = dc_;
        item.rcItem = {0, 0, width_, height_};
        SendMessageW(GetParent(combo.Handle()), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }
    // The first column with anything but the background in it, or -1.
    int FirstInkedColumn(COLORREF background) const {
        for (int x = 0; x < width_; ++x) {
            if (Inked(x, x + 1, background)) return x;
        }
        return -1;
    }
    // Whether anything but the background shows in the columns [from, to).
    bool Inked(int from, int to, COLORREF background) const {
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < height_; ++y) {
                if (At(x, y) != background) return true;
            }
        }
        return false;
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    platform::BitmapHandle bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace testsupport
