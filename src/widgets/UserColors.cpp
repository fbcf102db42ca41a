#include "widgets/UserColors.h"

namespace widgets {

void UserColor::SetColor(ui::ColorValue color) {
    if (color_ == color) return;
    color_ = color;
    owner_->Changed();
}

void UserColor::SetDisplayName(std::wstring_view name) {
    if (displayName_ == name) return;
    displayName_ = name;
    owner_->Changed();
}

void UserColor::SetEnglishName(std::wstring_view name) {
    if (englishName_ == name) return;
    englishName_ = name;
    owner_->Changed();
}

void UserColor::Assign(const UserColor& source) {
    if (&source == this) return;
    color_ = source.color_;
    displayName_ = source.displayName_;
    // The English name travels too: without it an English list would show
    // the copied entries under their Japanese names.
    englishName_ = source.englishName_;
    owner_->Changed();
}

UserColor& UserColors::Add() {
    items_.push_back(std::unique_ptr<UserColor>(new UserColor(*this)));
    Changed();
    return *items_.back();
}

UserColor& UserColors::Add(ui::ColorValue color, std::wstring_view displayName, std::wstring_view englishName) {
    ++updating_;
    UserColor* added = nullptr;
    try {
        added = &Add();
        added->SetColor(color);
        added->SetDisplayName(displayName);
        added->SetEnglishName(englishName);
    } catch (...) {
        --updating_;
        throw;
    }
    --updating_;
    Changed();
    return *added;
}

void UserColors::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    Changed();
}

void UserColors::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void UserColors::Assign(const UserColors& source) {
    if (&source == this) return;
    ++updating_;
    try {
        items_.clear();
        for (const auto& entry : source.items_) Add().Assign(*entry);
    } catch (...) {
        --updating_;
        throw;
    }
    --updating_;
    Changed();
}

void UserColors::Changed() {
    if (updating_ == 0 && OnChanged) OnChanged();
}

}  // namespace widgets
