// The font name picker as a real control: the process's font table, the
// events of picks from code and by the user, the item height, the linked
// control, and the marks as they reach the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "ItemCanvas.h"
#include "TestForm.h"
#include "WinTestSupport.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/Graphics.h"
#include "ui/Memo.h"
#include "widgets/FontNameComboBox.h"
#include "widgets/FontTable.h"

using namespace std::chrono_literals;
using testsupport::PumpFor;
using namespace widgets;

namespace {

using testsupport::ItemCanvas;
using testsupport::TestForm;

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

bool HasName(const std::vector<FontEntry>& entries, std::wstring_view name) {
    for (const FontEntry& entry : entries) {
        if (entry.name == name) return true;
    }
    return false;
}

// A table with a family of each mark, for the drawing checks: Wine has no
// printer to report printer families.
const std::vector<FontEntry>& MarkTable() {
    static const std::vector<FontEntry> table = {
        {L"Liberation Mono", kRasterFontType},
        {L"Line Printer", kDeviceFontType | kOnPrinterFlag | kPrinterOnlyFlag},
        {L"Tahoma", kTrueTypeFontType | kOnPrinterFlag},
    };
    return table;
}

COLORREF Invert(COLORREF background, COLORREF mark) { return (background ^ mark) & 0xFFFFFF; }

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kCyan = RGB(0, 255, 255);

}  // namespace

// ----------------------------------------------------------------- font table

TEST(FontComboTable, HoldsTheInstalledFamiliesOnceEachInLocaleOrder) {
    const FontTable& table = FontTable::Instance();
    const auto& entries = table.Entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_TRUE(HasName(entries, L"Liberation Sans"));
    EXPECT_TRUE(HasName(entries, L"Liberation Mono"));
    EXPECT_TRUE(HasName(entries, L"IPAGothic"));
    EXPECT_TRUE(HasName(entries, L"Tahoma"));
    EXPECT_TRUE(HasName(entries, L"@IPAGothic")) << "the vertical family the defaults must hide";
    for (size_t i = 1; i < entries.size(); ++i) {
        EXPECT_LT(CompareFontNames(entries[i - 1].name, entries[i].name), 0)
            << "out of order or repeated: " << Utf8(entries[i].name);
    }
    // No printer here: the screen pass alone, and no family carries a printer bit.
    EXPECT_FALSE(table.HasPrinterPass());
    for (const FontEntry& entry : entries) EXPECT_EQ(entry.flags & (kOnPrinterFlag | kPrinterOnlyFlag), 0u);

    for (const FontEntry& entry : entries) {
        if (entry.name == L"Tahoma") {
            EXPECT_EQ(entry.flags & kFontTypeMask, kTrueTypeFontType);
        } else if (entry.name == L"Liberation Mono") {
            EXPECT_NE(entry.flags & kFixedPitchFlag, 0u);
        } else if (entry.name == L"Liberation Sans") {
            EXPECT_EQ(entry.flags & kFixedPitchFlag, 0u);
        }
    }
    ASSERT_NE(table.TrueTypeIcon(), nullptr);
    ASSERT_NE(table.DeviceTypeIcon(), nullptr);
    BITMAP size{};
    GetObjectW(table.TrueTypeIcon(), sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 16);
    EXPECT_EQ(size.bmHeight, 16);
    for (const wchar_t* name : {L"TrueTypeIcon", L"DeviceTypeIcon"}) {
        const HRSRC found = FindResourceW(nullptr, name, RT_BITMAP);
        ASSERT_NE(found, nullptr);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
        EXPECT_EQ(header->biBitCount, 4) << "16 colours";
    }
}

