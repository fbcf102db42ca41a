#include "platform/File.h"

#include <windows.h>

#include "platform/Handles.h"

namespace platform {

std::wstring ApiPath(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(ApiPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileContents::Missing() const noexcept { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

FileContents ReadFileBytes(const std::wstring& path, std::uint64_t largest) {
    FileContents contents;
    const KernelHandle file(CreateFileW(ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
        contents.error = GetLastError();
        return contents;
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > largest) {
        contents.error = ERROR_FILE_TOO_LARGE;
        return contents;
    }
    contents.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!contents.bytes.empty() &&
        !ReadFile(file.get(), contents.bytes.data(), static_cast<DWORD>(contents.bytes.size()), &read, nullptr)) {
        contents.error = GetLastError();
        contents.bytes.clear();
        return contents;
    }
    contents.bytes.resize(read);
    return contents;
}

bool OverwriteFile(const std::wstring& path, std::string_view bytes, WhenMissing whenMissing) {
    const KernelHandle file(CreateFileW(ApiPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        whenMissing == WhenMissing::Create ? OPEN_ALWAYS : OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
}

}  // namespace platform
