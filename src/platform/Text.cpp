#include "platform/Text.h"

#include <windows.h>

namespace platform {

std::wstring AnsiToWide(std::string_view text, unsigned codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(needed), L'\0');
    if (needed > 0) MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), needed);
    return out;
}

std::size_t AnsiToWideLength(std::string_view text, unsigned codePage) {
    if (text.empty()) return 0;
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    return needed > 0 ? static_cast<std::size_t>(needed) : 0;
}

std::string WideToAnsi(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(needed), '\0');
    if (needed > 0) WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), needed, nullptr, nullptr);
    return out;
}

}  // namespace platform
