#pragma once
// The one place where text crosses between UTF-16 and the system code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The system's ANSI code page (CP_ACP).
constexpr unsigned kSystemCodePage = 0;

// 8-bit text in a code page (the system's unless given) to UTF-16.
std::wstring AnsiToWide(std::string_view text, unsigned codePage = kSystemCodePage);
// How many UTF-16 units AnsiToWide makes of the text, without making them.
std::size_t AnsiToWideLength(std::string_view text, unsigned codePage = kSystemCodePage);
// UTF-16 to a code page (the system's unless given); characters it lacks become its default character.
std::string WideToAnsi(std::wstring_view text, unsigned codePage = kSystemCodePage);

}  // namespace platform
