#include "settings/IntegerText.h"

#include <cstddef>

namespace settings {

namespace {

int HexDigit(char32_t c) noexcept {
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
    return -1;
}

template <typename Char>
std::optional<std::int32_t> Parse(std::basic_string_view<Char> text) noexcept {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';

    bool hex = false;
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        hex = true;
        ++at;
    } else if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        hex = true;
        at += 2;
    }
    if (at == text.size()) return std::nullopt;

    // 64 bits hold every 32-bit value and one digit more, so overflow is seen before it happens.
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    const unsigned base = hex ? 16 : 10;
    std::uint64_t value = 0;
    for (; at < text.size(); ++at) {
        const int digit = HexDigit(static_cast<char32_t>(text[at]));
        if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
        value = value * base + static_cast<unsigned>(digit);
        if (value > limit) return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) noexcept { return Parse(text); }
std::optional<std::int32_t> ParseInteger(std::wstring_view text) noexcept { return Parse(text); }

}  // namespace settings
