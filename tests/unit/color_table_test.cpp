// The colour picker's built-in table and the kana conversion of its names.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "widgets/ColorTable.h"
#include "widgets/Kana.h"

namespace {

using widgets::BuiltInGroup;
using widgets::ColorGroup;

// Bytes the text takes in code page 932: ASCII and the half-width katakana
// block take one byte, every other character two. Characters outside the
// code page fail the check.
int Cp932Bytes(const std::wstring& text) {
    int bytes = 0;
    for (const wchar_t ch : text) {
        if (ch < 0x80 || (ch >= 0xFF61 && ch <= 0xFF9F)) bytes += 1;
        else if ((ch >= 0x3000 && ch <= 0x30FF) || (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= 0xFF01 && ch <= 0xFF60))
            bytes += 2;
        else
            return 1000;
    }
    return bytes;
}

bool HasFullWidthKatakana(const std::wstring& text) {
    for (const wchar_t ch : text) {
        if (ch >= 0x30A1 && ch <= 0x30FA) return true;
    }
    return false;
}

std::string Lower(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) out += static_cast<char>(*text >= L'A' && *text <= L'Z' ? *text - L'A' + L'a' : *text);
    return out;
}

// The named colours of the CSS Color Module, as #rrggbb.
const std::map<std::string, std::string>& CssColors() {
    static const std::map<std::string, std::string> colors = [] {
        std::map<std::string, std::string> table;
        const char* const lines[] = {
            "aliceblue f0f8ff", "antiquewhite faebd7", "aqua 00ffff", "aquamarine 7fffd4", "azure f0ffff",
            "beige f5f5dc", "bisque ffe4c4", "black 000000", "blanchedalmond ffebcd", "blue 0000ff",
            "blueviolet 8a2be2", "brown a52a2a", "burlywood deb887", "cadetblue 5f9ea0", "chartreuse 7fff00",
            "chocolate d2691e", "coral ff7f50", "cornflowerblue 6495ed", "cornsilk fff8dc", "crimson dc143c",
            "cyan 00ffff", "darkblue 00008b", "darkcyan 008b8b", "darkgoldenrod b8860b", "darkgray a9a9a9",
            "darkgreen 006400", "darkgrey a9a9a9", "darkkhaki bdb76b", "darkmagenta 8b008b",
            "darkolivegreen 556b2f", "darkorange ff8c00", "darkorchid 9932cc", "darkred 8b0000",
            "darksalmon e9967a", "darkseagreen 8fbc8f", "darkslateblue 483d8b", "darkslategray 2f4f4f",
            "darkslategrey 2f4f4f", "darkturquoise 00ced1", "darkviolet 9400d3", "deeppink ff1493",
            "deepskyblue 00bfff", "dimgray 696969", "dimgrey 696969", "dodgerblue 1e90ff", "firebrick b22222",
            "floralwhite fffaf0", "forestgreen 228b22", "fuchsia ff00ff", "gainsboro dcdcdc",
            "ghostwhite f8f8ff", "gold ffd700", "goldenrod daa520", "gray 808080", "green 008000",
            "greenyellow adff2f", "grey 808080", "honeydew f0fff0", "hotpink ff69b4", "indianred cd5c5c",
            "indigo 4b0082", "ivory fffff0", "khaki f0e68c", "lavender e6e6fa", "lavenderblush fff0f5",
            "lawngreen 7cfc00", "lemonchiffon fffacd", "lightblue add8e6", "lightcoral f08080",
            "lightcyan e0ffff", "lightgoldenrodyellow fafad2", "lightgray d3d3d3", "lightgreen 90ee90",
            "lightgrey d3d3d3", "lightpink ffb6c1", "lightsalmon ffa07a", "lightseagreen 20b2aa",
            "lightskyblue 87cefa", "lightslategray 778899", "lightslategrey 778899", "lightsteelblue b0c4de",
            "lightyellow ffffe0", "lime 00ff00", "limegreen 32cd32", "linen faf0e6", "magenta ff00ff",
            "maroon 800000", "mediumaquamarine 66cdaa", "mediumblue 0000cd", "mediumorchid ba55d3",
            "mediumpurple 9370db", "mediumseagreen 3cb371", "mediumslateblue 7b68ee",
            "mediumspringgreen 00fa9a", "mediumturquoise 48d1cc", "mediumvioletred c71585",
            "midnightblue 191970", "mintcream f5fffa", "mistyrose ffe4e1", "moccasin ffe4b5",
            "navajowhite ffdead", "navy 000080", "oldlace fdf5e6", "olive 808000", "olivedrab 6b8e23",
            "orange ffa500", "orangered ff4500", "orchid da70d6", "palegoldenrod eee8aa", "palegreen 98fb98",
            "paleturquoise afeeee", "palevioletred db7093", "papayawhip ffefd5", "peachpuff ffdab9",
            "peru cd853f", "pink ffc0cb", "plum dda0dd", "powderblue b0e0e6", "purple 800080",
            "rebeccapurple 663399", "red ff0000", "rosybrown bc8f8f", "royalblue 4169e1",
            "saddlebrown 8b4513", "salmon fa8072", "sandybrown f4a460", "seagreen 2e8b57", "seashell fff5ee",
            "sienna a0522d", "silver c0c0c0", "skyblue 87ceeb", "slateblue 6a5acd", "slategray 708090",
            "slategrey 708090", "snow fffafa", "springgreen 00ff7f", "steelblue 4682b4", "tan d2b48c",
            "teal 008080", "thistle d8bfd8", "tomato ff6347", "turquoise 40e0d0", "violet ee82ee",
            "wheat f5deb3", "white ffffff", "whitesmoke f5f5f5", "yellow ffff00", "yellowgreen 9acd32",
        };
        for (const char* line : lines) {
            const std::string text(line);
            const auto space = text.find(' ');
            table.emplace(text.substr(0, space), text.substr(space + 1));
        }
        return table;
    }();
    return colors;
}

