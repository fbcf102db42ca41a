#pragma once
#include <string>

namespace platform {

// Folder of the running executable, with a trailing backslash, in the system code page.
std::string ExeFolder();
// Full path of the running executable, in the system code page.
std::string ExePath();
bool FileExists(const std::string& path);

}  // namespace platform
