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
#include <map>
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
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1A';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// An INI file in memory that hands values over as GetPrivateProfileStringA
// does: names match without regard to case, the first of two equal keys
// counts, blanks around a value and one pair of enclosing quotes are dropped,
// and at most 2047 characters arrive.
class MemoryIni final : public settings::IniReader, public settings::IniWriter {
public:
    MemoryIni() = default;

    // Lines end at CR, LF or NUL: no value can hold one.
    explicit MemoryIni(std::string_view text) {
        std::string section;
        while (!text.empty()) {
            std::size_t end = 0;
            while (end < text.size() && !IsLineEnd(text[end])) ++end;
            const std::string_view line = TrimBlanks(text.substr(0, end));
            text.remove_prefix(std::min(text.size(), end + 1));
            const std::size_t close = line.rfind(']');
            const std::size_t equals = line.find('=');
            if (!line.empty() && line.front() == '[' && close != std::string_view::npos) {
                section = Lower(TrimBlanks(line.substr(1, close - 1)));
            } else if (equals != std::string_view::npos) {
                values_.emplace(std::make_pair(section, Lower(TrimBlanks(line.substr(0, equals)))),
                                std::string(line.substr(equals + 1)));
            }
        }
    }

    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        const auto found = values_.find({Lower(section), Lower(key)});
        if (found == values_.end()) return std::nullopt;
        std::string_view value = TrimBlanks(found->second);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value.substr(0, 2047));
    }

    // A value with a line end would break its line in a real file.
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        Check(std::none_of(value.begin(), value.end(), IsLineEnd));
        values_[{Lower(section), Lower(key)}] = std::string(value);
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
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
    const MemoryIni file(input.ConsumeRemainingBytesAsString());

    Check(settings::ReadLanguageFileKey(file).size() <= 2047);
    const settings::StoredSettings loaded = settings::ReadSettings(file, defaults);
    Check(loaded.maxClipCount >= 1 && loaded.maxClipCount <= 50);
    Check(loaded.width >= defaults.minWidth && loaded.height >= defaults.minHeight);
    Check(loaded.clipFontCharset >= 0 && loaded.clipFontCharset <= 255);

    MemoryIni saved;
    settings::WriteSettings(saved, loaded);
    Check(settings::ReadSettings(saved, defaults) == loaded);
    Check(!saved.Read("property", "LanguageFile"));  // read at start-up only, never written
    return 0;
}
