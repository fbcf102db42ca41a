#pragma once
// The one place where text crosses between UTF-16 and the system code page.
#include <string>
#include <string_view>

namespace platform {

// System code page (CP_ACP) text to UTF-16.
std::wstring AnsiToWide(std::string_view text);
// UTF-16 to the system code page; characters it lacks become the code page's default.
std::string WideToAnsi(std::wstring_view text);

}  // namespace platform
