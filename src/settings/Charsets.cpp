#include "settings/Charsets.h"

#include <cstddef>

namespace settings {

const std::array<CharsetRow, 19> kCharsets{{
    {L"ANSI_CHARSET", "ANSI", 0},
    {L"ARABIC_CHARSET", "ARABIC", 178},
    {L"BALTIC_CHARSET", "BALTIC", 186},
    {L"CHINESEBIG5_CHARSET", "CHINESEBIG5", 136},
    {L"DEFAULT_CHARSET", "DEFAULT", 1},
    {L"EASTEUROPE_CHARSET", "EASTEUROPE", 238},
    {L"GB2312_CHARSET", "GB2312", 134},
    {L"GREEK_CHARSET", "GREEK", 161},
    {L"HANGEUL_CHARSET", "HANGEUL", 129},
    {L"HEBREW_CHARSET", "HEBREW", 177},
    {L"JOHAB_CHARSET", "JOHAB", 130},
    {L"MAC_CHARSET", "MAC", 77},
    {L"OEM_CHARSET", "OEM", 255},
    {L"RUSSIAN_CHARSET", "RUSSIAN", 204},
    {L"SHIFTJIS_CHARSET", "SHIFTJIS", 128},
    {L"SYMBOL_CHARSET", "SYMBOL", 2},
    {L"THAI_CHARSET", "THAI", 222},
    {L"TURKISH_CHARSET", "TURKISH", 162},
    {L"VIETNAMESE_CHARSET", "VIETNAMESE", 163},
}};

std::optional<int> CharsetRowOf(int value) noexcept {
    for (std::size_t row = 0; row < kCharsets.size(); ++row) {
        if (kCharsets[row].value == value) return static_cast<int>(row);
    }
    return std::nullopt;
}

std::optional<int> CharsetByName(std::wstring_view name) noexcept {
    for (const CharsetRow& row : kCharsets) {
        if (row.fileName.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) {
            wchar_t c = name[i];
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
            same = c == static_cast<wchar_t>(row.fileName[i]);
        }
        if (same) return row.value;
    }
    return std::nullopt;
}

}  // namespace settings
