// A hand-edited property.ini and arbitrary start-up facts: the load must hold
// its values to their ranges, and what the save writes must load again to the
// same settings, so a close of the program never changes what it read.
//
// Input: the default font name and time picture, each ended by a backslash and
// one more byte, then the file's text; the defaults' numbers come from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "settings/SettingsFile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// The file as the program reads it and writes into it. A value with a line
// end would break its line.
class CheckedIni final : public settings::IniReader, public settings::IniWriter {
public:
    explicit CheckedIni(std::string bytes) : text_(std::move(bytes)) {}
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        return text_.Read(section, key);
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        Check(std::none_of(value.begin(), value.end(), IsLineEnd));
        text_.Write(section, key, value);
    }

private:
    settings::IniText text_;
};

platform::WorkArea ConsumeArea(FuzzedDataProvider& input) {
    platform::WorkArea area;
    area.left = input.ConsumeIntegral<int>();
    area.top = input.ConsumeIntegral<int>();
    area.right = input.ConsumeIntegral<int>();
    area.bottom = input.ConsumeIntegral<int>();
    return area;
}

// The font name and the time-format box's text come from controls, which
// hold no line ends either.
std::string ConsumeControlText(FuzzedDataProvider& input) {
    std::string text = input.ConsumeRandomLengthString(256);
    text.erase(std::remove_if(text.begin(), text.end(), IsLineEnd), text.end());
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);

    settings::SettingsDefaults defaults;
    defaults.primaryWorkArea = ConsumeArea(input);
    for (int count = input.ConsumeIntegralInRange(0, 3); count > 0; --count) {
        defaults.workAreas.push_back(ConsumeArea(input));
    }
    defaults.width = input.ConsumeIntegral<int>();
    defaults.height = input.ConsumeIntegral<int>();
    defaults.minWidth = input.ConsumeIntegral<int>();
    defaults.minHeight = input.ConsumeIntegral<int>();
    defaults.fontSize = input.ConsumeIntegral<int>();
    defaults.fontCharset = input.ConsumeIntegralInRange(0, 255);  // a font's character set is one byte
    defaults.fontName = ConsumeControlText(input);
    defaults.timeFormat = ConsumeControlText(input);
    CheckedIni file(input.ConsumeRemainingBytesAsString());

    Check(settings::ReadLanguageFileKey(file).size() <= 2047);
    const settings::Settings loaded = settings::ReadSettings(file, defaults);
    Check(loaded.road.maxClipCount >= 1 && loaded.road.maxClipCount <= 50);
    Check(loaded.width >= defaults.minWidth && loaded.height >= defaults.minHeight);
    Check(loaded.clipFontCharset >= 0 && loaded.clipFontCharset <= 255);

    // Saved into the file it came from, as the program saves, and into a new one.
    const std::optional<std::string> languageFile = file.Read("property", "LanguageFile");
    settings::WriteSettings(file, loaded);
    Check(settings::ReadSettings(file, defaults) == loaded);
    Check(file.Read("property", "LanguageFile") == languageFile);  // read at start-up only, never written
    CheckedIni saved("");
    settings::WriteSettings(saved, loaded);
    Check(settings::ReadSettings(saved, defaults) == loaded);
    Check(!saved.Read("property", "LanguageFile"));
    return 0;
}
