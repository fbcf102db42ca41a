// The font name picker's decisions against a recording list: what Value
// selects, which events a change raises in which order, and what survives a
// refill, loading and the window's creation.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "widgets/FontListModel.h"

using namespace widgets;

namespace {

using Names = std::vector<std::wstring>;

// The sample names are ASCII.
std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t ch : text) narrow.push_back(static_cast<char>(ch));
    return narrow;
}

class RecordingList : public FontListHost {
public:
    bool window = true;
    std::vector<std::wstring> items;
    int selected = -1;
    std::vector<std::string> events;

    bool HasWindow() const override { return window; }
    void ReplaceItems(const std::vector<FontEntry>& entries) override {
        if (!window) return;
        items.clear();
        for (const FontEntry& entry : entries) items.push_back(entry.name);
        selected = -1;
        events.push_back("fill");
    }
    int SelectedIndex() const override { return selected; }
    void SelectIndex(int index) override { selected = index; }
    void PushToLinked(const std::wstring& name) override {
        events.push_back("linked " + Narrow(name));
    }
    void RaiseChange() override { events.push_back("change"); }
    void RaiseClick() override { events.push_back("click"); }
    void Repaint() override { events.push_back("repaint"); }
    std::vector<std::string> TakeEvents() { return std::exchange(events, {}); }
};

using Events = std::vector<std::string>;

const std::vector<FontEntry> kTable = {
    {L"@IPAGothic", kTrueTypeFontType | (128u << kCharSetShift)},
    {L"Arial", kTrueTypeFontType | kOnPrinterFlag},
    {L"Courier", kRasterFontType | kFixedPitchFlag},
    {L"IPAGothic", kTrueTypeFontType | (128u << kCharSetShift)},
    {L"Line Printer", kDeviceFontType | kOnPrinterFlag | kPrinterOnlyFlag},
    {L"Tahoma", kTrueTypeFontType},
};

class FontListModelTest : public ::testing::Test {
protected:
    RecordingList list;
    FontListModel model{kTable, CompareNamesAscii, list};

    void Create() {
        model.WindowCreated();
        list.TakeEvents();
    }
};

}  // namespace

TEST_F(FontListModelTest, CreationOffersTheDefaultsAndSelectsTheFirstEntry) {
    model.WindowCreated();
    EXPECT_EQ(list.items, (Names{L"Arial", L"Courier", L"IPAGothic", L"Line Printer", L"Tahoma"}));
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(model.Value(), L"Arial");
    EXPECT_EQ(list.TakeEvents(), (Events{"fill", "linked Arial", "change"}));
}

TEST_F(FontListModelTest, ValueSelectsByWholeNameIgnoringCase) {
    Create();
    model.SetValue(L"tahoma");
    EXPECT_EQ(model.Value(), L"Tahoma");
    EXPECT_EQ(list.TakeEvents(), (Events{"linked Tahoma", "change"}));

    // Already selected: nothing at all.
    model.SetValue(L"TAHOMA");
    EXPECT_TRUE(list.TakeEvents().empty());

    // No such entry: the first one, and a change because the selection moved.
    model.SetValue(L"Taho");
    EXPECT_EQ(model.Value(), L"Arial");
    EXPECT_EQ(list.TakeEvents(), (Events{"linked Arial", "change"}));
    model.SetValue(L"Nothing like it");
    EXPECT_TRUE(list.TakeEvents().empty());
    // A name the filters hide is not offered, so it is no match either.
    model.SetValue(L"@IPAGothic");
    EXPECT_EQ(model.Value(), L"Arial");
}

TEST_F(FontListModelTest, AUserPickRaisesChangeClickChange) {
    Create();
    list.selected = 3;  // the list moved its selection, then tells us
    model.UserSelected();
    EXPECT_EQ(list.TakeEvents(), (Events{"linked Line Printer", "change", "click", "change"}));
    EXPECT_EQ(model.Value(), L"Line Printer");
}

TEST_F(FontListModelTest, RefillsKeepTheSelectedName) {
    Create();
    model.SetValue(L"IPAGothic");
    list.TakeEvents();

    model.SetCollectFilters(kDefaultCollectFilters | FontNameFilters{fnfLyingFont});
    EXPECT_EQ(list.items.front(), L"@IPAGothic");
    EXPECT_EQ(model.Value(), L"IPAGothic");
    EXPECT_EQ(list.TakeEvents(), (Events{"fill", "linked IPAGothic", "change"}));
    model.SetCollectFilters(kDefaultCollectFilters | FontNameFilters{fnfLyingFont});
    EXPECT_TRUE(list.TakeEvents().empty());

    // The selected family filtered out: the first entry takes its place.
    model.SetExclusiveFilters({fnfRaster});
    EXPECT_EQ(list.items, (Names{L"Courier"}));
    EXPECT_EQ(model.Value(), L"Courier");

    // Nothing offered: nothing selected, no event beyond the fill.
    list.TakeEvents();
    model.SetExclusiveFilters({fnfRaster, fnfJapanese});
    EXPECT_EQ(model.ExclusiveFilters(), (FontNameFilters{fnfRaster, fnfJapanese}));
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(model.Value(), L"");
    EXPECT_EQ(list.TakeEvents(), (Events{"fill"}));
    model.SetValue(L"Arial");
    EXPECT_TRUE(list.TakeEvents().empty());
}

