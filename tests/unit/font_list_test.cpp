// The font table's flag words and order, the filters over a table of every
// kind of family, the two name lists, and where marks and text are drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/FontList.h"

using namespace widgets;

namespace {

constexpr std::uint32_t kAnsi = 0;
constexpr std::uint32_t CharSet(int set) { return static_cast<std::uint32_t>(set) << kCharSetShift; }

// One family of every kind the filters tell apart.
const std::vector<FontEntry>& SampleTable() {
    static const std::vector<FontEntry> table = {
        {L"@MS Gothic", kTrueTypeFontType | CharSet(kShiftJisCharSet) | kFixedPitchFlag},
        {L"Arial", kTrueTypeFontType | kAnsi | kOnPrinterFlag},  // on the screen and the printer
        {L"Courier", kRasterFontType | kFixedPitchFlag},
        {L"Modern", kVectorFlag},
        {L"MS Gothic", kTrueTypeFontType | CharSet(kShiftJisCharSet) | kFixedPitchFlag},
        {L"NoType", 0},
        {L"PrinterFont", kDeviceFontType | kOnPrinterFlag | kPrinterOnlyFlag},
        {L"Symbol", kTrueTypeFontType | CharSet(kSymbolCharSet)},
    };
    return table;
}

std::vector<std::wstring> Offered(FontNameFilters collect, FontNameFilters exclusive = {},
                                  const std::vector<std::wstring>& visible = {},
                                  const std::vector<std::wstring>& invisible = {}) {
    FontFilterSettings settings;
    settings.collect = collect;
    settings.exclusive = exclusive;
    settings.visible = &visible;
    settings.invisible = &invisible;
    std::vector<std::wstring> names;
    for (const FontEntry& entry : OfferedFonts(SampleTable(), settings)) names.push_back(entry.name);
    return names;
}

using Names = std::vector<std::wstring>;

}  // namespace

// ---------------------------------------------------------------- flag words

TEST(FontFlags, TakeTypeCharSetPitchAndVectorFromTheEnumeration) {
    // TMPF_FIXED_PITCH set means variable pitch: the flag marks the clear bit.
    EXPECT_EQ(FontFlags(4, 0x01, 0), kTrueTypeFontType);
    EXPECT_EQ(FontFlags(4, 0x00, 0), kTrueTypeFontType | kFixedPitchFlag);
    EXPECT_EQ(FlagCharSet(FontFlags(1, 0x01, 128)), 128);
    EXPECT_EQ(FlagCharSet(FontFlags(1, 0x01, 255)), 255);
    // Only a family without a type counts as vector; TrueType fonts carry TMPF_VECTOR too.
    EXPECT_EQ(FontFlags(0, 0x03, 0), kVectorFlag);
    EXPECT_EQ(FontFlags(4, 0x03, 0), kTrueTypeFontType);
    // Stray type bits do not reach the attribute bits.
    EXPECT_EQ(FontFlags(0xFFFFFFF9u, 0x01, 0), 1u);
}

TEST(FontFlags, ClassesFollowFlagsAndName) {
    const auto classes = [](const wchar_t* name, std::uint32_t flags) { return FontClasses({name, flags}); };
    EXPECT_EQ(classes(L"A", kDeviceFontType), (FontNameFilters{fnfDevice}));
    EXPECT_EQ(classes(L"A", kRasterFontType | kFixedPitchFlag), (FontNameFilters{fnfRaster, fnfFixedPitch}));
    EXPECT_EQ(classes(L"A", kVectorFlag), (FontNameFilters{fnfVector}));
    EXPECT_EQ(classes(L"A", kTrueTypeFontType | kOnPrinterFlag), (FontNameFilters{fnfTrueType, fnfPrinter}));
    EXPECT_EQ(classes(L"A", CharSet(kSymbolCharSet)), (FontNameFilters{fnfSymbolFont}));
    EXPECT_EQ(classes(L"A", CharSet(kShiftJisCharSet)), (FontNameFilters{fnfJapanese}));
    EXPECT_EQ(classes(L"@A", 0), (FontNameFilters{fnfLyingFont}));
    EXPECT_EQ(classes(L"A@", 0), FontNameFilters{});
    EXPECT_EQ(classes(L"", 0), FontNameFilters{});
}

