#include "widgets/ColorTable.h"

#include <array>

namespace widgets {

namespace {

constexpr ui::ColorValue Sys(int index) noexcept { return static_cast<ui::ColorValue>(0xFF000000u | index); }
constexpr ui::ColorValue Hex(std::uint32_t rrggbb) noexcept { return FromRgbHex(rrggbb); }

constexpr std::array<BuiltInColor, 1> kDefault{{
    {ui::kColorDefault, L"(Default)", L"色無し"},
}};

constexpr std::array<BuiltInColor, 16> kBasic{{
    {Hex(0x000000), L"Black", L"黒"},
    {Hex(0xFF0000), L"Red", L"赤"},
    {Hex(0x00FF00), L"Lime", L"ﾗｲﾑ"},
    {Hex(0xFFFF00), L"Yellow", L"黄"},
    {Hex(0x0000FF), L"Blue", L"青"},
    {Hex(0xFF00FF), L"Magenta", L"ﾏｾﾞﾝﾀ"},
    {Hex(0x00FFFF), L"Cyan", L"ｼｱﾝ"},
    {Hex(0xC0C0C0), L"Silver", L"銀"},
    {Hex(0x808080), L"Gray", L"灰"},
    {Hex(0x800000), L"Maroon", L"栗"},
    {Hex(0x008000), L"Green", L"緑"},
    {Hex(0x808000), L"Olive", L"ｵﾘｰﾌﾞ"},
    {Hex(0x000080), L"Navy", L"濃紺"},
    {Hex(0x800080), L"Purple", L"紫"},
    {Hex(0x008080), L"Teal", L"青緑"},
    {Hex(0xFFFFFF), L"White", L"白"},
}};

constexpr std::array<BuiltInColor, 25> kSystem{{
    {Sys(0), L"ScrollBar", L"ｽｸﾛｰﾙﾊﾞｰの色"},
    {Sys(1), L"Background", L"ﾃﾞｽｸﾄｯﾌﾟ背景"},
    {Sys(12), L"AppWorkSpace", L"作業領域"},
    {Sys(5), L"Window", L"ｳｨﾝﾄﾞｳ背景"},
    {Sys(2), L"ActiveCaption", L"ｱｸﾃｨﾌﾞﾀｲﾄﾙﾊﾞｰ"},
    {Sys(9), L"CaptionText", L"ｱｸﾃｨﾌﾞﾀｲﾄﾙ文字"},
    {Sys(10), L"ActiveBorder", L"ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳ境界"},
    {Sys(3), L"InactiveCaption", L"非ｱｸﾃｨﾌﾞﾀｲﾄﾙﾊﾞｰ"},
    {Sys(19), L"InactiveCaptionText", L"非ｱｸﾃｨﾌﾞﾀｲﾄﾙ文字"},
    {Sys(11), L"InactiveBorder", L"非ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳ境界"},
    {Sys(4), L"Menu", L"ﾒﾆｭｰ背景"},
    {Sys(7), L"MenuText", L"ﾒﾆｭｰ文字"},
    {Sys(6), L"WindowFrame", L"ｳｨﾝﾄﾞｳ枠"},
    {Sys(8), L"WindowText", L"ｳｨﾝﾄﾞｳ文字"},
    {Sys(13), L"Highlight", L"選択背景"},
    {Sys(14), L"HighlightText", L"選択文字"},
    {Sys(17), L"GrayText", L"淡色文字"},
    {Sys(20), L"ButtonHighlight", L"ﾎﾞﾀﾝ強調"},
    {Sys(22), L"3DLight", L"ﾎﾞﾀﾝ強調縁"},
    {Sys(15), L"ButtonFace", L"ﾎﾞﾀﾝ面"},
    {Sys(16), L"ButtonShadow", L"ﾎﾞﾀﾝ影"},
    {Sys(21), L"3DDarkShadow", L"ﾎﾞﾀﾝ暗影"},
    {Sys(18), L"ButtonText", L"ﾎﾞﾀﾝ文字"},
    {Sys(23), L"InfoText", L"ﾋﾝﾄ文字"},
    {Sys(24), L"InfoBack", L"ﾋﾝﾄ背景"},
}};

// Named colours of the web palette, except 14 rows whose names or values are
// our own (Brass, Brawn, CoolCopper, Copper, CornFlower, CornFlowerBlue,
// DarkBrown, DarkSeaGreen, Feldsper, InidianRed, MediumSlateBlue, NavajoWhite,
// RichBlue, SeaGreen); their odd spellings are kept, as settings may name them.
constexpr std::array<BuiltInColor, 129> kExtra{{
    {Hex(0xF0F8FF), L"AliceBlue", L"ｱﾘｽﾌﾞﾙｰ"},
    {Hex(0xFAEBD7), L"AntiqueWhite", L"ｱﾝﾃｨｰｸﾎﾜｲﾄ"},
    {Hex(0x7FFFD4), L"Aquamarine", L"ｱｸｱﾏﾘﾝ"},
    {Hex(0xF0FFFF), L"Azure", L"紺碧"},
    {Hex(0xF5F5DC), L"Beige", L"ﾍﾞｰｼﾞｭ"},
    {Hex(0xFFE4C4), L"Bisque", L"ﾋﾞｽｸ"},
    {Hex(0xFFEBCD), L"Blanchedalmond", L"湯むきｱｰﾓﾝﾄﾞ"},
    {Hex(0x8A2BE2), L"BlueViolet", L"青紫"},
    {Hex(0xB5A642), L"Brass", L"真鍮"},
    {Hex(0xA52A2A), L"Brawn", L"茶色"},
    {Hex(0xDEB887), L"Burlywood", L"ﾊﾞｰﾘｰｳｯﾄﾞ"},
    {Hex(0x5F9EA0), L"CadetBlue", L"ｶﾃﾞｯﾄﾌﾞﾙｰ"},
    {Hex(0x7FFF00), L"Chartreuse", L"ｼｬﾙﾄﾘｭｰｽﾞ"},
    {Hex(0xD2691E), L"Chocolate", L"ﾁｮｺﾚｰﾄ"},
    {Hex(0xBFBFDF), L"CoolCopper", L"冷却銅"},
    {Hex(0xBF00DF), L"Copper", L"銅"},
    {Hex(0xFF7F50), L"Coral", L"珊瑚色"},
    {Hex(0xBFEFDF), L"CornFlower", L"ﾔｸﾞﾙﾏｷﾞｸ"},
    {Hex(0x6090EF), L"CornFlowerBlue", L"ﾔｸﾞﾙﾏｷﾞｸの青"},
    {Hex(0xFFF8DC), L"CornSilk", L"ｺｰﾝｼﾙｸ"},
    {Hex(0xDC143C), L"Crimson", L"深紅"},
    {Hex(0x00008B), L"DarkBlue", L"暗い青"},
    {Hex(0xDA0B00), L"DarkBrown", L"暗い茶色"},
    {Hex(0x008B8B), L"DarkCyan", L"暗いｼｱﾝ"},
    {Hex(0xB8860B), L"DarkGoldenrod", L"暗いｺﾞｰﾙﾃﾞﾝﾛｯﾄﾞ"},
    {Hex(0xA9A9A9), L"DarkGray", L"暗い灰色"},
    {Hex(0x006400), L"DarkGreen", L"暗い緑"},
    {Hex(0xBDB76B), L"DarkKhaki", L"暗いｶｰｷ"},
    {Hex(0x8B008B), L"DarkMagenta", L"暗いﾏｾﾞﾝﾀ"},
    {Hex(0x556B2F), L"DarkOliveGreen", L"暗いｵﾘｰﾌﾞｸﾞﾘｰﾝ"},
    {Hex(0xFF8C00), L"DarkOrange", L"暗いｵﾚﾝｼﾞ"},
    {Hex(0x9932CC), L"DarkOrchid", L"暗いｵｰｷｯﾄﾞ"},
    {Hex(0x8B0000), L"DarkRed", L"暗い赤"},
    {Hex(0xE9967A), L"DarkSalmon", L"暗いｻｰﾓﾝ"},
    {Hex(0x8FBC8B), L"DarkSeaGreen", L"暗い海色"},
    {Hex(0x483D8B), L"DarkSlateBlue", L"暗い青石版"},
    {Hex(0x2F4F4F), L"DarkSlateGray", L"暗い灰石版"},
    {Hex(0x00CED1), L"DarkTurquoise", L"暗いﾀｰｺｲｽﾞ"},
    {Hex(0x9400D3), L"DarkViolet", L"暗いｽﾐﾚ色"},
    {Hex(0xFF1493), L"DeepPink", L"濃いﾋﾟﾝｸ"},
    {Hex(0x00BFFF), L"DeepSkyBlue", L"濃い空色"},
    {Hex(0x696969), L"DimGray", L"くすんだ灰色"},
    {Hex(0x1E90FF), L"DodgerBlue", L"ﾄﾞｼﾞｬｰﾌﾞﾙｰ"},
    {Hex(0xFED0E0), L"Feldsper", L"長石"},
    {Hex(0xB22222), L"Firebrick", L"耐火煉瓦"},
    {Hex(0xFFFAF0), L"FloralWhite", L"花の白"},
    {Hex(0x228B22), L"ForestGreen", L"森の緑"},
    {Hex(0xDCDCDC), L"Gainsboro", L"ｹﾞｲﾝｽﾞﾎﾞﾛ"},
    {Hex(0xF8F8FF), L"GhostWhite", L"ｺﾞｰｽﾄﾎﾜｲﾄ"},
    {Hex(0xFFD700), L"Gold", L"金"},
    {Hex(0xDAA520), L"Goldenrod", L"ｺﾞｰﾙﾃﾞﾝﾛｯﾄﾞ"},
    {Hex(0xADFF2F), L"GreenYellow", L"緑がかった黄"},
    {Hex(0xF0FFF0), L"Honeydew", L"ﾊﾆｰﾃﾞｭｰ"},
    {Hex(0xFF69B4), L"HotPink", L"ﾎｯﾄﾋﾟﾝｸ"},
    {Hex(0xCD5C5C), L"InidianRed", L"ｱﾒﾘｶｲﾝﾃﾞｨｱﾝ"},
    {Hex(0x4B0082), L"Indigo", L"藍色"},
    {Hex(0xFFFFF0), L"Ivory", L"象牙色"},
    {Hex(0xF0E68C), L"Khaki", L"ｶｰｷ"},
    {Hex(0xE6E6FA), L"Lavender", L"ﾗﾍﾞﾝﾀﾞｰ"},
    {Hex(0xFFF0F5), L"LavenderBlush", L"ﾗﾍﾞﾝﾀﾞｰﾌﾞﾗｯｼｭ"},
    {Hex(0x7CFC00), L"LawnGreen", L"芝生の緑"},
    {Hex(0xFFFACD), L"LemonChiffon", L"ﾚﾓﾝｼﾌｫﾝ"},
    {Hex(0xADD8E6), L"LightBlue", L"明るい青"},
    {Hex(0xF08080), L"LightCoral", L"明るい珊瑚色"},
    {Hex(0xE0FFFF), L"LightCyan", L"明るいｼｱﾝ"},
    {Hex(0xFAFAD2), L"LightGoldenrodYellow", L"明るいｺﾞｰﾙﾃﾞﾝﾛｯﾄﾞ黄"},
    {Hex(0x90EE90), L"LightGreen", L"明るい緑"},
    {Hex(0xD3D3D3), L"LightGray", L"明るい灰色"},
    {Hex(0xFFB6C1), L"LightPink", L"明るいﾋﾟﾝｸ"},
    {Hex(0xFFA07A), L"LightSalmon", L"明るいｻｰﾓﾝ"},
    {Hex(0x20B2AA), L"LightSeaGreen", L"明るい海色"},
    {Hex(0x87CEFA), L"LightSkyBlue", L"明るい空色"},
    {Hex(0x778899), L"LightSlateGray", L"明るい灰石版"},
    {Hex(0xB0C4DE), L"LightSteelBlue", L"明るい鋼青"},
    {Hex(0xFFFFE0), L"LightYellow", L"明るい黄"},
    {Hex(0x32CD32), L"LimeGreen", L"ﾗｲﾑｸﾞﾘｰﾝ"},
    {Hex(0xFAF0E6), L"Linen", L"亜麻色"},
    {Hex(0x66CDAA), L"MediumAquamarine", L"中位のｱｸｱﾏﾘﾝ"},
    {Hex(0x0000CD), L"MediumBlue", L"中位の青"},
    {Hex(0xBA55D3), L"MediumOrchid", L"中位のｵｰｷｯﾄﾞ"},
    {Hex(0x9370DB), L"MediumPurple", L"中位の紫"},
    {Hex(0x0E00B0), L"MediumSlateBlue", L"中位の青石版"},
    {Hex(0x3CB371), L"MediumSeaGreen", L"中位の海色"},
    {Hex(0x00FA9A), L"MediumSpringGreen", L"中位の春の緑"},
    {Hex(0x48D1CC), L"MediumTurquoise", L"中位のﾀｰｺｲｽﾞ"},
    {Hex(0xC71585), L"MediumVioletRed", L"中位の赤紫"},
    {Hex(0x191970), L"MidnightBlue", L"真夜中の青"},
    {Hex(0xF5FFFA), L"MintCream", L"ﾐﾝﾄｸﾘｰﾑ"},
    {Hex(0xFFE4E1), L"MistyRose", L"霞んだﾊﾞﾗ色"},
    {Hex(0xFFE4B5), L"Moccasin", L"ﾓｶｼﾝ"},
    {Hex(0xADDEFF), L"NavajoWhite", L"ﾅﾊﾞﾎ族の白"},
    {Hex(0xFDF5E6), L"Oldlace", L"古いﾚｰｽ"},
    {Hex(0x6B8E23), L"OliveDrab", L"ｵﾘｰﾌﾞﾄﾞﾗﾌﾞ"},
    {Hex(0xFFA500), L"Orange", L"ｵﾚﾝｼﾞ"},
    {Hex(0xFF4500), L"OrangeRed", L"赤橙"},
    {Hex(0xDA70D6), L"Orchid", L"ｵｰｷｯﾄﾞ"},
    {Hex(0xEEE8AA), L"PaleGoldenrod", L"淡いｺﾞｰﾙﾃﾞﾝﾛｯﾄﾞ"},
    {Hex(0x98FB98), L"PaleGreen", L"淡い緑"},
    {Hex(0xAFEEEE), L"PaleTurquoise", L"淡いﾀｰｺｲｽﾞ"},
    {Hex(0xDB7093), L"PaleVioletRed", L"淡い赤紫"},
    {Hex(0xFFEFD5), L"PapayaWhip", L"ﾊﾟﾊﾟｲﾔﾎｲｯﾌﾟ"},
    {Hex(0xFFDAB9), L"PeachPuff", L"ﾋﾟｰﾁﾊﾟﾌ"},
    {Hex(0xCD853F), L"Peru", L"ﾍﾟﾙｰ"},
    {Hex(0xFFC0CB), L"Pink", L"ﾋﾟﾝｸ"},
    {Hex(0xDDA0DD), L"Plum", L"ﾌﾟﾗﾑ"},
    {Hex(0xB0E0E6), L"PowderBlue", L"ﾊﾟｳﾀﾞｰﾌﾞﾙｰ"},
    {Hex(0x0CB0E0), L"RichBlue", L"鮮やかな青"},
    {Hex(0xBC8F8F), L"RosyBrown", L"ﾊﾞﾗ色の茶"},
    {Hex(0x4169E1), L"RoyalBlue", L"ﾛｲﾔﾙﾌﾞﾙｰ"},
    {Hex(0x8B4513), L"SaddleBrown", L"ｻﾄﾞﾙﾌﾞﾗｳﾝ"},
    {Hex(0xFA8072), L"Salmon", L"ｻｰﾓﾝ"},
    {Hex(0xF4A460), L"SandyBrown", L"砂色"},
    {Hex(0x578B2E), L"SeaGreen", L"海色"},
    {Hex(0xFFF5EE), L"SeaShell", L"貝殻色"},
    {Hex(0xA0522D), L"Sienna", L"ｼｴﾅ"},
    {Hex(0x87CEEB), L"SkyBlue", L"空色"},
    {Hex(0x6A5ACD), L"SlateBlue", L"青石版"},
    {Hex(0x708090), L"SlateGray", L"灰石版"},
    {Hex(0xFFFAFA), L"Snow", L"雪色"},
    {Hex(0x00FF7F), L"SpringGreen", L"春の緑"},
    {Hex(0x4682B4), L"SteelBlue", L"鋼青"},
    {Hex(0xD2B48C), L"Tan", L"黄褐色"},
    {Hex(0xD8BFD8), L"Thistle", L"ｱｻﾞﾐ色"},
    {Hex(0xFF6347), L"Tomato", L"ﾄﾏﾄ"},
    {Hex(0x40E0D0), L"Turquoise", L"ﾀｰｺｲｽﾞ"},
    {Hex(0xEE82EE), L"Violet", L"ｽﾐﾚ色"},
    {Hex(0xF5DEB3), L"Wheat", L"小麦色"},
    {Hex(0xF5F5F5), L"WhiteSmoke", L"白煙"},
    {Hex(0x9ACD32), L"YellowGreen", L"黄緑"},
}};

// The custom entry stores "none"; its colour is read from CustomColor.
constexpr std::array<BuiltInColor, 1> kCustom{{
    {ui::kColorNone, L"(Custom)", L"(ｶｽﾀﾑ)"},
}};

}  // namespace

std::span<const BuiltInColor> BuiltInGroup(ColorGroup group) noexcept {
    switch (group) {
        case ColorGroup::Default:
            return kDefault;
        case ColorGroup::Basic:
            return kBasic;
        case ColorGroup::System:
            return kSystem;
        case ColorGroup::Extra:
            return kExtra;
        case ColorGroup::Custom:
            return kCustom;
        case ColorGroup::User:
            break;
    }
    return {};
}

}  // namespace widgets
