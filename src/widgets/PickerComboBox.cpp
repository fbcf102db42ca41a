#include "widgets/PickerComboBox.h"

#include <utility>

#include "ui/Dpi.h"
#include "widgets/PickerHeights.h"

namespace widgets {

PickerComboBox::~PickerComboBox() {
    Unlink();
    DestroyHandle();  // before the font it may have been given
}

void PickerComboBox::CreatePicker(ui::Window& parent, const PickerParams& params) {
    Create(parent, {.bounds = params.bounds,
                    .itemHeight = ItemHeightForControlHeight(ui::Scale(params.bounds.height), ItemHeight())});
}

// -------------------------------------------------------------- item height

void PickerComboBox::SetItemHeight(int height) {
    if (height < 1) height = 1;
    if (ItemHeight() == height) return;
    const int selected = ItemIndex();
    OwnerDrawCombo::SetItemHeight(height);
    if (!HandleAllocated()) return;
    const int font = FontPixelHeight();
    const int wanted = FontHeightForItemHeight(height, font);
    if (font > 0 && wanted != font) {
        LOGFONTW description = Describe(CurrentFont());
        description.lfHeight = -wanted;
        description.lfWidth = 0;  // the width follows the new height
        if (platform::FontHandle smaller{CreateFontIndirectW(&description)}) {
            SetFont(smaller.get());
            ownFont_ = std::move(smaller);  // after the control let go of the old one
        }
    }
    SetItemIndex(selected);
    PlaceParts();
}

void PickerComboBox::SetPixelBounds(const ui::Bounds& pixels) {
    if (!HandleAllocated()) return;
    // A combo box's own height is its field: the height asked for sets the entries.
    SetItemHeight(ItemHeightForControlHeight(pixels.height, ItemHeight()));
    // The window's height also holds the dropped list.
    SetWindowPos(Handle(), nullptr, pixels.left, pixels.top, pixels.width, PixelBounds().height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDropDownHeight();
    PlaceParts();
}

void PickerComboBox::FontChanged() {
    const int height = ItemHeightForFont(ItemHeight(), FontPixelHeight());
    if (height != ItemHeight()) OwnerDrawCombo::SetItemHeight(height);
    PlaceParts();
}

// -------------------------------------------------------------------- fonts

HFONT PickerComboBox::CurrentFont() const {
    return HandleAllocated() ? reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)) : nullptr;
}

LOGFONTW PickerComboBox::Describe(HFONT font) {
    LOGFONTW description{};
    if (!font || GetObjectW(font, sizeof description, &description) != sizeof description) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    }
    return description;
}

int PickerComboBox::FontPixelHeight() const {
    const HFONT font = CurrentFont();
    // A negative height is the character height already.
    LOGFONTW description{};
    if (font && GetObjectW(font, sizeof description, &description) == sizeof description && description.lfHeight < 0) {
        return -description.lfHeight;
    }
    // A cell height or the default: measure the characters themselves, in
    // the font the items are drawn with.
    const platform::WindowDC screen(nullptr);
    const platform::ScopedSelect use(screen.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(screen.Get(), &metrics)) return 0;
    return metrics.tmHeight - metrics.tmInternalLeading;
}

// ---------------------------------------------------------- linked control

void PickerComboBox::Link(ui::Window* control) {
    Unlink();
    if (!control) return;
    // The object's end, not its window's: a window may be made again.
    linkWatch_ = control->WatchDestroy([this] {
        linked_ = nullptr;
        LinkGone();
    });
    linked_ = control;
}

void PickerComboBox::Unlink() noexcept {
    if (linked_) linked_->UnwatchDestroy(linkWatch_);
    linked_ = nullptr;
}

}  // namespace widgets
