#pragma once
// The base of the colour and font name pickers: owner-drawn lists whose item
// height follows the control height and the font, whose font comes down to a
// lowered item height, and which may be linked to a control that follows
// their selection.
#include <windows.h>

#include "platform/Handles.h"
#include "ui/OwnerDrawCombo.h"

namespace widgets {

struct PickerParams {
    // 96-dpi figures. A height above the field's frame sets the item height
    // (the height less the frame), else the item height stays.
    ui::Bounds bounds;
};

class PickerComboBox : public ui::OwnerDrawCombo {
public:
    // Screen pixels. A font taller than the new height comes down to it (not
    // below 12 pixels); the selection stays.
    void SetItemHeight(int height);
    // The height asked for sets the item height, as Create does; the field's
    // height follows the items.
    void SetPixelBounds(const ui::Bounds& pixels) override;
    // The character height of the control's font, in pixels.
    int FontPixelHeight() const;
    // The control that follows the selection, or nullptr.
    ui::Window* ChangeControl() const noexcept { return linked_; }

protected:
    PickerComboBox() = default;
    ~PickerComboBox() override;

    void CreatePicker(ui::Window& parent, const PickerParams& params);
    // Ends any earlier link. The link ends when the control object is
    // destroyed; its window may come and go before that.
    void Link(ui::Window* control);
    // The linked control object is going (ChangeControl is already null).
    virtual void LinkGone() noexcept {}
    // Places what lies on the control after its size, font or item height changed.
    virtual void PlaceParts() {}
    // The item height follows the new font.
    void FontChanged() override;
    HFONT CurrentFont() const;
    // The description of font, or of the default GUI font when it has none.
    static LOGFONTW Describe(HFONT font);

private:
    void Unlink() noexcept;

    ui::Window* linked_ = nullptr;
    int linkWatch_ = 0;
    platform::FontHandle ownFont_;  // made when a lowered item height shrinks the font
};

}  // namespace widgets
