#include "widgets/ColorPickerModel.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Error.h"
#include "widgets/Kana.h"

namespace widgets {

namespace {

constexpr wchar_t kIndexOutOfRange[] = L"Index が有効範囲にありません";

// Sets a flag for one scope and restores it on every way out.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) noexcept : flag_(flag), old_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = old_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

// ------------------------------------------------------------------ picker

ColorPickerModel::ColorPickerModel(ColorPickerHost& host) : host_(host) {
    userColors_.OnChanged = [this] {
        if (showUser_) Rebuild();
    };
    BuildItems();
}

std::wstring ColorPickerModel::Shown(std::wstring_view text) const {
    return zenKakuKana_ ? ToFullWidthKana(text) : std::wstring(text);
}

void ColorPickerModel::BuildItems() {
    items_.clear();
    const auto addGroup = [this](ColorGroup group) {
        const auto entries = BuiltInGroup(group);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const BuiltInColor& entry = entries[i];
            items_.push_back({Shown(japaneseText_ ? entry.japanese : entry.english), entry.value, group,
                              static_cast<int>(i)});
        }
    };
    if (showDefault_) addGroup(ColorGroup::Default);
    if (showBasic_) addGroup(ColorGroup::Basic);
    if (showSystem_) addGroup(ColorGroup::System);
    if (showExtra_) addGroup(ColorGroup::Extra);
    if (showUser_) {
        for (int i = 0; i < userColors_.Count(); ++i) {
            const UserColor& user = userColors_.Item(i);
            const std::wstring& text =
                japaneseText_ || user.EnglishName().empty() ? user.DisplayName() : user.EnglishName();
            items_.push_back({Shown(text), user.Color(), ColorGroup::User, i});
        }
    }
    if (showCustom_) addGroup(ColorGroup::Custom);
}

void ColorPickerModel::Rebuild() {
    if (loading_) return;
    const ui::ColorValue oldValue = Value();
    const int oldIndex = host_.HasWindow() ? host_.SelectedIndex() : -1;
    BuildItems();
    if (!host_.HasWindow()) return;
    host_.LoadList(items_);
    if (oldIndex < 0) {
        if (!items_.empty()) host_.Select(0);
        RefreshHint();
        host_.PlaceCustomButton();
        return;
    }
    const ScopedFlag quiet(quiet_);
    SetValue(oldValue);
}

bool ColorPickerModel::IsCustomEntry(int index) const noexcept {
    return index >= 0 && index < static_cast<int>(items_.size()) &&
           items_[static_cast<std::size_t>(index)].group == ColorGroup::Custom;
}

ui::ColorValue ColorPickerModel::EntryColor(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) return ui::kColorNone;
    return IsCustomEntry(index) ? customColor_ : items_[static_cast<std::size_t>(index)].color;
}

ui::ColorValue ColorPickerModel::Value() const {
    if (!host_.HasWindow()) return ui::kColorNone;
    return EntryColor(host_.SelectedIndex());
}

void ColorPickerModel::SetValue(ui::ColorValue value) {
    pending_ = value;
    if (loading_) return;
    if (value != ui::kColorNone && host_.HasWindow()) {
        // The custom entry stores "none" and so never matches here.
        const auto found = std::find_if(items_.begin(), items_.end(),
                                        [value](const ColorItem& item) { return item.color == value; });
        if (found != items_.end()) {
            host_.Select(static_cast<int>(found - items_.begin()));
            RefreshHint();
            // A quiet selection still moves the button.
            host_.PlaceCustomButton();
            if (!quiet_) {
                host_.RaiseChange();
                ClickHandling();
            }
            return;
        }
    }
    if (!items_.empty() && showCustom_ && items_.back().group == ColorGroup::Custom && host_.HasWindow()) {
        customColor_ = value;
        host_.Select(static_cast<int>(items_.size()) - 1);
        RefreshHint();
        if (!quiet_) {
            host_.RaiseChange();
            ClickHandling();
        }
    }
    host_.Repaint();
    host_.PlaceCustomButton();
}

void ColorPickerModel::ClickHandling() {
    host_.PlaceCustomButton();
    RefreshHint();
    if (changeControl_) {
        ui::ColorValue color = Value();
        if (color == ui::kColorDefault) color = defaultColor_;
        if (changeControlFont_) changeControl_->SetFontColor(color);
        else changeControl_->SetColor(color);
    }
    host_.RaiseClick();
}

void ColorPickerModel::UserSelected() {
    ClickHandling();
    host_.RaiseChange();
}

void ColorPickerModel::CustomDialogConfirmed(ui::ColorValue oldValue) {
    if (changeControl_) {
        if (changeControlFont_) changeControl_->SetFontColor(customColor_);
        else changeControl_->SetColor(customColor_);
    }
    if (customColor_ == oldValue) return;
    ClickHandling();
    host_.RaiseChange();
}

void ColorPickerModel::SetCustomColor(ui::ColorValue color) {
    if (customColor_ == color) return;
    customColor_ = color;
    if (loading_) return;
    host_.Repaint();
    host_.PlaceCustomButton();
}

void ColorPickerModel::SetDefaultColor(ui::ColorValue color) {
    if (defaultColor_ == color) return;
    defaultColor_ = color;
    if (showDefault_ && !loading_) host_.Repaint();
}

void ColorPickerModel::SetShowText(bool show) {
    if (showText_ == show) return;
    showText_ = show;
    if (!loading_) host_.Repaint();
}

