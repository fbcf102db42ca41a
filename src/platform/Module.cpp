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

}  // namespace platform
