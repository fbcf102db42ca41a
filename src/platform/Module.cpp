#include "platform/Module.h"

#include <windows.h>

namespace platform {

std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ExeFolder() {
    std::wstring path = ExePath();
    path.erase(path.find_last_of(L"\\/") + 1);
    return path;
}

FARPROC SystemFunction(const wchar_t* dll, const char* name) noexcept {
    // LOAD_LIBRARY_SEARCH_SYSTEM32: a DLL of that name beside the program is never taken.
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace platform