bool ColorPickerModel::ShowGroup(ColorGroup group) const noexcept {
    switch (group) {
        case ColorGroup::Default:
            return showDefault_;
        case ColorGroup::Basic:
            return showBasic_;
        case ColorGroup::System:
            return showSystem_;
        case ColorGroup::Extra:
            return showExtra_;
        case ColorGroup::User:
            return showUser_;
        case ColorGroup::Custom:
            return showCustom_;
    }
    return false;
}

void ColorPickerModel::SetShowGroup(ColorGroup group, bool show) {
    bool* flag = nullptr;
    switch (group) {
        case ColorGroup::Default:
            flag = &showDefault_;
            break;
        case ColorGroup::Basic:
            flag = &showBasic_;
            break;
        case ColorGroup::System:
            flag = &showSystem_;
            break;
        case ColorGroup::Extra:
            flag = &showExtra_;
            break;
        case ColorGroup::User:
            flag = &showUser_;
            break;
        case ColorGroup::Custom:
            flag = &showCustom_;
            break;
    }
    if (!flag || *flag == show) return;
    *flag = show;
    Rebuild();
}

void ColorPickerModel::SetJapaneseText(bool japanese) {
    if (japaneseText_ == japanese) return;
    japaneseText_ = japanese;
    Rebuild();
}

void ColorPickerModel::SetZenKakuKana(bool convert) {
    if (zenKakuKana_ == convert) return;
    zenKakuKana_ = convert;
    Rebuild();
}

std::wstring ColorPickerModel::OtherLanguageName(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) {
        throw platform::Error(kIndexOutOfRange);
    }
    const ColorItem& item = items_[static_cast<std::size_t>(index)];
    if (item.group == ColorGroup::User) {
        // While a form loads, the list is not rebuilt and may still hold a
        // colour the collection has lost.
        if (item.index >= userColors_.Count()) throw platform::Error(kIndexOutOfRange);
        const UserColor& user = userColors_.Item(item.index);
        return Shown(japaneseText_ ? user.EnglishName() : user.DisplayName());
    }
    const BuiltInColor& entry = BuiltInGroup(item.group)[static_cast<std::size_t>(item.index)];
    return Shown(japaneseText_ ? entry.english : entry.japanese);
}

void ColorPickerModel::RefreshHint() {
    if (!hintIsOtherLanguage_ || !host_.HasWindow()) return;
    const int selected = host_.SelectedIndex();
    if (selected >= 0 && selected < static_cast<int>(items_.size())) host_.SetHint(OtherLanguageName(selected));
}

void ColorPickerModel::SetHintIsOtherLanguage(bool other) {
    if (hintIsOtherLanguage_ == other) return;
    hintIsOtherLanguage_ = other;
    host_.SetHint(std::wstring());
    RefreshHint();
}

void ColorPickerModel::LinkedControlChanged() {
    if (!changeControl_) return;
    ui::ColorValue color = changeControlFont_ ? changeControl_->FontColor() : changeControl_->Color();
    if (showDefault_ && color == defaultColor_) color = ui::kColorDefault;
    SetValue(color);
}

void ColorPickerModel::SetChangeControl(ui::ColorTarget* control) {
    if (changeControl_ == control) return;
    changeControl_ = control;
    LinkedControlChanged();
}

void ColorPickerModel::SetChangeControlFont(bool font) {
    if (changeControlFont_ == font) return;
    changeControlFont_ = font;
    LinkedControlChanged();
}

void ColorPickerModel::EndLoading() {
    if (!loading_) return;
    loading_ = false;
    // The rebuild re-applies the old value and so records it as pending.
    const auto pending = pending_;
    Rebuild();
    if (pending) {
        const ScopedFlag quiet(quiet_);
        SetValue(*pending);
    }
}

void ColorPickerModel::WindowCreated() {
    host_.LoadList(items_);
    if (!items_.empty() && !loading_) {
        if (!pending_) {
            host_.Select(0);
            RefreshHint();
        } else {
            const ScopedFlag quiet(quiet_);
            SetValue(*pending_);
        }
    }
    host_.PlaceCustomButton();
}

// ---------------------------------------------------------------- geometry

ColorItemLayout LayoutItem(const PixelRect& item, bool showText, int itemHeight, int fontHeight,
                           bool noSwatch) noexcept {
    ColorItemLayout layout;
    int width = showText ? item.bottom - item.top - 4 : item.right - item.left - 4;
    int margin = 0;
    if (width > 32) {
        width = 32;
        margin = std::max((item.bottom - item.top - 37) / 2, 0);
    }
    layout.outline = itemHeight >= 16;
    if (noSwatch) {
        layout.swatch = false;
        width = -2;
    } else {
        layout.swatchRect = {item.left + 2, item.top + 3 + margin, item.left + 2 + width, item.bottom - 2 - margin};
    }
    layout.textLeft = item.left + width + 4;
    // Centred in the item as drawn: a selection field can be lower than the
    // list's items, and text placed for the taller item would be cut off.
    const int height = std::min(itemHeight, item.bottom - item.top);
    layout.textTop = item.top + 1 + (height - std::abs(fontHeight)) / 2;
    return layout;
}

PixelRect CustomButtonBounds(bool shown, int clientWidth, int clientHeight, int scrollBarWidth,
                             const CustomButtonMetrics& metrics) noexcept {
    const int left = shown ? clientWidth - scrollBarWidth - metrics.rightGap : -metrics.width;
    return {left, metrics.margin, left + metrics.width, clientHeight - metrics.margin};
}

}  // namespace widgets