TEST_F(FontListModelTest, ExclusiveTypesReplaceEachOther) {
    Create();
    model.SetExclusiveFilters({fnfTrueType});
    EXPECT_EQ(list.items, (Names{L"Arial", L"IPAGothic", L"Tahoma"}));
    model.SetExclusiveFilters({fnfTrueType, fnfRaster});
    EXPECT_EQ(model.ExclusiveFilters(), (FontNameFilters{fnfRaster}));
    EXPECT_EQ(list.items, (Names{L"Courier"}));
    model.SetExclusiveFilters({fnfJapanese});
    EXPECT_EQ(list.items, (Names{L"IPAGothic"}));
}

TEST_F(FontListModelTest, NameListsShowAndHideAndTrimEachOther) {
    Create();
    model.SetExclusiveFilters({fnfTrueType});
    model.SetVisibleFontNames({L"courier", L"@ipagothic"});
    EXPECT_EQ(list.items, (Names{L"@IPAGothic", L"Arial", L"Courier", L"IPAGothic", L"Tahoma"}));

    list.TakeEvents();
    model.SetInvisibleFontNames({L"Courier"});
    EXPECT_EQ(model.VisibleFontNames(), (Names{L"@ipagothic"}));
    EXPECT_EQ(list.items, (Names{L"@IPAGothic", L"Arial", L"IPAGothic", L"Tahoma"}));
    EXPECT_EQ(list.TakeEvents().front(), "fill");

    // The same list again: no refill.
    model.SetInvisibleFontNames({L"Courier"});
    EXPECT_TRUE(list.TakeEvents().empty());
}

TEST_F(FontListModelTest, LoadingKeepsTheValueUntilItEnds) {
    model.BeginLoading();
    model.WindowCreated();  // no fill while loading
    model.SetValue(L"courier");
    model.SetCollectFilters(kDefaultCollectFilters - FontNameFilters{fnfPrinter});
    EXPECT_TRUE(list.items.empty());
    EXPECT_TRUE(list.TakeEvents().empty());

    model.EndLoading();
    EXPECT_EQ(list.items, (Names{L"Arial", L"Courier", L"IPAGothic", L"Tahoma"}));
    EXPECT_EQ(model.Value(), L"Courier");
    const Events events = list.TakeEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "change");
}

TEST_F(FontListModelTest, LoadingWithoutAValueKeepsTheSelection) {
    Create();
    model.SetValue(L"Tahoma");
    model.BeginLoading();
    model.EndLoading();
    EXPECT_EQ(model.Value(), L"Tahoma");
}

TEST_F(FontListModelTest, AValueGivenBeforeTheWindowIsAppliedWhenItExists) {
    list.window = false;
    model.SetValue(L"IPAGothic");
    model.SetInvisibleFontNames({L"Arial"});
    EXPECT_EQ(model.Value(), L"");
    EXPECT_TRUE(list.TakeEvents().empty());

    list.window = true;
    model.WindowCreated();
    EXPECT_EQ(model.Value(), L"IPAGothic");
    EXPECT_EQ(list.TakeEvents(), (Events{"fill", "linked IPAGothic", "change"}));
}

TEST_F(FontListModelTest, MarksAndRepaints) {
    Create();
    EXPECT_EQ(model.MarkFor(0), FontMark::TrueType);  // Arial, on the printer too
    EXPECT_EQ(model.MarkFor(1), FontMark::None);      // Courier
    EXPECT_EQ(model.MarkFor(3), FontMark::Printer);   // Line Printer
    EXPECT_EQ(model.MarkFor(-1), FontMark::None);
    EXPECT_EQ(model.MarkFor(5), FontMark::None);

    model.SetIconPriority(fipPrinter);
    EXPECT_EQ(model.MarkFor(0), FontMark::Printer);
    model.SetIconPriority(fipPrinter);
    model.SetIconVisible(false);
    model.SetIconVisible(false);
    model.SetTextFontFace(true);
    model.SetTextFontFace(true);
    EXPECT_EQ(list.TakeEvents(), (Events{"repaint", "repaint", "repaint"}));
}
