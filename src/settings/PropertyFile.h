#pragma once
// "property.ini" beside the executable, read and written through the
// private-profile functions. A save writes a copy of the file and puts it in
// place in one step, so the file is always the old or the new one, whole.
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsFile.h"

namespace settings {

// The full path of "property.ini", in the system code page.
std::string PropertyFilePath();
// Removes what a save that was cut short (the program killed, the power
// gone) left beside the file: it is no settings file and must not pile up.
void RemoveUnfinishedSave(const std::string& path);

class PrivateProfileReader final : public IniReader {
public:
    explicit PrivateProfileReader(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override;

private:
    std::string path_;
};

// Writes every key into a copy of the file (keeping its other keys, sections
// and comments) and replaces the file with it. When anything fails, the copy
// is removed, the file stays as it was, and the error "<path> に書き込めません"
// is thrown.
void SavePropertyFile(const std::string& path, const StoredSettings& settings);

}  // namespace settings
