#pragma once
// Files by their full UTF-16 paths, of any length and in any folder Windows can make.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A full path as the W calls take it: one as long as MAX_PATH or longer gets
// the "\\?\" prefix, which lifts the limit also where the system does not
// let long paths through.
std::wstring ApiPath(const std::wstring& path);

bool FileExists(const std::wstring& path);

// What reading a whole file found.
struct FileContents {
    std::string bytes;
    unsigned long error = 0;  // the system's error code; 0 when the file was read
    bool Read() const noexcept { return error == 0; }
    // Neither the file nor its folder is there, as opposed to a file that is
    // there and could not be read (held by another program, no access).
    bool Missing() const noexcept;
};
// Reads the whole file, letting others read and write it meanwhile. A file
// larger than `largest` bytes is not read (ERROR_FILE_TOO_LARGE).
FileContents ReadFileBytes(const std::wstring& path, std::uint64_t largest);

// Writes the bytes over an existing file's (or a new one's, when asked),
// keeping its attributes, security and links, and flushes them to disk.
enum class WhenMissing { Create, Fail };
bool OverwriteFile(const std::wstring& path, std::string_view bytes, WhenMissing whenMissing);

}  // namespace platform
