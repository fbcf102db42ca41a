#pragma once
// The named Windows font character sets: the rows of the settings page's
// charset list, the names a language file's "[All]Charset" uses, and their values.
#include <array>
#include <optional>
#include <string_view>

namespace settings {

struct CharsetRow {
    std::wstring_view listText;  // "ANSI_CHARSET"
    std::string_view fileName;   // "ANSI"
    int value;                   // 0
};

extern const std::array<CharsetRow, 19> kCharsets;

// The row whose value this is, if any.
std::optional<int> CharsetRowOf(int value) noexcept;
// The value named so in a language file, compared after its ASCII letters are made upper-case.
std::optional<int> CharsetByName(std::wstring_view name) noexcept;

}  // namespace settings
