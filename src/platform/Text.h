#pragma once
// The one place where text crosses between UTF-16 and the 8-bit code pages.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/ClipboardBytes.h"
#include "platform/CompactText.h"

namespace platform {

// The system's ANSI code page (CP_ACP).
constexpr unsigned kSystemCodePage = 0;

// 8-bit text in a code page (the system's unless given) to UTF-16.
std::wstring AnsiToWide(std::string_view text, unsigned codePage = kSystemCodePage);
// How many UTF-16 units AnsiToWide makes of the text, without making them.
std::size_t AnsiToWideLength(std::string_view text, unsigned codePage = kSystemCodePage);
// UTF-16 to a code page (the system's unless given); characters it lacks become its default character.
std::string WideToAnsi(std::wstring_view text, unsigned codePage = kSystemCodePage);

// A count as the user's locale writes it, with its digit grouping ("3,619").
std::wstring FormatCount(std::size_t count);

// Texts of any length, a piece at a time: a conversion never holds more
// than a piece beside its input and output, and never cuts a character.
CodePageFacts FactsOf(unsigned codePage);
// AnsiToWide into a compact text.
CompactText AnsiToCompact(std::string_view text, unsigned codePage);
// How many bytes WideToAnsi makes of the text.
std::size_t AnsiLength(const CompactText& text, unsigned codePage);
// The text as 8-bit text in `from` read back in the code page `to`, in
// pieces of UTF-16; stops when `each` returns false, and says whether it ran to the end.
bool ForEachRoundTripPiece(const CompactText& text, unsigned from, unsigned to,
                           const std::function<bool(std::wstring_view)>& each);
// 8-bit text read in a code page, in pieces of UTF-16, as ForEachRoundTripPiece.
bool ForEachWidePiece(std::string_view text, unsigned codePage, const std::function<bool(std::wstring_view)>& each);

}  // namespace platform
