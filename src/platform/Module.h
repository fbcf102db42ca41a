#pragma once
#include <string>

namespace platform {

// Full path of the running executable, whatever its folder is called and however long it is.
std::wstring ExePath();
// Its folder, with a trailing backslash.
std::wstring ExeFolder();

}  // namespace platform
