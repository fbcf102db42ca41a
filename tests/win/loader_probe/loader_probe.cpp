// A process of its own for the loader test: it imports nothing of comctl32,
// so the load below is the DLL's first, made as on Windows 7 without the
// update that brought LOAD_LIBRARY_SEARCH_SYSTEM32. Exits with 0 when
// comctl32 came from the side-by-side assembly the manifest names and its
// functions are there; prints the module's path.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "platform/Module.h"

namespace {

HMODULE WINAPI RefuseTheSearchFlag(const wchar_t*, HANDLE, DWORD) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

}  // namespace

int main() {
    if (GetModuleHandleW(L"comctl32.dll")) return 4;  // loaded already: the test would prove nothing
    platform::ReplaceSystemLibraryLoader(&RefuseTheSearchFlag);
    const HMODULE controls = platform::LoadSystemLibrary(L"comctl32.dll");
    if (!controls) return 1;
    if (!GetProcAddress(controls, "SetWindowSubclass")) return 2;
    wchar_t path[2 * MAX_PATH] = {};
    GetModuleFileNameW(controls, path, 2 * MAX_PATH);
    std::printf("%ls\n", path);
    for (wchar_t& c : path) c = static_cast<wchar_t>(std::towlower(c));
    // Version 6 lives in its assembly's folder under WinSxS; the system
    // folder's comctl32.dll is version 5.
    if (!std::wcsstr(path, L"\\winsxs\\") || !std::wcsstr(path, L"common-controls")) return 3;
    return 0;
}
