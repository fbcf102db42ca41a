#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/Error.h"
#include "settings/SettingsFile.h"

namespace {

using platform::Position;
using platform::WorkArea;
using settings::ReadSettings;
using settings::Settings;

// Holds values as the private-profile functions would hand them over, and
// keeps every write in the order it came.
class MemoryIni final : public settings::IniReader, public settings::IniWriter {
public:
    void Set(const std::string& section, const std::string& key, const std::string& value) {
        values_[{section, key}] = value;
    }
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        const auto found = values_.find({std::string(section), std::string(key)});
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        writes_.emplace_back(std::string(section) + "/" + std::string(key));
        Set(std::string(section), std::string(key), std::string(value));
    }
    const std::vector<std::string>& Writes() const { return writes_; }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
    std::vector<std::string> writes_;
};

const WorkArea kPrimary{0, 0, 1920, 1040};

settings::SettingsDefaults Defaults() {
    settings::SettingsDefaults at;
    at.primaryWorkArea = kPrimary;
    at.workAreas = {kPrimary, {1920, 0, 3200, 1024}};
    at.width = 300;  // the built 288 by 363, as a larger font left it
    at.height = 380;
    at.minWidth = 288;
    at.minHeight = 363;
    at.fontName = "Tahoma";
    at.fontSize = 8;
    at.fontCharset = 128;
    at.timeFormat = "hh:mm ss";
    return at;
}

Settings Load(const std::vector<std::pair<std::string, std::string>>& lines) {
    MemoryIni ini;
    for (const auto& [path, value] : lines) {
        const auto slash = path.find('/');
        ini.Set(path.substr(0, slash), path.substr(slash + 1), value);
    }
    return ReadSettings(ini, Defaults());
}

TEST(SettingsFile, EmptyFileGivesTheDefaults) {
    const MemoryIni empty;
    const Settings expected{
        .left = 1920 - 300, .top = 1040 - 380, .width = 300, .height = 380,  // in the work area's corner
        .road = {.maxClipCount = 3, .ignoreLargeText = true, .sizeOfText = 1000, .countDown = 120},
        .clipWidth = 200, .maxHeight = 120,
        .clipFont = "Tahoma", .clipFontSize = 8, .clipFontCharset = 128, .scrollBarVertical = true,
        .standardColor = static_cast<std::int32_t>(0xFF000005), .fixedColor = static_cast<std::int32_t>(0xFF000018),
        .standardTextColor = static_cast<std::int32_t>(0xFF000008),
        .fixedTextColor = static_cast<std::int32_t>(0xFF000017), .timeFormat = "hh:mm ss",
        .loadLanguage = false, .loadFile = ""};
    EXPECT_EQ(ReadSettings(empty, Defaults()), expected);
    EXPECT_EQ(settings::ReadLanguageFileKey(empty), "Default.lng");
}

TEST(SettingsFile, ValueEncodings) {
    MemoryIni ini;
    const auto boolOf = [&](const char* text, bool fallback) {
        ini.Set("s", "k", text);
        return settings::ReadIniBool(ini, "s", "k", fallback);
    };
    EXPECT_TRUE(boolOf("yes", true));  // unreadable: the default
    EXPECT_FALSE(boolOf("yes", false));
    EXPECT_TRUE(boolOf("2", false));
    EXPECT_FALSE(boolOf("0x0", true));
    EXPECT_TRUE(boolOf("", true));

    const Settings s = Load({{"ClipWindow/StandardColor", "$FF"},
                                   {"ClipWindow/FixedColor", "0xFF"},
                                   {"ClipWindow/StandardTextColor", "-16777211"},
                                   {"ClipWindow/FixedTextColor", "99999999999"},
                                   {"property/SizeOfText", ""},
                                   {"ClipWindow/TimeFormat", ""},
                                   {"ClipText/ClipFont", "MS Gothic"}});
    EXPECT_EQ(s.standardColor, 255);  // pure red
    EXPECT_EQ(s.fixedColor, 255);
    EXPECT_EQ(s.standardTextColor, static_cast<std::int32_t>(0xFF000005));
    EXPECT_EQ(s.fixedTextColor, static_cast<std::int32_t>(0xFF000017));  // beyond 32 bits: the default
    EXPECT_EQ(s.road.sizeOfText, 1000);
    EXPECT_EQ(s.timeFormat, "");  // an empty text is a text
    EXPECT_EQ(s.clipFont, "MS Gothic");
}

TEST(SettingsFile, LoadedValuesAreHeldToTheirRanges) {
    const Settings low = Load({{"property/MaxClipCount", "0"},
                                     {"property/CountDown", "-5"},
                                     {"ClipText/LeftMargin", "-3"},
                                     {"Main/Width", "100"},
                                     {"Main/Height", "-1"},
                                     {"Main/ActivePage", "7"},
                                     {"ClipText/ClipFontCharset", "256"}});
    EXPECT_EQ(low.road.maxClipCount, 1);
    EXPECT_EQ(low.road.countDown, -5);
    EXPECT_EQ(low.leftMargin, -3);
    EXPECT_EQ(low.width, 288);
    EXPECT_EQ(low.height, 363);
    EXPECT_EQ(low.activePage, 7);         // the window keeps its built page
    EXPECT_EQ(low.clipFontCharset, 128);  // no character set: the default

    const Settings high = Load({{"property/MaxClipCount", "80"}, {"ClipText/ClipFontCharset", "0"}});
    EXPECT_EQ(high.road.maxClipCount, 50);
    EXPECT_EQ(high.clipFontCharset, 0);
}

