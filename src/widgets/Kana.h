#pragma once
// Half-width katakana (and the half-width punctuation of code page 932) to
// their full-width forms, as the colour picker shows its Japanese names.
#include <string>
#include <string_view>

namespace widgets {

// A half-width kana followed by the voiced mark becomes its voiced form when
// one exists in the same row of the kana table (ｶﾞ → ガ, ﾊﾞ → バ), and ﾊ to ﾎ
// followed by the semi-voiced mark become パ to ポ. Marks that cannot combine
// (ｳﾞ among them) stay as the spacing marks ゛ and ゜. Everything else is
// copied unchanged.
std::wstring ToFullWidthKana(std::wstring_view text);

}  // namespace widgets
