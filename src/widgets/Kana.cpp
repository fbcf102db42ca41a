#include "widgets/Kana.h"

#include <array>

namespace widgets {

namespace {

// U+FF61 (｡) to U+FF9F (ﾟ): the single-byte range 0xA1-0xDF of code page 932.
constexpr wchar_t kHalfFirst = 0xFF61;
constexpr wchar_t kHalfLast = 0xFF9F;
constexpr wchar_t kVoicedMark = 0xFF9E;
constexpr wchar_t kSemiVoicedMark = 0xFF9F;

constexpr std::array<wchar_t, kHalfLast - kHalfFirst + 1> kFullWidth{
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3,  // ｡｢｣､･ｦｧｨ
    0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC,  // ｩｪｫｬｭｮｯｰ
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF,  // ｱｲｳｴｵｶｷｸ
    0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF,  // ｹｺｻｼｽｾｿﾀ
    0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,          // ﾙﾚﾛﾜﾝﾞﾟ
};

constexpr bool TakesVoicedMark(wchar_t ch) noexcept {
    return (ch >= 0xFF76 && ch <= 0xFF84) || (ch >= 0xFF8A && ch <= 0xFF8E);  // ｶ-ﾄ, ﾊ-ﾎ
}
constexpr bool TakesSemiVoicedMark(wchar_t ch) noexcept { return ch >= 0xFF8A && ch <= 0xFF8E; }  // ﾊ-ﾎ

}  // namespace

std::wstring ToFullWidthKana(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch < kHalfFirst || ch > kHalfLast) {
            result += ch;
            continue;
        }
        wchar_t full = kFullWidth[static_cast<std::size_t>(ch - kHalfFirst)];
        const wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
        // The full-width voiced forms follow their plain forms directly.
        if (next == kVoicedMark && TakesVoicedMark(ch)) {
            full = static_cast<wchar_t>(full + 1);
            ++i;
        } else if (next == kSemiVoicedMark && TakesSemiVoicedMark(ch)) {
            full = static_cast<wchar_t>(full + 2);
            ++i;
        }
        result += full;
    }
    return result;
}

}  // namespace widgets