TEST(FontComboTable, DefaultsOfferNoVerticalFamily) {
    TestForm form(320, 360);
    FontNameComboBox combo;
    combo.Create(form, {.bounds = {8, 8, 177, 21}});
    ASSERT_GT(combo.ItemCount(), 0);
    EXPECT_EQ(static_cast<size_t>(combo.ItemCount()), combo.Items().size());
    for (int i = 0; i < combo.ItemCount(); ++i) {
        const std::wstring name = combo.Item(i);
        EXPECT_NE(name.front(), L'@') << Utf8(name);
        EXPECT_EQ(name, combo.Items()[static_cast<size_t>(i)].name);
        EXPECT_EQ(combo.ItemFlags(i), combo.Items()[static_cast<size_t>(i)].flags);
    }
    const bool anyVertical = [] {
        for (const FontEntry& entry : FontTable::Instance().Entries()) {
            if (entry.name.front() == L'@') return true;
        }
        return false;
    }();
    combo.SetCollectFilters(kDefaultCollectFilters | FontNameFilters{fnfLyingFont});
    EXPECT_EQ(combo.Item(0).front() == L'@', anyVertical);

    combo.SetExclusiveFilters({fnfTrueType});
    for (int i = 0; i < combo.ItemCount(); ++i) EXPECT_NE(combo.ItemFlags(i) & kTrueTypeFontType, 0u);
}

// --------------------------------------------------------------------- events

class FontComboEvents : public ::testing::Test {
protected:
    void SetUp() override {
        combo.OnChange = [this](FontNameComboBox& sender) { events.push_back(L"change " + sender.Value()); };
        combo.OnClick = [this](FontNameComboBox& sender) { events.push_back(L"click " + sender.Value()); };
        combo.Create(form, {.bounds = {8, 8, 177, 21}});
        form.Show();
        PumpFor(20ms);
    }

    TestForm form{320, 360};
    FontNameComboBox combo;
    std::vector<std::wstring> events;
};

TEST_F(FontComboEvents, CreationSelectsTheFirstFamily) {
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], L"change " + combo.Item(0));
    EXPECT_EQ(combo.ItemIndex(), 0);
}

TEST_F(FontComboEvents, ValueFromCodeRaisesOneChangeWhenTheSelectionMoves) {
    events.clear();
    combo.SetValue(L"tahoma");
    EXPECT_EQ(combo.Value(), L"Tahoma");
    EXPECT_EQ(events, (std::vector<std::wstring>{L"change Tahoma"}));
    combo.SetValue(L"TAHOMA");
    EXPECT_EQ(events.size(), 1u);

    combo.SetValue(L"No Such Family");
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(events.size(), 2u);
    combo.SetValue(L"Another Missing Family");
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(FontComboEvents, KeyboardPickRaisesChangeClickChange) {
    combo.SetValue(L"Tahoma");
    const int tahoma = combo.ItemIndex();
    ASSERT_GE(tahoma, 0);
    ASSERT_LT(tahoma + 1, combo.ItemCount());
    const std::wstring next = combo.Item(tahoma + 1);
    events.clear();
    combo.SetFocus();
    SendMessageW(combo.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    SendMessageW(combo.Handle(), WM_KEYUP, VK_DOWN, 0xC0000001);
    PumpFor(20ms);
    EXPECT_EQ(combo.Value(), next);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"change " + next, L"click " + next, L"change " + next}));
}

TEST_F(FontComboEvents, MousePickInTheDroppedListRaisesChangeClickChange) {
    combo.SetValue(L"Tahoma");
    events.clear();
    combo.SetFocus();
    SendMessageW(combo.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(20ms);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
    ASSERT_EQ(SendMessageW(combo.Handle(), CB_GETDROPPEDSTATE, 0, 0), TRUE);
    const int target = combo.ItemIndex() - 1;  // the family above, in view with the selection
    ASSERT_GE(target, 0);
    RECT item{};
    ASSERT_NE(SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(target), reinterpret_cast<LPARAM>(&item)),
              LB_ERR);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, at);
    SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
    PumpFor(50ms);
    const std::wstring picked = combo.Item(target);
    EXPECT_EQ(combo.Value(), picked);
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"change " + picked, L"click " + picked, L"change " + picked}));
}