// ----------------------------------------------------------------- the table

TEST(FontTableOrder, ScreenPassFoldsCharacterSetRepeatsAndSortsIgnoringCase) {
    FontPass pass(CompareNamesAscii);
    pass.Add(L"times", kTrueTypeFontType);
    pass.Add(L"Times", kTrueTypeFontType | CharSet(kSymbolCharSet));  // same family, next character set
    pass.Add(L"arial", kTrueTypeFontType);
    pass.Add(L"Courier", kRasterFontType);
    pass.Add(L"Arial", kTrueTypeFontType | CharSet(kShiftJisCharSet));  // a repeat reported out of turn
    pass.Add(L"Arial Black", kTrueTypeFontType);
    pass.Add(L"@Arial", kTrueTypeFontType);
    const std::vector<FontEntry> table = std::move(pass).Finish();
    const std::vector<FontEntry> expected = {
        {L"@Arial", kTrueTypeFontType},
        {L"arial", kTrueTypeFontType},  // the first report wins
        {L"Arial Black", kTrueTypeFontType},
        {L"Courier", kRasterFontType},
        {L"times", kTrueTypeFontType},
    };
    EXPECT_EQ(table, expected);
}

TEST(FontTableOrder, PrinterFamiliesJoinTheScreenTable) {
    std::vector<FontEntry> table = {
        {L"Arial", kTrueTypeFontType | kAnsi},
        {L"Courier", kRasterFontType | kFixedPitchFlag},
        {L"Times", kTrueTypeFontType | CharSet(kSymbolCharSet)},
    };
    const std::vector<FontEntry> printer = {
        {L"ARIAL", kDeviceFontType | CharSet(kShiftJisCharSet)},
        {L"Bodoni", kDeviceFontType},
        {L"Line Printer", kDeviceFontType | kFixedPitchFlag},
        {L"Zapf", kDeviceFontType | CharSet(kSymbolCharSet)},
    };
    MergePrinterFamilies(table, printer, CompareNamesAscii);
    const std::vector<FontEntry> expected = {
        // The screen's name and character set stay; OR-ing 0 with 128 would
        // turn a Western family Japanese.
        {L"Arial", kTrueTypeFontType | kDeviceFontType | kOnPrinterFlag},
        {L"Bodoni", kDeviceFontType | kOnPrinterFlag | kPrinterOnlyFlag},
        {L"Courier", kRasterFontType | kFixedPitchFlag},
        {L"Line Printer", kDeviceFontType | kFixedPitchFlag | kOnPrinterFlag | kPrinterOnlyFlag},
        {L"Times", kTrueTypeFontType | CharSet(kSymbolCharSet)},
        {L"Zapf", kDeviceFontType | CharSet(kSymbolCharSet) | kOnPrinterFlag | kPrinterOnlyFlag},
    };
    EXPECT_EQ(table, expected);

    std::vector<FontEntry> empty;
    MergePrinterFamilies(empty, printer, CompareNamesAscii);
    ASSERT_EQ(empty.size(), 4u);
    EXPECT_EQ(empty[0].flags, kDeviceFontType | CharSet(kShiftJisCharSet) | kOnPrinterFlag | kPrinterOnlyFlag);
}

// ------------------------------------------------------------------- filters

TEST(FontFilters, DefaultsOfferEveryTypedFamilyButTheLyingOnes) {
    EXPECT_EQ(Offered(kDefaultCollectFilters),
              (Names{L"Arial", L"Courier", L"Modern", L"MS Gothic", L"PrinterFont", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters | FontNameFilters{fnfLyingFont}),
              (Names{L"@MS Gothic", L"Arial", L"Courier", L"Modern", L"MS Gothic", L"PrinterFont", L"Symbol"}));
}

TEST(FontFilters, AnAttributeLeftOutOfCollectHidesItsFamilies) {
    // Arial is on the printer as well as the screen: only printer-only families go.
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfPrinter}),
              (Names{L"Arial", L"Courier", L"Modern", L"MS Gothic", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfSymbolFont}),
              (Names{L"Arial", L"Courier", L"Modern", L"MS Gothic", L"PrinterFont"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfJapanese}),
              (Names{L"Arial", L"Courier", L"Modern", L"PrinterFont", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfFixedPitch}),
              (Names{L"Arial", L"Modern", L"PrinterFont", L"Symbol"}));
}

