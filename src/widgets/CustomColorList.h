#pragma once
// The colour dialog's 16 custom colours as the store keeps them: lines
// "ColorA=FFFFFF" to "ColorP=FFFFFF", one per slot, the value hexadecimal.
// Text is in the system code page, as INI files and the registry hold it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace widgets {

constexpr int kCustomColorSlots = 16;
// What a slot without a line holds.
constexpr std::uint32_t kEmptyCustomSlot = 0xFFFFFFFFu;

// "ColorA" for slot 0 to "ColorP" for slot 15.
std::string CustomColorKey(int slot);
// 1 to 8 hexadecimal digits, either case, nothing else; leading zeros beyond
// eight digits are allowed. nullopt for anything else.
std::optional<std::uint32_t> ParseHexColor(std::string_view text) noexcept;
// Upper case, at least six digits.
std::string FormatHexColor(std::uint32_t value);

class CustomColorList {
public:
    // The 16 lines with white ("FFFFFF").
    CustomColorList();

    const std::vector<std::string>& Lines() const noexcept { return lines_; }
    void Clear() noexcept { lines_.clear(); }
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    // The value of the first line "key=value" (key compared without regard to case).
    std::optional<std::string> Value(std::string_view key) const;
    // Replaces the first line with that key, or appends one.
    void SetValue(std::string_view key, std::string_view value);

    // The dialog's slots. Throws platform::Error naming the line when a
    // stored value is not hexadecimal.
    std::array<std::uint32_t, kCustomColorSlots> Slots() const;
    void SetSlots(const std::array<std::uint32_t, kCustomColorSlots>& slots);

private:
    std::vector<std::string> lines_;
};

}  // namespace widgets
