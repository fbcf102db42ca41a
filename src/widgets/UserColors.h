#pragma once
// The colours a form author adds to the colour picker, in order. Portable.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Color.h"

namespace widgets {

class UserColors;

// A colour the form author adds to the list.
class UserColor {
public:
    ui::ColorValue Color() const noexcept { return color_; }
    void SetColor(ui::ColorValue color);
    // The entry's Japanese text.
    const std::wstring& DisplayName() const noexcept { return displayName_; }
    void SetDisplayName(std::wstring_view name);
    // Shown instead of DisplayName in English mode, when not empty.
    const std::wstring& EnglishName() const noexcept { return englishName_; }
    void SetEnglishName(std::wstring_view name);
    // Copies all three properties, then reports one change of the collection.
    void Assign(const UserColor& source);

    UserColor(const UserColor&) = delete;
    UserColor& operator=(const UserColor&) = delete;

private:
    friend class UserColors;
    explicit UserColor(UserColors& owner) noexcept : owner_(&owner) {}

    UserColors* owner_;
    ui::ColorValue color_ = 0;
    std::wstring displayName_;
    std::wstring englishName_;
};

// The picker's ordered user colours. Every change reaches OnChanged once
// (a whole Assign counts as one change).
class UserColors {
public:
    UserColors() = default;
    UserColors(const UserColors&) = delete;
    UserColors& operator=(const UserColors&) = delete;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    UserColor& Item(int index) { return *items_.at(static_cast<std::size_t>(index)); }
    const UserColor& Item(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    UserColor& Add();
    // A colour with all three properties in one change.
    UserColor& Add(ui::ColorValue color, std::wstring_view displayName, std::wstring_view englishName = {});
    void Delete(int index);
    void Clear();
    // Entry by entry, as one change.
    void Assign(const UserColors& source);

    std::function<void()> OnChanged;

private:
    friend class UserColor;
    void Changed();

    std::vector<std::unique_ptr<UserColor>> items_;
    int updating_ = 0;
};

}  // namespace widgets