TEST(FontFilters, AFamilyNeedsOneOfItsTypesCollected) {
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfTrueType}),
              (Names{L"Courier", L"Modern", L"PrinterFont"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfRaster}),
              (Names{L"Arial", L"Modern", L"MS Gothic", L"PrinterFont", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfVector}),
              (Names{L"Arial", L"Courier", L"MS Gothic", L"PrinterFont", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters - FontNameFilters{fnfDevice}),
              (Names{L"Arial", L"Courier", L"Modern", L"MS Gothic", L"Symbol"}));
    EXPECT_EQ(Offered(kAttributeFilters), Names{});
    // Collecting no attribute hides every family that has one.
    EXPECT_EQ(Offered(kFontTypeFilters), (Names{L"Arial", L"Modern"}));
}

TEST(FontFilters, ExclusiveClassesMustAllBeThere) {
    EXPECT_EQ(Offered(kDefaultCollectFilters, {fnfTrueType}), (Names{L"Arial", L"MS Gothic", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters, {fnfJapanese}), (Names{L"MS Gothic"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters, {fnfTrueType, fnfFixedPitch}), (Names{L"MS Gothic"}));
    // Printer means printer only here, as for the attribute test.
    EXPECT_EQ(Offered(kDefaultCollectFilters, {fnfPrinter}), (Names{L"PrinterFont"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters, {fnfRaster, fnfTrueType}), Names{});
}

TEST(FontFilters, NameListsOverrideTheFilters) {
    const FontNameFilters trueTypeOnly{fnfTrueType};
    // Visible wins over every filter and over Invisible; matching ignores case.
    EXPECT_EQ(Offered(kDefaultCollectFilters, trueTypeOnly, {L"courier", L"@ms gothic"}),
              (Names{L"@MS Gothic", L"Arial", L"Courier", L"MS Gothic", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters, {}, {}, {L"ARIAL", L"Unknown"}),
              (Names{L"Courier", L"Modern", L"MS Gothic", L"PrinterFont", L"Symbol"}));
    EXPECT_EQ(Offered(kDefaultCollectFilters, {}, {L"Arial"}, {L"Arial"}).front(), L"Arial");
    // A whole name only.
    EXPECT_EQ(Offered(kDefaultCollectFilters, {}, {}, {L"Aria", L"Arial Black"}).front(), L"Arial");
}

TEST(FontFilters, AddingAnExclusiveTypeKeepsOnlyThatType) {
    const FontNameFilters none;
    EXPECT_EQ(NextExclusiveFilters(none, {fnfTrueType}), (FontNameFilters{fnfTrueType}));
    EXPECT_EQ(NextExclusiveFilters({fnfTrueType}, {fnfTrueType, fnfRaster}), (FontNameFilters{fnfRaster}));
    EXPECT_EQ(NextExclusiveFilters(none, {fnfRaster, fnfTrueType}), (FontNameFilters{fnfRaster}));
    // Device comes first in the order, whatever else is added with it.
    EXPECT_EQ(NextExclusiveFilters(none, {fnfTrueType, fnfVector, fnfDevice}), (FontNameFilters{fnfDevice}));
    // Attributes stay alongside.
    EXPECT_EQ(NextExclusiveFilters({fnfJapanese}, {fnfJapanese, fnfFixedPitch, fnfVector, fnfRaster}),
              (FontNameFilters{fnfJapanese, fnfFixedPitch, fnfVector}));
    // No new type: the set is taken as given.
    EXPECT_EQ(NextExclusiveFilters({fnfTrueType, fnfRaster}, {fnfRaster}), (FontNameFilters{fnfRaster}));
    EXPECT_EQ(NextExclusiveFilters({fnfTrueType}, {fnfTrueType, fnfSymbolFont}),
              (FontNameFilters{fnfTrueType, fnfSymbolFont}));
    EXPECT_EQ(NextExclusiveFilters({fnfTrueType}, none), none);
}

TEST(FontNameListsTrim, ANameEndsInTheListChangedLast) {
    FontNameLists lists;
    EXPECT_TRUE(lists.SetVisible({L"Arial", L"Courier"}));
    EXPECT_TRUE(lists.SetInvisible({L"ARIAL", L"Symbol"}));
    EXPECT_EQ(lists.Visible(), (Names{L"Courier"}));
    EXPECT_EQ(lists.Invisible(), (Names{L"ARIAL", L"Symbol"}));

    EXPECT_TRUE(lists.SetVisible({L"symbol", L"Courier", L"Arial"}));
    EXPECT_EQ(lists.Invisible(), Names{});
    EXPECT_EQ(lists.Visible(), (Names{L"symbol", L"Courier", L"Arial"}));

    // An equal list changes nothing; another order or case is another list.
    EXPECT_FALSE(lists.SetVisible({L"symbol", L"Courier", L"Arial"}));
    EXPECT_TRUE(lists.SetVisible({L"Symbol", L"Courier", L"Arial"}));
    EXPECT_FALSE(lists.SetInvisible({}));
    EXPECT_TRUE(lists.SetInvisible({L"Courier"}));
    EXPECT_EQ(lists.Visible(), (Names{L"Symbol", L"Arial"}));
}

// ------------------------------------------------------------------- drawing

TEST(FontItemDrawing, MarkFollowsClassesCollectAndPriority) {
    const std::uint32_t both = kTrueTypeFontType | kOnPrinterFlag;
    EXPECT_EQ(ChooseFontMark(both, kDefaultCollectFilters, fipTrueType), FontMark::TrueType);
    EXPECT_EQ(ChooseFontMark(both, kDefaultCollectFilters, fipPrinter), FontMark::Printer);
    EXPECT_EQ(ChooseFontMark(kTrueTypeFontType, kDefaultCollectFilters, fipPrinter), FontMark::TrueType);
    const std::uint32_t printerOnly = kDeviceFontType | kOnPrinterFlag | kPrinterOnlyFlag;
    EXPECT_EQ(ChooseFontMark(printerOnly, kDefaultCollectFilters, fipTrueType), FontMark::Printer);
    EXPECT_EQ(ChooseFontMark(kRasterFontType, kDefaultCollectFilters, fipTrueType), FontMark::None);
    // A class the picker does not collect shows no mark of its own.
    EXPECT_EQ(ChooseFontMark(both, kDefaultCollectFilters - FontNameFilters{fnfTrueType}, fipTrueType),
              FontMark::Printer);
    EXPECT_EQ(ChooseFontMark(both, kDefaultCollectFilters - FontNameFilters{fnfPrinter}, fipPrinter),
              FontMark::TrueType);
    EXPECT_EQ(ChooseFontMark(both, kFontTypeFilters - FontNameFilters{fnfTrueType}, fipTrueType), FontMark::None);
}

TEST(FontItemDrawing, MarkIsCentredAndTextStartsAfterIt) {
    FontItemLayout layout = LayoutFontItem(10, 100, 115, 16, true, FontMark::TrueType);
    EXPECT_EQ(layout.mark, FontMark::TrueType);
    EXPECT_EQ(layout.markX, 12);
    EXPECT_EQ(layout.markY, 100);  // (15 - 16) / 2 truncates towards zero
    EXPECT_EQ(layout.textLeft, 30);

    layout = LayoutFontItem(0, 20, 41, 16, true, FontMark::Printer);
    EXPECT_EQ(layout.markY, 22);  // (21 - 16) / 2 = 2
    EXPECT_EQ(layout.textLeft, 20);

    // The text column stays put for families without a mark.
    layout = LayoutFontItem(0, 0, 16, 16, true, FontMark::None);
    EXPECT_EQ(layout.mark, FontMark::None);
    EXPECT_EQ(layout.textLeft, 20);

    layout = LayoutFontItem(4, 0, 16, 16, false, FontMark::TrueType);
    EXPECT_EQ(layout.mark, FontMark::None);
    EXPECT_EQ(layout.textLeft, 6);
}
