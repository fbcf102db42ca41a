#include "widgets/FontListModel.h"

#include <utility>

namespace widgets {

FontListModel::FontListModel(const std::vector<FontEntry>& table, NameCompare compare, FontListHost& host) noexcept
    : table_(&table), compare_(compare), host_(host), names_(compare) {}

std::wstring FontListModel::Value() const {
    if (!host_.HasWindow()) return {};
    const int index = host_.SelectedIndex();
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return {};
    return items_[static_cast<size_t>(index)].name;
}

void FontListModel::SetValue(std::wstring_view name) {
    if (loading_ || !host_.HasWindow()) {
        pending_ = std::wstring(name);
        return;
    }
    if (items_.empty()) return;
    int index = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (compare_(items_[i].name, name) == 0) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (index == host_.SelectedIndex()) return;
    host_.SelectIndex(index);
    RunChange();
}

void FontListModel::SetCollectFilters(FontNameFilters filters) {
    if (filters == collect_) return;
    collect_ = filters;
    Fill();
}

void FontListModel::SetExclusiveFilters(FontNameFilters filters) {
    if (filters == exclusive_) return;
    exclusive_ = NextExclusiveFilters(exclusive_, filters);
    Fill();
}

void FontListModel::SetVisibleFontNames(std::vector<std::wstring> names) {
    if (names_.SetVisible(std::move(names))) Fill();
}

void FontListModel::SetInvisibleFontNames(std::vector<std::wstring> names) {
    if (names_.SetInvisible(std::move(names))) Fill();
}

void FontListModel::SetIconVisible(bool visible) {
    if (iconVisible_ == visible) return;
    iconVisible_ = visible;
    host_.Repaint();
}

void FontListModel::SetIconPriority(FontIconPriority priority) {
    if (iconPriority_ == priority) return;
    iconPriority_ = priority;
    host_.Repaint();
}

void FontListModel::SetTextFontFace(bool on) {
    if (textFontFace_ == on) return;
    textFontFace_ = on;
    host_.Repaint();
}

void FontListModel::EndLoading() {
    if (!loading_) return;
    loading_ = false;
    Fill();
    // A picker that was given no value while loading keeps the one it had.
    if (pending_) SetValue(std::exchange(pending_, std::nullopt).value());
}

void FontListModel::WindowCreated() {
    if (loading_) return;
    ReplaceItems();
    // The first entry unless a value came before the window did.
    SetValue(std::exchange(pending_, std::nullopt).value_or(std::wstring()));
}

void FontListModel::UserSelected() {
    RunChange();
    host_.RaiseClick();
    // The list's own change notification follows the click.
    host_.RaiseChange();
}

FontMark FontListModel::MarkFor(int index) const noexcept {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return FontMark::None;
    return ChooseFontMark(items_[static_cast<size_t>(index)].flags, collect_, iconPriority_);
}

void FontListModel::Fill() {
    if (loading_) return;
    const bool hasWindow = host_.HasWindow();
    const std::wstring remembered = hasWindow ? Value() : std::wstring();
    ReplaceItems();
    if (hasWindow) SetValue(remembered);
}

void FontListModel::ReplaceItems() {
    FontFilterSettings settings;
    settings.collect = collect_;
    settings.exclusive = exclusive_;
    settings.visible = &names_.Visible();
    settings.invisible = &names_.Invisible();
    settings.compare = compare_;
    items_ = OfferedFonts(*table_, settings);
    host_.ReplaceItems(items_);
}

void FontListModel::RunChange() {
    host_.PushToLinked(Value());
    host_.RaiseChange();
}

}  // namespace widgets
