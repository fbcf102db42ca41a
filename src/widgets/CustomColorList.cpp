#include "widgets/CustomColorList.h"

#include "platform/Error.h"

namespace widgets {

namespace {

char Lower(char ch) noexcept { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool SameKey(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

// The key of a line: everything before the first '='; a line without one has none.
std::optional<std::string_view> KeyOf(std::string_view line) noexcept {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return line.substr(0, equals);
}

// For the error message only: bytes outside ASCII are shown as '?'.
std::wstring Widen(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        wide += byte >= 0x20 && byte < 0x7F ? static_cast<wchar_t>(byte) : L'?';
    }
    return wide;
}

}  // namespace

std::string CustomColorKey(int slot) { return std::string("Color") + static_cast<char>('A' + slot); }

std::optional<std::uint32_t> ParseHexColor(std::string_view text) noexcept {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char ch : text) {
        int digit = 0;
        if (ch >= '0' && ch <= '9') digit = ch - '0';
        else if (ch >= 'a' && ch <= 'f') digit = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F') digit = ch - 'A' + 10;
        else return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::string FormatHexColor(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
    return text;
}

CustomColorList::CustomColorList() {
    for (int slot = 0; slot < kCustomColorSlots; ++slot) lines_.push_back(CustomColorKey(slot) + "=FFFFFF");
}

std::optional<std::string> CustomColorList::Value(std::string_view key) const {
    for (const std::string& line : lines_) {
        const auto lineKey = KeyOf(line);
        if (lineKey && SameKey(*lineKey, key)) return line.substr(lineKey->size() + 1);
    }
    return std::nullopt;
}

void CustomColorList::SetValue(std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    for (std::string& existing : lines_) {
        const auto lineKey = KeyOf(existing);
        if (lineKey && SameKey(*lineKey, key)) {
            existing = std::move(line);
            return;
        }
    }
    lines_.push_back(std::move(line));
}

std::array<std::uint32_t, kCustomColorSlots> CustomColorList::Slots() const {
    std::array<std::uint32_t, kCustomColorSlots> slots{};
    for (int slot = 0; slot < kCustomColorSlots; ++slot) {
        const std::string key = CustomColorKey(slot);
        const auto text = Value(key);
        if (!text) {
            slots[static_cast<std::size_t>(slot)] = kEmptyCustomSlot;
            continue;
        }
        const auto value = ParseHexColor(*text);
        if (!value) {
            throw platform::Error(L"'" + Widen(*text) + L"' is not a valid hexadecimal colour (" + Widen(key) +
                                  L")");
        }
        slots[static_cast<std::size_t>(slot)] = *value;
    }
    return slots;
}

void CustomColorList::SetSlots(const std::array<std::uint32_t, kCustomColorSlots>& slots) {
    for (int slot = 0; slot < kCustomColorSlots; ++slot) {
        SetValue(CustomColorKey(slot), FormatHexColor(slots[static_cast<std::size_t>(slot)]));
    }
}

}  // namespace widgets
