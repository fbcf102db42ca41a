#include "settings/PropertyFile.h"

#include <windows.h>


#include "platform/File.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/ProfileText.h"

namespace settings {

namespace {

// Far more than any settings file; a larger file is not one of ours to read.
constexpr std::uint64_t kLargestFile = 64ULL * 1024 * 1024;
// What a saved file keeps of the old one's attributes.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The file a save writes: a link's target, so that the link stays a link.
std::wstring WrittenFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(platform::ApiPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    const platform::KernelHandle file(CreateFileW(platform::ApiPath(path).c_str(), 0,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return path;
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), target.data(), static_cast<DWORD>(target.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return path;
        if (length < target.size()) {
            target.resize(length);
            return target;
        }
        target.resize(length + 1);
    }
}

std::wstring TemporaryOf(const std::wstring& path) { return path + L".saving"; }

platform::Error CannotWrite(const std::wstring& path) { return platform::Error(path + L" に書き込めません"); }

// Writes the new text beside the file, with the old file's attributes, and
// flushes it: the rename that follows must not put an empty file in place
// when the power goes. False when the folder refuses the new file.
bool WriteTemporary(const std::wstring& temporary, const std::string& bytes, DWORD attributes,
                    const std::wstring& path) {
    {
        const platform::KernelHandle file(CreateFileW(platform::ApiPath(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.get())) {
            DeleteFileW(platform::ApiPath(temporary).c_str());
            throw CannotWrite(path);
        }
    }
    if (attributes & kKeptAttributes) SetFileAttributesW(platform::ApiPath(temporary).c_str(), attributes & kKeptAttributes);
    return true;
}

}  // namespace

std::wstring PropertyFilePath() { return platform::ExeFolder() + L"property.ini"; }

void RemoveUnfinishedSave(const std::wstring& path) {
    DeleteFileW(platform::ApiPath(TemporaryOf(WrittenFile(path))).c_str());
}

PropertyFile PropertyFile::Load(const std::wstring& path) {
    PropertyFile file;
    platform::FileContents contents = platform::ReadFileBytes(path, kLargestFile);
    if (contents.Read() && !platform::ProfileText::IsUtf16(contents.bytes)) {
        file.text_ = IniText(std::move(contents.bytes));
    } else {
        file.unreadable_ = !contents.Missing();
    }
    return file;
}

platform::Error CannotRead(const std::wstring& path) {
    return platform::Error(path + L" を読み込めません。上書きしません");
}

void SavePropertyFile(const std::wstring& path, const Settings& settings) {
    const std::wstring file = WrittenFile(path);
    // Beside the file, so that the last step is a rename within one folder.
    // An interrupted save may have left one: it is no settings file and is replaced.
    const std::wstring temporary = TemporaryOf(file);
    DeleteFileW(platform::ApiPath(temporary).c_str());

    const DWORD attributes = GetFileAttributesW(platform::ApiPath(file).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file is not the program's to replace (the rename below
    // would, where the file system lets the user).
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) throw CannotWrite(path);
    IniText text;
    if (exists) {
        platform::FileContents contents = platform::ReadFileBytes(file, kLargestFile);
        if (!contents.Read() || platform::ProfileText::IsUtf16(contents.bytes)) throw CannotWrite(path);
        text = IniText(std::move(contents.bytes));
    }
    WriteSettings(text, settings);

    if (!WriteTemporary(temporary, text.Bytes(), exists ? attributes : 0, path)) {
        // The folder takes no new file, but the file itself may be writable:
        // written over as a program without the copy would.
        if (!platform::OverwriteFile(file, text.Bytes(), platform::WhenMissing::Fail)) throw CannotWrite(path);
        return;
    }
    // One rename within the folder, so a save cut short at any moment leaves
    // the old file or the new one. (Saves through ReplaceFileW, killed at
    // random moments under Wine, left files that were neither; the kept
    // attributes are already on the copy.)
    const bool replaced = MoveFileExW(platform::ApiPath(temporary).c_str(), platform::ApiPath(file).c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!replaced) {
        DeleteFileW(platform::ApiPath(temporary).c_str());
        throw CannotWrite(path);
    }
}

}  // namespace settings
