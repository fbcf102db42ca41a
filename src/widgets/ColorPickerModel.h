#pragma once
// The colour picker without the window system: the item list built from the
// colour groups, the selection rules of Value, the order of the OnChange and
// OnClick events, the linked control, the other-language names, and the
// geometry of an entry and of the custom button. The Win32 control
// (ColorComboBox) supplies the window through ColorPickerHost.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Color.h"
#include "ui/ColorTarget.h"
#include "widgets/ColorTable.h"
#include "widgets/UserColors.h"

namespace widgets {

// One entry of the list in display order. index is the position within its
// group (a user colour's position in the collection).
struct ColorItem {
    std::wstring text;
    ui::ColorValue color = ui::kColorNone;
    ColorGroup group = ColorGroup::Basic;
    int index = 0;
};

// What the picker needs from its window.
class ColorPickerHost {
public:
    virtual bool HasWindow() const = 0;
    // Replaces the control's entries; nothing is selected afterwards.
    virtual void LoadList(const std::vector<ColorItem>& items) = 0;
    virtual int SelectedIndex() const = 0;
    // Selects from code: the control reports nothing.
    virtual void Select(int index) = 0;
    virtual void Repaint() = 0;
    virtual void PlaceCustomButton() = 0;
    virtual void SetHint(const std::wstring& text) = 0;
    virtual void RaiseChange() = 0;
    virtual void RaiseClick() = 0;

protected:
    ~ColorPickerHost() = default;
};

class ColorPickerModel {
public:
    explicit ColorPickerModel(ColorPickerHost& host);
    ColorPickerModel(const ColorPickerModel&) = delete;
    ColorPickerModel& operator=(const ColorPickerModel&) = delete;

    // The selected entry's colour: CustomColor for the custom entry, the
    // default value for the default entry; none without a window or selection.
    ui::ColorValue Value() const;
    // Selects the first entry with that colour, else the custom entry with
    // CustomColor set to it; raises OnChange, then the click handling.
    void SetValue(ui::ColorValue value);

    ui::ColorValue CustomColor() const noexcept { return customColor_; }
    void SetCustomColor(ui::ColorValue color);
    ui::ColorValue DefaultColor() const noexcept { return defaultColor_; }
    void SetDefaultColor(ui::ColorValue color);
    bool ShowText() const noexcept { return showText_; }
    void SetShowText(bool show);
    // ColorGroup::User stands for ShowUserColor.
    bool ShowGroup(ColorGroup group) const noexcept;
    void SetShowGroup(ColorGroup group, bool show);
    bool JapaneseText() const noexcept { return japaneseText_; }
    void SetJapaneseText(bool japanese);
    bool ZenKakuKana() const noexcept { return zenKakuKana_; }
    void SetZenKakuKana(bool convert);
    bool HintIsOtherLanguage() const noexcept { return hintIsOtherLanguage_; }
    void SetHintIsOtherLanguage(bool other);
    ui::ColorTarget* ChangeControl() const noexcept { return changeControl_; }
    // Linking reads the control's colour into Value.
    void SetChangeControl(ui::ColorTarget* control);
    bool ChangeControlFont() const noexcept { return changeControlFont_; }
    void SetChangeControlFont(bool font);

    UserColors& Items() noexcept { return userColors_; }
    const UserColors& Items() const noexcept { return userColors_; }
    void SetItems(const UserColors& items) { userColors_.Assign(items); }

    const std::vector<ColorItem>& List() const noexcept { return items_; }
    // The colour an entry paints with: CustomColor for the custom entry.
    ui::ColorValue EntryColor(int index) const;
    bool IsCustomEntry(int index) const noexcept;
    // Throws platform::Error for an index outside the list.
    std::wstring OtherLanguageName(int index) const;
    // The pending value: the last value given to SetValue.
    std::optional<ui::ColorValue> PendingValue() const noexcept { return pending_; }

    // While a form sets the picker up: setters only store, SetValue only
    // records, and the list is built once when loading ends.
    void BeginLoading() noexcept { loading_ = true; }
    void EndLoading();
    bool Loading() const noexcept { return loading_; }

    // The control's window exists (or exists again).
    void WindowCreated();
    // The user picked an entry in the control.
    void UserSelected();
    // The custom colour dialog was confirmed with CustomColor already set;
    // oldValue is Value as the dialog opened.
    void CustomDialogConfirmed(ui::ColorValue oldValue);
    // Places the button, refreshes the hint, drives the linked control and raises OnClick.
    void ClickHandling();

private:
    void Rebuild();
    void BuildItems();
    std::wstring Shown(std::wstring_view text) const;
    void RefreshHint();
    void LinkedControlChanged();

    ColorPickerHost& host_;
    std::vector<ColorItem> items_;
    UserColors userColors_;
    ui::ColorValue customColor_ = 0;
    ui::ColorValue defaultColor_ = static_cast<ui::ColorValue>(0xFF00000F);
    bool showText_ = true;
    bool showDefault_ = false;
    bool showBasic_ = true;
    bool showSystem_ = false;
    bool showExtra_ = false;
    bool showUser_ = true;
    bool showCustom_ = true;
    bool japaneseText_ = true;
    bool zenKakuKana_ = true;
    bool hintIsOtherLanguage_ = false;
    ui::ColorTarget* changeControl_ = nullptr;
    bool changeControlFont_ = false;
    std::optional<ui::ColorValue> pending_;
    bool quiet_ = false;
    bool loading_ = false;
};

// ---------------------------------------------------------------- geometry

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct ColorItemLayout {
    bool swatch = true;  // false: nothing is drawn for the colour
    PixelRect swatchRect;  // right and bottom exclusive
    bool outline = true;  // a 1-pixel black frame around the swatch
    int textLeft = 0;
    int textTop = 0;
};

// The swatch and text of an entry drawn in item. noSwatch: the colour is the
// default value even after DefaultColor was put in its place.
ColorItemLayout LayoutItem(const PixelRect& item, bool showText, int itemHeight, int fontHeight,
                           bool noSwatch) noexcept;

// The custom button's figures at 96 dpi.
struct CustomButtonMetrics {
    int width = 19;
    int rightGap = 21;  // from the drop-down arrow's left edge to the button's left
    int margin = 2;     // above and below
};

// Inside the control while the custom entry is selected, else left of it.
PixelRect CustomButtonBounds(bool shown, int clientWidth, int clientHeight, int scrollBarWidth,
                             const CustomButtonMetrics& metrics = {}) noexcept;

}  // namespace widgets