// Off every default, at the edges of what the file may hold.
Settings Unusual() {
    return {.activePage = 3, .left = 2000, .top = 10, .width = 400, .height = 500,  // on the second monitor
            .road = {.maxClipCount = 50, .ignoreLargeText = false, .sizeOfText = 2147483647,
                     .closeClipTimer = true, .countDown = -5, .doubleCopy = true},
            .clipWidth = -7, .maxHeight = 0, .hideGradually = true,
            .clipFont = "MS UI Gothic", .clipFontSize = 12, .clipFontCharset = 255, .scrollBarVertical = false,
            .leftMargin = -3, .rightMargin = 70000,
            .standardColor = 255, .fixedColor = static_cast<std::int32_t>(0x80000000),
            .standardTextColor = 0x1FFFFFFF, .fixedTextColor = 0x00FF8000, .timeFormat = "'at' hh:mm 'h'",
            .loadLanguage = true, .loadFile = "Japanese.lng"};
}

TEST(SettingsFile, SaveWritesEveryKeyOnceInOrderAndLoadsBackTheSame) {
    MemoryIni ini;
    const Settings saved = Unusual();
    settings::WriteSettings(ini, saved);
    const std::vector<std::string> order{
        "Main/ActivePage",         "Main/Left",
        "Main/Top",                "Main/Width",
        "Main/Height",             "property/MaxClipCount",
        "property/Width",          "property/MaxHeight",
        "property/IgnoreLargeText", "property/SizeOfText",
        "property/CloseClipTimer", "property/CountDown",
        "property/HideGradually",  "property/DoubleCopy",
        "ClipText/ClipFont",       "ClipText/ClipFontSize",
        "ClipText/ClipFontCharset", "ClipText/ScrollBar",
        "ClipText/LeftMargin",     "ClipText/RightMargin",
        "ClipWindow/StandardColor", "ClipWindow/FixedColor",
        "ClipWindow/StandardTextColor", "ClipWindow/FixedTextColor",
        "ClipWindow/TimeFormat",   "Other/LoadLanguage",
        "Other/LoadFile"};
    EXPECT_EQ(ini.Writes(), order);  // property/LanguageFile is never written
    EXPECT_EQ(ini.Read("ClipWindow", "FixedColor"), "-2147483648");
    EXPECT_EQ(ini.Read("property", "DoubleCopy"), "1");
    EXPECT_EQ(ini.Read("ClipText", "ScrollBar"), "0");
    EXPECT_EQ(ini.Read("ClipWindow", "TimeFormat"), "\"'at' hh:mm 'h'\"");

    // The fake reader does not drop quotes, so the quoted picture is taken
    // back as the reader would hand it over.
    ini.Set("ClipWindow", "TimeFormat", saved.timeFormat);
    EXPECT_EQ(ReadSettings(ini, Defaults()), saved);
}

TEST(SettingsFile, TextsTheReaderWouldChangeAreQuoted) {
    const auto written = [](std::string text) {
        Settings s = Unusual();
        s.timeFormat = std::move(text);
        MemoryIni ini;
        settings::WriteSettings(ini, s);
        return ini.Read("ClipWindow", "TimeFormat").value();
    };
    EXPECT_EQ(written("hh:mm ss"), "hh:mm ss");
    EXPECT_EQ(written("'at' hh:mm"), "\"'at' hh:mm\"");
    EXPECT_EQ(written(" hh:mm"), "\" hh:mm\"");
    EXPECT_EQ(written("hh:mm\t"), "\"hh:mm\t\"");
    EXPECT_EQ(written("\""), "\"\"\"");
    EXPECT_EQ(written(""), "");
}

TEST(SettingsFile, WindowWhollyOffScreenReturnsToTheCorner) {
    const std::vector<WorkArea> areas{kPrimary, {-1280, 0, 0, 1024}};
    // Left of the second monitor by one pixel: nothing shows.
    EXPECT_EQ(settings::PlaceOnScreen({-1580, 100, 300, 380}, areas, kPrimary), (Position{1620, 660}));
    // Below every work area; the corner goes by the window's own size.
    EXPECT_EQ(settings::PlaceOnScreen({100, 1040, 400, 500}, areas, kPrimary), (Position{1520, 540}));
    // Partly on the second monitor: kept.
    EXPECT_EQ(settings::PlaceOnScreen({-1579, -379, 300, 380}, areas, kPrimary), (Position{-1579, -379}));
    // The primary work area counts when the list is empty.
    EXPECT_EQ(settings::PlaceOnScreen({1919, 1039, 300, 380}, {}, kPrimary), (Position{1919, 1039}));

    const Settings lost = Load({{"Main/Left", "-5000"}, {"Main/Top", "20"}});
    EXPECT_EQ(lost.left, 1920 - 300);
    EXPECT_EQ(lost.top, 1040 - 380);
    const Settings extreme = Load({{"Main/Left", "2147483647"}, {"Main/Width", "2147483647"}});
    EXPECT_EQ(extreme.left, 1920 - 2147483647);
}

}  // namespace

namespace {

TEST(SettingsFile, OnlyPlainFileNamesFromTheFileAreTaken) {
    const struct {
        const wchar_t* name;
        bool plain;
    } cases[] = {
        {L"Deutsch.lng", true},         {L"Ünïcödé 設定.lng", true}, {L"..lng", true},
        {L"", false},                   {L"..", false},              {L". .", false},
        {L"..\\Deutsch.lng", false},    {L"lang/Deutsch.lng", false}, {L"C:Deutsch.lng", false},
        {L"C:\\Deutsch.lng", false},    {L"\\\\server\\x.lng", false}, {L"x.lng:stream", false},
        {L"*.lng", false},              {L"a\tb.lng", false},
    };
    for (const auto& c : cases) EXPECT_EQ(settings::IsPlainFileName(c.name), c.plain) << platform::ToUtf8(c.name);
}

}  // namespace
