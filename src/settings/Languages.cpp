#include "settings/Languages.h"

#include <array>
#include <cstdint>

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/Handles.h"
#include "platform/Module.h"
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

platform::Error FileError(const std::wstring& path, DWORD error) {
    return platform::Error(L"Cannot open file \"" + path + L"\". " + SystemMessage(error));
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

std::string ReadFileBytes(const std::wstring& path) {
    // Language files are small; one that is not must not be read past what memory allows.
    constexpr std::uint64_t kLargest = 256ULL * 1024 * 1024;
    platform::FileContents contents = platform::ReadFileBytes(path, kLargest);
    if (!contents.Read()) throw FileError(path, contents.error);
    return std::move(contents.bytes);
}

LanguageText ReadLanguageFile(const std::wstring& path) {
    return LanguageText::FromBytes(ReadFileBytes(path), &FromSystemCodePage, &KeysEqualByLocale);
}

std::optional<std::wstring> Languages::PathOf(std::string_view storedName) const {
    const std::wstring name = platform::AnsiToWide(storedName);
    if (!IsPlainFileName(name)) return std::nullopt;
    std::wstring path = folder_ + name;
    if (!platform::FileExists(path)) return std::nullopt;
    return path;
}

void Languages::Apply(const std::wstring& path, LanguageTarget& target) const {
    ApplyLanguage(ReadLanguageFile(path), target);
}

void Languages::List(ui::ListBox& list) {
    list.ClearItems();
    table_.clear();
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(platform::ApiPath(folder_ + L"*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    struct Close {
        HANDLE handle;
        ~Close() { FindClose(handle); }
    } close{search};
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        const std::wstring fileName = found.cFileName;
        const std::optional<std::wstring> name =
            LanguageDisplayName(ReadFileBytes(folder_ + fileName), &FromSystemCodePage);
        // The table holds the name in the system code page, and so does the list.
        Entry entry{fileName, platform::WideToAnsi(name ? *name : fileName)};
        list.AddItem(platform::AnsiToWide(entry.displayName));
        table_.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
}

std::optional<std::wstring> Languages::FileOf(const std::string& displayName) const {
    for (const Entry& entry : table_) {
        if (entry.displayName == displayName) return entry.fileName;
    }
    return std::nullopt;
}

void Languages::SetDialogRunner(DialogRunner runner) { Runner() = std::move(runner); }

std::optional<std::wstring> Languages::ChooseFile(HWND owner) const {
    std::array<wchar_t, 32768> file{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    static constexpr wchar_t kFilter[] = L"Language Text File(*.lng)\0*.lng\0";
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    const auto open = platform::SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    const bool chosen = Runner() ? Runner()(dialog) : open && open(&dialog) != FALSE;
    if (!chosen || file[0] == L'\0') return std::nullopt;
    return std::wstring(file.data());
}

}  // namespace settings
