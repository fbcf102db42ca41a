#include "platform/Module.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "platform/Trace.h"

namespace platform {

namespace {

LoadLibraryExFunction loadLibraryEx = &LoadLibraryExW;

bool IsCommonControls(const wchar_t* dll) noexcept {
    return CompareStringOrdinal(dll, -1, L"comctl32.dll", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

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

HMODULE LoadSystemLibrary(const wchar_t* dll) noexcept {
    // LOAD_LIBRARY_SEARCH_SYSTEM32: a DLL of that name beside the program is never taken.
    if (const HMODULE module = loadLibraryEx(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // Windows 7 and Vista without KB2533623 know no LOAD_LIBRARY_SEARCH_*
    // flag and refuse the call so. Any other failure is the DLL's own.
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    if (IsCommonControls(dll)) {
        // By the bare name, which the loader first resolves through the
        // manifest's side-by-side redirection to the version 6 it names (a
        // full path skips the redirection and gives the system folder's
        // version 5, whose controls look and behave otherwise). The
        // program's folder comes in the search only after that redirection,
        // so a comctl32.dll put there is not taken while the manifest holds.
        return LoadLibraryW(dll);
    }
    // The others are no side-by-side assemblies: the full path in the system
    // folder keeps the program's and the current folder out of the search,
    // and LOAD_WITH_ALTERED_SEARCH_PATH takes the DLL's own imports from there.
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    const std::size_t name = std::wcslen(dll);
    if (folder == 0 || folder + 1 + name >= MAX_PATH) return nullptr;
    path[folder] = L'\\';
    std::wmemcpy(path + folder + 1, dll, name + 1);
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC SystemFunction(const wchar_t* dll, const char* name) noexcept {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadSystemLibrary(dll);
    FARPROC function = module ? GetProcAddress(module, name) : nullptr;
    if (!function) {
        // Its callers go on without it (a dialog that cannot open counts as cancelled).
        const DWORD error = GetLastError();
        try {
            Trace(std::wstring(dll) + L" has no " + std::wstring(name, name + std::strlen(name)), error);
        } catch (...) {
        }
    }
    return function;
}

LoadLibraryExFunction ReplaceSystemLibraryLoader(LoadLibraryExFunction loader) noexcept {
    const LoadLibraryExFunction replaced = loadLibraryEx;
    loadLibraryEx = loader;
    return replaced;
}

}  // namespace platform