ui::ColorValue FromCssHex(const std::string& hex) {
    unsigned r = 0, g = 0, b = 0;
    EXPECT_EQ(std::sscanf(hex.c_str(), "%2x%2x%2x", &r, &g, &b), 3) << hex;
    return ui::Rgb(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

TEST(ColorTable, GroupsHaveTheirSizesAndEnds) {
    EXPECT_EQ(BuiltInGroup(ColorGroup::Default).size(), 1u);
    EXPECT_EQ(BuiltInGroup(ColorGroup::Basic).size(), 16u);
    EXPECT_EQ(BuiltInGroup(ColorGroup::System).size(), 25u);
    EXPECT_EQ(BuiltInGroup(ColorGroup::Extra).size(), 129u);
    EXPECT_EQ(BuiltInGroup(ColorGroup::Custom).size(), 1u);
    EXPECT_TRUE(BuiltInGroup(ColorGroup::User).empty());

    EXPECT_EQ(BuiltInGroup(ColorGroup::Default)[0].value, ui::kColorDefault);
    EXPECT_EQ(BuiltInGroup(ColorGroup::Custom)[0].value, ui::kColorNone);
    EXPECT_EQ(std::wstring(BuiltInGroup(ColorGroup::Extra)[0].english), L"AliceBlue");
    EXPECT_EQ(std::wstring(BuiltInGroup(ColorGroup::Extra)[0].japanese), L"ｱﾘｽﾌﾞﾙｰ");
    EXPECT_EQ(std::wstring(BuiltInGroup(ColorGroup::Extra)[128].japanese), L"黄緑");
}

TEST(ColorTable, BasicAndSystemColoursInTheirOrder) {
    const std::wstring basicNames[] = {L"Black", L"Red",    L"Lime",  L"Yellow", L"Blue",  L"Magenta",
                                       L"Cyan",  L"Silver", L"Gray",  L"Maroon", L"Green", L"Olive",
                                       L"Navy",  L"Purple", L"Teal",  L"White"};
    const auto basic = BuiltInGroup(ColorGroup::Basic);
    for (std::size_t i = 0; i < basic.size(); ++i) {
        EXPECT_EQ(basic[i].english, basicNames[i]);
        const auto css = CssColors().find(Lower(basic[i].english));
        ASSERT_NE(css, CssColors().end()) << basic[i].english;
        EXPECT_EQ(basic[i].value, FromCssHex(css->second)) << basic[i].english;
    }
    const int systemNumbers[] = {0, 1, 12, 5, 2, 9, 10, 3, 19, 11, 4, 7, 6, 8, 13, 14, 17, 20, 22, 15, 16, 21, 18, 23, 24};
    const auto system = BuiltInGroup(ColorGroup::System);
    for (std::size_t i = 0; i < system.size(); ++i) {
        EXPECT_EQ(static_cast<std::uint32_t>(system[i].value), 0xFF000000u + static_cast<unsigned>(systemNumbers[i]))
            << system[i].english;
    }
    EXPECT_EQ(std::wstring(system[3].english), L"Window");
    EXPECT_EQ(std::wstring(system[24].english), L"InfoBack");
}

TEST(ColorTable, ExtraColoursTakeTheCssValuesExceptTheFourteenOwnRows) {
    const std::map<std::wstring, ui::ColorValue> own = {
        {L"Brass", widgets::FromRgbHex(0xB5A642)},         {L"Brawn", widgets::FromRgbHex(0xA52A2A)},
        {L"CoolCopper", widgets::FromRgbHex(0xBFBFDF)},    {L"Copper", widgets::FromRgbHex(0xBF00DF)},
        {L"CornFlower", widgets::FromRgbHex(0xBFEFDF)},    {L"CornFlowerBlue", widgets::FromRgbHex(0x6090EF)},
        {L"DarkBrown", widgets::FromRgbHex(0xDA0B00)},     {L"DarkSeaGreen", widgets::FromRgbHex(0x8FBC8B)},
        {L"Feldsper", widgets::FromRgbHex(0xFED0E0)},      {L"InidianRed", widgets::FromRgbHex(0xCD5C5C)},
        {L"MediumSlateBlue", widgets::FromRgbHex(0x0E00B0)}, {L"NavajoWhite", widgets::FromRgbHex(0xADDEFF)},
        {L"RichBlue", widgets::FromRgbHex(0x0CB0E0)},      {L"SeaGreen", widgets::FromRgbHex(0x578B2E)},
    };
    int standard = 0;
    std::set<std::wstring> names;
    for (const auto& entry : BuiltInGroup(ColorGroup::Extra)) {
        EXPECT_TRUE(names.insert(entry.english).second) << "twice: " << Lower(entry.english);
        if (const auto row = own.find(entry.english); row != own.end()) {
            EXPECT_EQ(entry.value, row->second) << Lower(entry.english);
            continue;
        }
        ++standard;
        const auto css = CssColors().find(Lower(entry.english));
        ASSERT_NE(css, CssColors().end()) << "not a CSS colour: " << Lower(entry.english);
        EXPECT_EQ(entry.value, FromCssHex(css->second)) << Lower(entry.english);
    }
    EXPECT_EQ(standard, 115);
    EXPECT_EQ(std::wstring(BuiltInGroup(ColorGroup::Extra)[8].english), L"Brass");
    EXPECT_EQ(std::wstring(BuiltInGroup(ColorGroup::Extra)[112].english), L"SeaGreen");
    EXPECT_EQ(std::wstring(BuiltInGroup(ColorGroup::Extra)[112].japanese), L"海色");
}

TEST(ColorTable, EveryTextFitsTheNameLimits) {
    for (const auto group : {ColorGroup::Default, ColorGroup::Basic, ColorGroup::System, ColorGroup::Extra,
                             ColorGroup::Custom}) {
        for (const auto& entry : BuiltInGroup(group)) {
            const std::wstring japanese(entry.japanese);
            EXPECT_FALSE(japanese.empty()) << Lower(entry.english);
            EXPECT_LE(Cp932Bytes(japanese), 22) << Lower(entry.english);
            EXPECT_FALSE(HasFullWidthKatakana(japanese)) << "kana are stored half-width: " << Lower(entry.english);
            EXPECT_LE(std::wstring(entry.english).size(), 22u) << Lower(entry.english);
        }
    }
    EXPECT_EQ(Cp932Bytes(L"非ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳ境界"), 18);
    EXPECT_EQ(Cp932Bytes(L"ﾔｸﾞﾙﾏｷﾞｸの青"), 12);
}

TEST(Kana, HalfWidthBecomesFullWidthWithVoicedMarksCombined) {
    EXPECT_EQ(widgets::ToFullWidthKana(L"ﾏｾﾞﾝﾀ"), L"マゼンタ");
    EXPECT_EQ(widgets::ToFullWidthKana(L"(ｶｽﾀﾑ)"), L"(カスタム)");
    EXPECT_EQ(widgets::ToFullWidthKana(L"ﾎﾞﾀﾝ強調"), L"ボタン強調");
    EXPECT_EQ(widgets::ToFullWidthKana(L"ｳﾞｨﾝﾄﾞｳ"), L"ウ゛ィンドウ") << "ｳ takes no voiced mark";
    EXPECT_EQ(widgets::ToFullWidthKana(L"ﾏﾞﾊﾟｱﾟﾟ"), L"マ゛パア゜゜");
    EXPECT_EQ(widgets::ToFullWidthKana(L"ﾞﾄﾞﾞ"), L"゛ド゛") << "a mark combines once";
    EXPECT_EQ(widgets::ToFullWidthKana(L"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"),
              L"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ");
    EXPECT_EQ(widgets::ToFullWidthKana(L"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ"),
              L"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
    EXPECT_EQ(widgets::ToFullWidthKana(L"Lime 緑 ガ"), L"Lime 緑 ガ");
    EXPECT_EQ(widgets::ToFullWidthKana(L""), L"");
}

}  // namespace
