#pragma once
// Whole numbers as the settings file and the language files write them: an
// optional sign, then decimal digits, or hexadecimal digits after "$", "x" or
// "0x" (x in either case). Leading blanks are skipped; anything else, or a
// value outside 32 bits, is no number.
#include <cstdint>
#include <optional>
#include <string_view>

namespace settings {

// Decimal must fit a signed 32-bit value; hexadecimal may use all 32 bits
// ("$FFFFFFFF" is -1), as colour values are often written that way.
std::optional<std::int32_t> ParseInteger(std::string_view text) noexcept;
std::optional<std::int32_t> ParseInteger(std::wstring_view text) noexcept;

}  // namespace settings
