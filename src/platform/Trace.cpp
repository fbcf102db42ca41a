#include "platform/Trace.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <string>

#include "platform/Error.h"

namespace platform {

namespace {

void Emit(std::wstring line) noexcept {
    line += L'\n';
    OutputDebugStringW(line.c_str());
}

std::wstring SystemText(std::uint32_t error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return message;
}

std::wstring FromUtf8(std::string_view text) {
    const int size = static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF));
    std::wstring wide(static_cast<std::size_t>(std::max(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0), 0)), L'\0');
    if (!wide.empty()) MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

}  // namespace

void Trace(std::wstring_view what, std::uint32_t systemError) noexcept {
    try {
        Emit(L"Velmor: " + std::wstring(what) + L": " + SystemText(systemError) + L" (" + std::to_wstring(systemError) + L")");
    } catch (...) {
        // No memory even for the line: there is nothing more to say.
    }
}

void Trace(std::wstring_view what, std::string_view failure) noexcept {
    try {
        Emit(L"Velmor: " + std::wstring(what) + L": " + FromUtf8(failure));
    } catch (...) {
    }
}

void TraceCurrentException(std::wstring_view what) noexcept {
    try {
        throw;
    } catch (const Error& error) {
        try {
            Emit(L"Velmor: " + std::wstring(what) + L": " + error.Message());
        } catch (...) {
        }
    } catch (const std::exception& error) {
        Trace(what, std::string_view(error.what()));
    } catch (...) {
        Trace(what, std::string_view("an unknown error"));
    }
}

}  // namespace platform
