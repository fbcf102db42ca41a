#pragma once
// "property.ini" beside the executable, read and written as bytes in the
// system code page (the private-profile format, see platform/ProfileText). A
// save writes a copy of the file and puts it in place in one step, so the
// file is always the old or the new one, whole.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Error.h"
#include "settings/SettingsFile.h"

namespace settings {

// The full path of "property.ini".
std::wstring PropertyFilePath();
// Removes what a save that was cut short (the program killed, the power
// gone) left beside the file: it is no settings file and must not pile up.
void RemoveUnfinishedSave(const std::wstring& path);

// The file as one read found it. A file that is there but could not be read
// (another program holds it, no access, UTF-16 text) reads as empty, like a
// missing one, but says so: it must not be overwritten with defaults.
class PropertyFile final : public IniReader {
public:
    static PropertyFile Load(const std::wstring& path);
    bool Unreadable() const noexcept { return unreadable_; }
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        return text_.Read(section, key);
    }

private:
    IniText text_;
    bool unreadable_ = false;
};

// "<path> を読み込めません。上書きしません": the file could not be read and will not be written.
platform::Error CannotRead(const std::wstring& path);

// Writes every key into a copy of the file (keeping its other keys, sections,
// comments and attributes), flushes it to disk and replaces the file with it.
// A link is written through to its file. Where the folder refuses the copy,
// the file itself is written over. When anything fails, the file stays as it
// was and the error "<path> に書き込めません" is thrown.
void SavePropertyFile(const std::wstring& path, const Settings& settings);

}  // namespace settings
