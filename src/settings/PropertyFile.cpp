#include "settings/PropertyFile.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Module.h"
#include "platform/Text.h"

namespace settings {

namespace {

// What a missing key reads as; no value in a settings file looks like it.
constexpr char kMissing[] = "\x7F<missing>\x7F";
// The private-profile functions hand over at most 2047 characters.
constexpr DWORD kValueBuffer = 2048;

class PrivateProfileWriter final : public IniWriter {
public:
    explicit PrivateProfileWriter(const std::string& path) : path_(path) {}
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        if (!WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                        std::string(value).c_str(), path_.c_str())) {
            throw platform::Error(L"write failed");
        }
    }

private:
    const std::string& path_;
};

std::string TemporaryOf(const std::string& path) { return path + ".saving"; }

platform::Error CannotWrite(const std::string& path) {
    return platform::Error(platform::AnsiToWide(path) + L" に書き込めません");
}

}  // namespace

std::string PropertyFilePath() { return platform::ExeFolder() + "property.ini"; }

void RemoveUnfinishedSave(const std::string& path) { DeleteFileA(TemporaryOf(path).c_str()); }

std::optional<std::string> PrivateProfileReader::Read(std::string_view section, std::string_view key) const {
    std::string value(kValueBuffer, '\0');
    const DWORD length = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), kMissing,
                                                  value.data(), kValueBuffer, path_.c_str());
    value.resize(length);
    if (value == kMissing) return std::nullopt;
    return value;
}

void SavePropertyFile(const std::string& path, const StoredSettings& settings) {
    // Beside the file, so that the last step is a rename within one folder.
    // An interrupted save may have left one: it is no settings file and is replaced.
    const std::string temporary = TemporaryOf(path);
    DeleteFileA(temporary.c_str());
    try {
        // A read-only file is not the program's to replace (the rename below
        // would, where the file system lets the user).
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) throw CannotWrite(path);
        if (platform::FileExists(path)) {
            if (!CopyFileA(path.c_str(), temporary.c_str(), FALSE)) throw CannotWrite(path);
            // A read-only file's copy is read-only too; the copy must take the keys.
            SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        PrivateProfileWriter writer(temporary);
        WriteSettings(writer, settings);
        // Flushes the system's cached copy of the file to disk.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, temporary.c_str());
        if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            throw CannotWrite(path);
        }
    } catch (...) {
        DeleteFileA(temporary.c_str());
        throw CannotWrite(path);
    }
}

}  // namespace settings
