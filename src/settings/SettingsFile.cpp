#include "settings/SettingsFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>
#include <variant>

#include "settings/IntegerText.h"

namespace settings {

namespace {

// Colours share the whole-number encoding and so the integer column of the key table.
static_assert(std::is_same_v<ui::ColorValue, int>);

// A key's value: a member of the settings, or of the part the road reads.
using Field = std::variant<int Settings::*, bool Settings::*, std::string Settings::*, int clipboard::RoadSettings::*,
                           bool clipboard::RoadSettings::*>;

template <typename T>
T& Value(Settings& settings, T Settings::*member) {
    return settings.*member;
}
template <typename T>
T& Value(Settings& settings, T clipboard::RoadSettings::*member) {
    return settings.road.*member;
}
template <typename T>
const T& Value(const Settings& settings, T Settings::*member) {
    return settings.*member;
}
template <typename T>
const T& Value(const Settings& settings, T clipboard::RoadSettings::*member) {
    return settings.road.*member;
}

struct Key {
    std::string_view section;
    std::string_view name;
    Field field;
};

// The one list of written keys, in the order of the save; the load reads them
// in the same order. "Width" stands twice, for two different widths.
const std::array<Key, 27> kKeys{{
    {"Main", "ActivePage", &Settings::activePage},
    {"Main", "Left", &Settings::left},
    {"Main", "Top", &Settings::top},
    {"Main", "Width", &Settings::width},
    {"Main", "Height", &Settings::height},
    {"property", "MaxClipCount", &clipboard::RoadSettings::maxClipCount},
    {"property", "Width", &Settings::clipWidth},
    {"property", "MaxHeight", &Settings::maxHeight},
    {"property", "IgnoreLargeText", &clipboard::RoadSettings::ignoreLargeText},
    {"property", "SizeOfText", &clipboard::RoadSettings::sizeOfText},
    {"property", "CloseClipTimer", &clipboard::RoadSettings::closeClipTimer},
    {"property", "CountDown", &clipboard::RoadSettings::countDown},
    {"property", "HideGradually", &Settings::hideGradually},
    {"property", "DoubleCopy", &clipboard::RoadSettings::doubleCopy},
    {"ClipText", "ClipFont", &Settings::clipFont},
    {"ClipText", "ClipFontSize", &Settings::clipFontSize},
    {"ClipText", "ClipFontCharset", &Settings::clipFontCharset},
    {"ClipText", "ScrollBar", &Settings::scrollBarVertical},
    {"ClipText", "LeftMargin", &Settings::leftMargin},
    {"ClipText", "RightMargin", &Settings::rightMargin},
    {"ClipWindow", "StandardColor", &Settings::standardColor},
    {"ClipWindow", "FixedColor", &Settings::fixedColor},
    {"ClipWindow", "StandardTextColor", &Settings::standardTextColor},
    {"ClipWindow", "FixedTextColor", &Settings::fixedTextColor},
    {"ClipWindow", "TimeFormat", &Settings::timeFormat},
    {"Other", "LoadLanguage", &Settings::loadLanguage},
    {"Other", "LoadFile", &Settings::loadFile},
}};

int ClampToInt(std::int64_t value) noexcept {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The spot where the window's bottom-right corner meets the area's.
platform::Position BottomRight(const platform::WorkArea& area, int width, int height) noexcept {
    return {ClampToInt(static_cast<std::int64_t>(area.right) - width),
            ClampToInt(static_cast<std::int64_t>(area.bottom) - height)};
}

bool Overlaps(const platform::WindowRect& window, const platform::WorkArea& area) noexcept {
    const std::int64_t right = static_cast<std::int64_t>(window.left) + window.width;
    const std::int64_t bottom = static_cast<std::int64_t>(window.top) + window.height;
    return window.left < area.right && area.left < right && window.top < area.bottom && area.top < bottom;
}

Settings DefaultSettings(const SettingsDefaults& at) {
    // The built values, but for those the program's state gives.
    Settings s;
    const platform::Position corner = BottomRight(at.primaryWorkArea, at.width, at.height);
    s.left = corner.left;
    s.top = corner.top;
    s.width = at.width;
    s.height = at.height;
    s.clipFont = at.fontName;
    s.clipFontSize = at.fontSize;
    s.clipFontCharset = at.fontCharset;
    s.timeFormat = at.timeFormat;
    return s;
}

int ReadValue(const IniReader& reader, const Key& key, int fallback) {
    return ReadIniInteger(reader, key.section, key.name, fallback);
}
bool ReadValue(const IniReader& reader, const Key& key, bool fallback) {
    return ReadIniBool(reader, key.section, key.name, fallback);
}
std::string ReadValue(const IniReader& reader, const Key& key, std::string fallback) {
    return ReadIniString(reader, key.section, key.name, std::move(fallback));
}

std::string ValueText(int value) { return std::to_string(value); }
std::string ValueText(bool value) { return value ? "1" : "0"; }

// The reading side drops blanks around a value and one pair of enclosing
// quotes; a time picture such as 'at' hh 'h' would lose its quotes and its
// meaning. Quoting such a text makes the reader drop only the quotes we add.
std::string ValueText(const std::string& text) {
    const auto changedByReading = [](char c) {
        // The reader also drops Ctrl+Z (end of file in old text files) at either end.
        return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A' || c == '"' || c == '\'';
    };
    if (text.empty() || (!changedByReading(text.front()) && !changedByReading(text.back()))) return text;
    return '"' + text + '"';
}

}  // namespace

std::optional<std::string> IniText::Read(std::string_view section, std::string_view key) const {
    constexpr std::size_t kLongestValue = 2047;
    std::optional<std::string> value = text_.Read(section, key);
    if (value && value->size() > kLongestValue) value->resize(kLongestValue);
    return value;
}

void IniText::Write(std::string_view section, std::string_view key, std::string_view value) {
    text_.Write(section, key, value);
}

int ReadIniInteger(const IniReader& reader, std::string_view section, std::string_view key, int fallback) {
    const std::optional<std::string> text = reader.Read(section, key);
    if (!text) return fallback;
    return ParseInteger(*text).value_or(fallback);
}

bool ReadIniBool(const IniReader& reader, std::string_view section, std::string_view key, bool fallback) {
    const std::optional<std::string> text = reader.Read(section, key);
    if (!text) return fallback;
    const std::optional<std::int32_t> value = ParseInteger(*text);
    return value ? *value != 0 : fallback;
}

std::string ReadIniString(const IniReader& reader, std::string_view section, std::string_view key,
                          std::string fallback) {
    std::optional<std::string> text = reader.Read(section, key);
    return text ? std::move(*text) : std::move(fallback);
}

bool IsPlainFileName(std::wstring_view name) noexcept {
    constexpr std::wstring_view kNotInNames = L"\\/:*?\"<>|";
    const bool forbidden = std::any_of(name.begin(), name.end(), [&](wchar_t c) {
        return c < L' ' || kNotInNames.find(c) != std::wstring_view::npos;
    });
    return !forbidden && name.find_first_not_of(L". ") != std::wstring_view::npos;
}

std::string ReadLanguageFileKey(const IniReader& reader) {
    return ReadIniString(reader, "property", "LanguageFile", "Default.lng");
}

Settings ReadSettings(const IniReader& reader, const SettingsDefaults& defaults) {
    // The defaults of Left and Top use the window's size before Width and
    // Height are read, so a first start puts it in the work area's corner.
    Settings s = DefaultSettings(defaults);
    for (const Key& key : kKeys) {
        std::visit([&](auto member) { Value(s, member) = ReadValue(reader, key, Value(s, member)); }, key.field);
    }

    s.width = std::max(s.width, defaults.minWidth);
    s.height = std::max(s.height, defaults.minHeight);
    s.road.maxClipCount = std::clamp(s.road.maxClipCount, kMinClipCount, kMaxClipCount);
    // A character set is one byte; a number beyond that names none and is
    // treated like any other unreadable value.
    if (s.clipFontCharset < 0 || s.clipFontCharset > 255) s.clipFontCharset = defaults.fontCharset;

    const platform::Position place =
        PlaceOnScreen({s.left, s.top, s.width, s.height}, defaults.workAreas, defaults.primaryWorkArea);
    s.left = place.left;
    s.top = place.top;
    return s;
}

void WriteSettings(IniWriter& writer, const Settings& settings) {
    for (const Key& key : kKeys) {
        std::visit([&](auto member) { writer.Write(key.section, key.name, ValueText(Value(settings, member))); },
                   key.field);
    }
}

platform::Position PlaceOnScreen(const platform::WindowRect& window,
                                 std::span<const platform::WorkArea> workAreas,
                                 const platform::WorkArea& primaryWorkArea) noexcept {
    const bool visible = Overlaps(window, primaryWorkArea) ||
                         std::any_of(workAreas.begin(), workAreas.end(),
                                     [&](const platform::WorkArea& area) { return Overlaps(window, area); });
    if (visible) return {window.left, window.top};
    return BottomRight(primaryWorkArea, window.width, window.height);
}

}  // namespace settings
