#pragma once
// The clipboard's bytes as the reader takes them apart, kept free of the
// window system so that they can be checked and fuzzed on their own: the
// text in a block up to its terminator, the locale in CF_LOCALE, the data of
// the privacy marks, and where a long text may be cut into pieces that
// convert one by one exactly as the whole would. Portable.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// The text in a block of units: up to its first NUL, or the whole block
// when it lacks its terminator (nothing past the block is ever read).
template <typename Char>
std::basic_string_view<Char> TextInBlock(std::basic_string_view<Char> block) noexcept {
    return block.substr(0, block.find(Char{}));
}

// The locale identifier in a CF_LOCALE block: its first four bytes, least
// significant first; none when the block is shorter.
std::optional<std::uint32_t> LocaleInBlock(std::string_view block) noexcept;

// The privacy marks' data; none when the mark is listed but its data cannot
// be had. A mark that cannot be read counts as set: a secret is kept out on
// doubt, never shown because its mark was damaged or withdrawn.
// "x-kde-passwordManagerHint": "secret", with NULs, blanks or line ends after
// it; a value cut short ("", "sec") is read as the mark it began.
bool HintMarksSecret(std::optional<std::string_view> data) noexcept;
// "CanIncludeInClipboardHistory": only a DWORD other than 0 allows history.
bool HistoryForbidden(std::optional<std::string_view> data) noexcept;

// What a conversion needs to know of an ANSI code page to cut its text
// between characters: the bytes that begin a two-byte character, or that it
// is UTF-8.
struct CodePageFacts {
    bool utf8 = false;
    std::array<bool, 256> leadByte{};
};

// The end of a piece of 8-bit text of at most `limit` bytes (at least one
// character, if the text has any) that ends between two characters.
std::size_t AnsiPieceEnd(std::string_view bytes, std::size_t limit, const CodePageFacts& codePage) noexcept;
// The same for UTF-16 text: never between the halves of a surrogate pair.
std::size_t WidePieceEnd(std::wstring_view units, std::size_t limit) noexcept;

}  // namespace platform