TEST_F(FontComboEvents, NameListsAndFiltersRefillKeepingTheValue) {
    combo.SetValue(L"Tahoma");
    combo.SetInvisibleFontNames({L"TAHOMA"});
    EXPECT_EQ(combo.IndexOf(L"Tahoma"), -1);
    EXPECT_EQ(combo.ItemIndex(), 0);
    combo.SetExclusiveFilters({fnfRaster});
    combo.SetVisibleFontNames({L"Tahoma"});
    EXPECT_TRUE(combo.InvisibleFontNames().empty());
    EXPECT_GE(combo.IndexOf(L"Tahoma"), 0);
    combo.SetValue(L"Tahoma");
    combo.SetExclusiveFilters({});
    EXPECT_EQ(combo.Value(), L"Tahoma");
}

TEST_F(FontComboEvents, LinkedControlTakesTheSelectedName) {
    ui::Memo memo;
    memo.Create(form, {.bounds = {8, 40, 200, 60}});
    ui::FontInfo params;
    params.name = L"Liberation Serif";
    memo.SetFontInfo(params);
    combo.SetChangeControl(&memo);
    EXPECT_EQ(combo.ChangeControl(), &memo);
    EXPECT_EQ(combo.Value(), L"Liberation Serif");
    combo.SetValue(L"Tahoma");
    EXPECT_EQ(memo.GetFontInfo().name, L"Tahoma");
    EXPECT_EQ(memo.GetFontInfo().size, params.size);
}

// ---------------------------------------------------------------- item height

TEST(FontComboItemHeight, FollowsTheControlHeightAndTheFont) {
    TestForm form(320, 360);
    FontNameComboBox combo;
    combo.Create(form, {.bounds = {8, 8, 177, 21}});
    EXPECT_EQ(combo.ItemHeight(), ui::Scale(21) - 6);
    EXPECT_EQ(combo.PixelBounds().height, ui::Scale(21));

    combo.SetValue(L"Tahoma");
    int changes = 0;
    combo.OnChange = [&](FontNameComboBox&) { ++changes; };
    combo.SetItemHeight(24);
    EXPECT_EQ(combo.ItemHeight(), 24);
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETITEMHEIGHT, 0, 0), 24);
    EXPECT_EQ(combo.Value(), L"Tahoma");
    EXPECT_EQ(changes, 0);

    combo.SetPixelBounds({8, 8, 177, 31});
    EXPECT_EQ(combo.ItemHeight(), 25);
    EXPECT_EQ(combo.PixelBounds().height, 31);

    // A font taller than the items makes them taller.
    ui::FontInfo big;
    big.name = L"Tahoma";
    big.size = 24;  // 32 pixels at 96 dpi
    const platform::FontHandle font = ui::CreateFontFrom(big);
    combo.SetFont(font.get());
    EXPECT_GE(combo.ItemHeight(), 30);

    // Items lower than the font bring the font down, but not below 12 pixels.
    combo.SetItemHeight(18);
    const HFONT now = reinterpret_cast<HFONT>(SendMessageW(combo.Handle(), WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(now, sizeof description, &description);
    EXPECT_EQ(description.lfHeight, -18);
    EXPECT_EQ(combo.ItemHeight(), 18);
    EXPECT_EQ(combo.Value(), L"Tahoma");

    // A font of a set width comes down whole, not squeezed to the old width.
    GetObjectW(font.get(), sizeof description, &description);
    description.lfWidth = 20;
    const platform::FontHandle wide(CreateFontIndirectW(&description));
    combo.SetFont(wide.get());
    combo.SetItemHeight(16);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(combo.Handle(), WM_GETFONT, 0, 0)), sizeof description, &description);
    EXPECT_EQ(description.lfHeight, -16);
    EXPECT_EQ(description.lfWidth, 0);
    combo.SetFont(nullptr);
}

// -------------------------------------------------------------------- drawing

