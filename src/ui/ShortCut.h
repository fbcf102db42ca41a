#pragma once
// A keyboard shortcut of a menu item: a virtual-key code with modifiers.
#include <cstdint>
#include <string>

namespace ui {

struct ShortCut {
    std::uint16_t key = 0;  // virtual-key code; 0 = none
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    static constexpr ShortCut Ctrl(char letter) noexcept {
        return ShortCut{static_cast<std::uint16_t>(letter), true, false, false};
    }
    bool Empty() const noexcept { return key == 0; }
    bool Matches(std::uint16_t pressed, bool ctrlDown, bool shiftDown, bool altDown) const noexcept {
        return key != 0 && pressed == key && ctrlDown == ctrl && shiftDown == shift && altDown == alt;
    }
    // "Ctrl+Q", as menus show it after a tab.
    std::wstring Text() const;
    friend bool operator==(const ShortCut&, const ShortCut&) = default;
};

}  // namespace ui
