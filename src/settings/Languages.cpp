#include "settings/Languages.h"

#include <array>

#include "platform/Error.h"
#include "platform/Handles.h"
#include "platform/Text.h"

namespace settings {

namespace {

Languages::DialogRunner& Runner() {
    static Languages::DialogRunner runner;
    return runner;
}

std::wstring SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
    return message;
}

platform::Error FileError(const std::string& path) {
    const DWORD error = GetLastError();
    return platform::Error(L"Cannot open file \"" + platform::AnsiToWide(path) + L"\". " + SystemMessage(error));
}

std::wstring FromSystemCodePage(std::string_view bytes) { return platform::AnsiToWide(bytes); }

// The user's locale's case-insensitive match. Keys of different lengths are
// told apart before the locale is asked: a large file has many lines.
bool KeysEqualByLocale(std::wstring_view fileKey, std::wstring_view wanted) {
    if (fileKey.size() != wanted.size()) return false;
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, fileKey.data(), static_cast<int>(fileKey.size()),
                          wanted.data(), static_cast<int>(wanted.size())) == CSTR_EQUAL;
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
    const platform::KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) throw FileError(path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) throw FileError(path);
    // Language files are small; one that is not must not be read past what memory allows.
    constexpr LONGLONG kLargest = 256LL * 1024 * 1024;
    if (size.QuadPart > kLargest) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        throw FileError(path);
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        throw FileError(path);
    }
    bytes.resize(read);
    return bytes;
}

LanguageText ReadLanguageFile(const std::string& path) {
    return LanguageText::FromBytes(ReadFileBytes(path), &FromSystemCodePage, &KeysEqualByLocale);
}

void Languages::Apply(const std::string& path, LanguageTarget& target) const {
    ApplyLanguage(ReadLanguageFile(path), target);
}

void Languages::List(ui::ListBox& list) {
    list.ClearItems();
    table_.clear();
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder_ + "*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    struct Close {
        HANDLE handle;
        ~Close() { FindClose(handle); }
    } close{search};
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        const std::string fileName = found.cFileName;
        const std::optional<std::wstring> name =
            LanguageDisplayName(ReadFileBytes(folder_ + fileName), &FromSystemCodePage);
        // The table holds the name in the system code page, and so does the list.
        Entry entry{fileName, name ? platform::WideToAnsi(*name) : fileName};
        list.AddItem(platform::AnsiToWide(entry.displayName));
        table_.push_back(std::move(entry));
    } while (FindNextFileA(search, &found));
}

std::optional<std::string> Languages::FileOf(const std::string& displayName) const {
    for (const Entry& entry : table_) {
        if (entry.displayName == displayName) return entry.fileName;
    }
    return std::nullopt;
}

void Languages::SetDialogRunner(DialogRunner runner) { Runner() = std::move(runner); }

std::optional<std::string> Languages::ChooseFile(HWND owner) const {
    std::array<char, 32768> file{};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    static constexpr char kFilter[] = "Language Text File(*.lng)\0*.lng\0";
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    const bool chosen = Runner() ? Runner()(dialog) : GetOpenFileNameA(&dialog) != FALSE;
    if (!chosen || file[0] == '\0') return std::nullopt;
    return std::string(file.data());
}

}  // namespace settings