TEST(FontComboDrawing, MarksAreInvertedOverTheBackground) {
    TestForm form(320, 360);
    FontNameComboBox combo(MarkTable());
    combo.Create(form, {.bounds = {8, 8, 177, 21}});
    ASSERT_EQ(combo.ItemCount(), 3);
    ItemCanvas canvas(160, 16);
    const COLORREF window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF;

    // Tahoma: TrueType and on the printer; the TrueType mark wins by default.
    canvas.Draw(combo, 2);
    EXPECT_EQ(canvas.At(2 + 0, 0), window) << "the black ground leaves the background";
    EXPECT_EQ(canvas.At(2 + 10, 10), Invert(window, kWhite));
    EXPECT_EQ(canvas.At(2 + 5, 9), Invert(window, kGrey));
    EXPECT_FALSE(canvas.Inked(18, 20, window));
    EXPECT_TRUE(canvas.Inked(20, 80, window)) << "the name follows the mark";

    combo.SetIconPriority(fipPrinter);
    canvas.Draw(combo, 2);
    EXPECT_EQ(canvas.At(2 + 12, 8), Invert(window, kCyan)) << "the printer lamp";
    canvas.Draw(combo, 1, ODS_SELECTED);
    EXPECT_EQ(canvas.At(2 + 0, 0), highlight);
    EXPECT_EQ(canvas.At(2 + 12, 8), Invert(highlight, kCyan));

    // No mark for a raster family, but the text keeps its column.
    canvas.Draw(combo, 0);
    const int textColumn = canvas.FirstInkedColumn(window);
    EXPECT_GE(textColumn, 20);
    EXPECT_LT(textColumn, 24);

    // Without marks the name moves 18 pixels to the left.
    combo.SetIconVisible(false);
    canvas.Draw(combo, 0);
    EXPECT_EQ(canvas.FirstInkedColumn(window), textColumn - 18);
    canvas.Draw(combo, 2);
    EXPECT_LT(canvas.FirstInkedColumn(window), 6) << "no mark on Tahoma either";

    // Each name in its own face: the monospaced family draws wider.
    const auto lastInked = [&] {
        for (int x = 159; x >= 0; --x) {
            if (canvas.Inked(x, x + 1, window)) return x;
        }
        return -1;
    };
    canvas.Draw(combo, 0);
    const int plainEnd = lastInked();
    combo.SetTextFontFace(true);
    canvas.Draw(combo, 0);
    EXPECT_GT(lastInked(), plainEnd);
    combo.SetTextFontFace(false);

    // No entry: the background alone.
    canvas.Draw(combo, -1);
    EXPECT_FALSE(canvas.Inked(0, 160, window));

    // Unselected rows lie on the list's Color.
    combo.SetColor(ui::Rgb(0, 0, 128));
    canvas.Draw(combo, 0);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 0, 128));
    canvas.Draw(combo, 0, ODS_SELECTED);
    EXPECT_EQ(canvas.At(1, 1), highlight);
}

TEST(FontComboDrawing, TheFieldShowsTheSelectedFamilysMarkOnScreen) {
    TestForm form(320, 360);
    FontNameComboBox combo(MarkTable());
    combo.Create(form, {.bounds = {8, 8, 177, 21}});
    combo.SetValue(L"Line Printer");
    form.Show();
    UpdateWindow(form.Handle());
    PumpFor(50ms);
    combo.Invalidate();
    UpdateWindow(combo.Handle());
    PumpFor(50ms);

    const platform::WindowDC dc(combo.Handle());
    RECT client{};
    GetClientRect(combo.Handle(), &client);
    const COLORREF lamp1 = Invert(GetSysColor(COLOR_WINDOW) & 0xFFFFFF, kCyan);
    const COLORREF lamp2 = Invert(GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF, kCyan);
    int lamps = 0;
    for (int x = 0; x < 24; ++x) {
        for (int y = 0; y < client.bottom; ++y) {
            const COLORREF pixel = GetPixel(dc.Get(), x, y) & 0xFFFFFF;
            if (pixel == lamp1 || pixel == lamp2) ++lamps;
        }
    }
    EXPECT_EQ(lamps, 1) << "one cyan lamp of the printer mark, inverted";

    // For a look at the dropped list: VELMOR_FONT_SHOW=seconds.
    if (const char* seconds = std::getenv("VELMOR_FONT_SHOW")) {
        FontNameComboBox real;
        real.Create(form, {.bounds = {8, 40, 177, 21}});
        real.SetDropDownCount(15);
        real.SetValue(L"Liberation Sans");
        SetForegroundWindow(form.Handle());
        real.SetFocus();
        PumpFor(100ms);
        SendMessageW(real.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        PumpFor(std::chrono::seconds(std::atoi(seconds)));
    }
}
