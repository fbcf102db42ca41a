#pragma once
// Reading of language files ("*.lng"): plain text whose first line names the
// language and whose "key=value" lines replace the captions.
//
//   Encoding  FF FE UTF-16 LE, FE FF UTF-16 BE, EF BB BF UTF-8 (the mark is
//             not text); without a mark, the system code page.
//   Lines     end with CR LF, CR, LF or U+2028. A NUL ends the text. A last
//             line end adds no empty line, so an empty text has no lines.
//   Keys      "key=value" splits at the first "="; nothing is trimmed. Keys
//             match without regard to case; the first line with the key
//             decides, and an empty value there counts as missing.
//
// Text is UTF-16: each wchar_t holds one UTF-16 code unit, also where
// wchar_t is wider.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Decodes bytes of the system code page (MultiByteToWideChar with CP_ACP on
// Windows). It must read left to right, as every Windows code page does: the
// bytes up to a CR, LF or NUL byte must decode to the start of the whole
// text, except perhaps for a last, cut character. An empty decoder takes each
// byte as the code unit of the same value (ISO 8859-1).
using AnsiDecoder = std::function<std::wstring(std::string_view)>;

// Whether a key written in a file (first) is the key asked for (second).
using KeyEquals = std::function<bool(std::wstring_view, std::wstring_view)>;

// The whole text of a file's bytes, its mark removed. A UTF-16 file's odd
// last byte is dropped; each malformed UTF-8 sequence becomes one U+FFFD.
std::wstring DecodeLanguageText(std::string_view bytes, const AnsiDecoder& fromSystemCodePage);

// The lines of a text up to its first NUL, without their line ends.
std::vector<std::wstring> SplitLanguageLines(std::wstring_view text);

// The first line of a file, as FromBytes(...).DisplayName() gives it, but
// without decoding more of the file than the first line needs: for listing
// a folder of files of any size.
std::optional<std::wstring> LanguageDisplayName(std::string_view bytes, const AnsiDecoder& fromSystemCodePage);

// The default key match: equal lengths, and equal code units after the
// capitals of ASCII, Latin-1 and Latin Extended-A (U+0041-U+017F) are made
// small by their simple lower-case mapping. Other letters must match exactly.
bool KeysEqualSimpleFold(std::wstring_view fileKey, std::wstring_view wanted) noexcept;

class LanguageText {
public:
    // An empty keyEquals takes KeysEqualSimpleFold.
    explicit LanguageText(std::wstring text, KeyEquals keyEquals = {});
    static LanguageText FromBytes(std::string_view bytes, const AnsiDecoder& fromSystemCodePage,
                                  KeyEquals keyEquals = {});

    // The first line taken whole; none when the text has no line.
    std::optional<std::wstring> DisplayName() const;
    // The value of the first line whose key matches; none when no line has
    // the key or that line's value is empty. One pass over the text.
    std::optional<std::wstring> Value(std::wstring_view key) const;
    // The values of many keys, as Value gives each, in one pass over the text.
    std::vector<std::optional<std::wstring>> Values(std::span<const std::wstring_view> keys) const;

private:
    // The text up to its first NUL, held once: lines are found as needed, so
    // a file with millions of short lines costs no per-line storage.
    std::wstring text_;
    KeyEquals keyEquals_;
};

}  // namespace settings
