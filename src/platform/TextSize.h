#pragma once
// The large-text filter's measure of a clipboard text, taken from its block
// before anything is converted or copied: the filter counts the bytes the
// text takes in the ANSI code page, up to its first NUL. A block no larger
// than the limit allows settles it unread; otherwise at most about twice the
// limit is scanned for the NUL, so a text of any size costs the same to turn
// away. Portable.
#include <cstddef>
#include <string_view>

namespace platform {

enum class SizeVerdict {
    Within,     // the text takes at most `limit` bytes (an empty text included)
    Over,       // more than `limit` bytes
    Unsettled,  // only counting its converted bytes can tell: `units` long
};

struct TextSize {
    SizeVerdict verdict = SizeVerdict::Within;
    std::size_t units = 0;  // the text's length when the verdict is Unsettled
};

// A CF_TEXT block: its bytes are what the filter counts. A negative limit
// lets no text through.
TextSize MeasureAnsiText(std::string_view block, long long limit) noexcept;

// A CF_UNICODETEXT block (UTF-16 units), for an ANSI code page whose
// characters take at most maxCharBytes bytes: each unit then takes at most
// that many bytes, and at least half a byte (a surrogate pair may become one
// "?").
TextSize MeasureWideText(std::wstring_view block, unsigned maxCharBytes, long long limit) noexcept;

}  // namespace platform
