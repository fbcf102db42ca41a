#pragma once
#include <windows.h>

#include <string>

namespace platform {

// Full path of the running executable, whatever its folder is called and however long it is.
std::wstring ExePath();
// Its folder, with a trailing backslash.
std::wstring ExeFolder();

// A function of a system DLL that only a dialog or the font table needs,
// loaded from the system folder (never the program's) when first asked for:
// every DLL loaded at start is start-up time, under Wine several
// milliseconds each. Null when the DLL or the function is missing.
FARPROC SystemFunction(const wchar_t* dll, const char* name) noexcept;

template <typename Function>
Function* SystemFunction(const wchar_t* dll, const char* name) noexcept {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

// Loads a system DLL by its bare name from the system folder, comctl32.dll as
// the version the manifest names; also on Windows 7 without the update that
// brought LOAD_LIBRARY_SEARCH_SYSTEM32. Null when it is missing.
HMODULE LoadSystemLibrary(const wchar_t* dll) noexcept;

// The first call LoadSystemLibrary makes, LoadLibraryExW with
// LOAD_LIBRARY_SEARCH_SYSTEM32. Tests replace it to fail as Windows 7 does;
// the one replaced is returned.
using LoadLibraryExFunction = HMODULE(WINAPI*)(const wchar_t* name, HANDLE file, DWORD flags);
LoadLibraryExFunction ReplaceSystemLibraryLoader(LoadLibraryExFunction loader) noexcept;

}  // namespace platform
