#pragma once
// "property.ini": which keys hold which settings, how each value is written and
// read back, the defaults of a missing or unreadable value, and the ranges a
// loaded value is held to. The private-profile calls themselves stay on the
// Windows side, behind IniReader and IniWriter.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProfileText.h"
#include "platform/ScreenGeometry.h"
#include "settings/Settings.h"

namespace settings {

// A value as the private-profile functions hand it over: blanks around it and
// one pair of enclosing quotes already dropped, at most 2047 characters.
// Nothing when the key (or its section, or the file) is missing.
class IniReader {
public:
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) const = 0;

protected:
    ~IniReader() = default;
};

class IniWriter {
public:
    // Throws when the value cannot be written.
    virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;

protected:
    ~IniWriter() = default;
};

// A file's text, read and written as the private-profile functions do
// (platform::ProfileText); a value is cut to 2047 characters, as they hand it over.
class IniText final : public IniReader, public IniWriter {
public:
    explicit IniText(std::string bytes = {}) : text_(std::move(bytes)) {}
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
    void Write(std::string_view section, std::string_view key, std::string_view value) override;
    const std::string& Bytes() const noexcept { return text_.Bytes(); }

private:
    platform::ProfileText text_;
};

// Whole numbers as ParseInteger reads them; missing or unreadable gives fallback.
int ReadIniInteger(const IniReader& reader, std::string_view section, std::string_view key, int fallback);
// Read as a whole number, then anything but 0 is true; unreadable gives fallback.
bool ReadIniBool(const IniReader& reader, std::string_view section, std::string_view key, bool fallback);
// Missing gives fallback; a key present with an empty value gives "".
std::string ReadIniString(const IniReader& reader, std::string_view section, std::string_view key,
                          std::string fallback);

// The facts some defaults are taken from, as they stand when the load runs,
// that is after property/LanguageFile was applied.
struct SettingsDefaults {
    platform::WorkArea primaryWorkArea;
    std::vector<platform::WorkArea> workAreas;  // every monitor's
    int width = 0;  // the settings window's outer size now
    int height = 0;
    int minWidth = 0;  // and its minimum
    int minHeight = 0;
    std::string fontName;  // the settings window's font
    int fontSize = 0;
    int fontCharset = 0;
    std::string timeFormat;  // the time-format box's text
};

// Whether a name from the file (LanguageFile, LoadFile) is a plain file name,
// as a listing of the folder gives: no folder, drive, colon, wildcard or
// control character, and not one made only of dots and blanks ("..").
// Appended to the program's folder, it names a file in that folder only.
bool IsPlainFileName(std::wstring_view name) noexcept;

// property/LanguageFile, "Default.lng" when missing. It is read before the
// other keys and never written.
std::string ReadLanguageFileKey(const IniReader& reader);

// Every key with its default, held to its range. A stored position that would
// leave the window wholly off screen is replaced, as PlaceOnScreen says.
Settings ReadSettings(const IniReader& reader, const SettingsDefaults& defaults);

// Writes every key except property/LanguageFile, section by section: whole
// numbers in signed decimal, booleans as "1" and "0". A text that the reading
// rule would change (blanks or Ctrl+Z at either end, a quote at either end) is written
// inside double quotes, so that it reads back as it was. A failed write stops
// the save; the keys after it keep what the file held.
void WriteSettings(IniWriter& writer, const Settings& settings);

// Where the window goes. It keeps its position while any part of it lies in
// one of the work areas (the primary one counts whether listed or not), so a
// monitor that was unplugged or a hand-edited position cannot lose it off
// screen; otherwise its bottom-right corner meets the primary work area's.
platform::Position PlaceOnScreen(const platform::WindowRect& window,
                                 std::span<const platform::WorkArea> workAreas,
                                 const platform::WorkArea& primaryWorkArea) noexcept;

}  // namespace settings
