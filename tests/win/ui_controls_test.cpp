// The settings pages' controls as real windows: values read back from the
// controls, which changes raise events, and how the pages and owner-drawn
// lists lay themselves out.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "TestForm.h"
#include "WinTestSupport.h"
#include "ui/Button.h"
#include "ui/Menu.h"
#include "ui/ComboBox.h"
#include "platform/Handles.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/Graphics.h"
#include "ui/GroupBox.h"
#include "ui/ListBox.h"
#include "ui/OwnerDrawCombo.h"
#include "ui/PageControl.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/SpinEdit.h"

using namespace std::chrono_literals;
using testsupport::PumpFor;

namespace {

using testsupport::TestForm;

// A control tells its parent what the user did through these two messages.
void NotifyCommand(const ui::Control& control, WORD code) {
    SendMessageW(GetParent(control.Handle()), WM_COMMAND, MAKEWPARAM(control.Id(), code),
                 reinterpret_cast<LPARAM>(control.Handle()));
}

void NotifyParent(HWND control, UINT code) {
    NMHDR header{control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
    SendMessageW(GetParent(control), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void Type(HWND edit, const std::wstring& text) {
    for (const wchar_t ch : text) SendMessageW(edit, WM_CHAR, ch, 1);
}

void PressKey(HWND window, UINT key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

void ClickAt(HWND window, POINT at, bool twice = false) {
    const LPARAM position = MAKELPARAM(at.x, at.y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
    SendMessageW(window, WM_LBUTTONUP, 0, position);
    if (twice) {
        SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, position);
        SendMessageW(window, WM_LBUTTONUP, 0, position);
    }
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// 96-dpi bounds in screen pixels, as Create scales them.
ui::Bounds Scaled(const ui::Bounds& design) {
    return {ui::Scale(design.left), ui::Scale(design.top), ui::Scale(design.width), ui::Scale(design.height)};
}

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

// ---------------------------------------------------------------- spin edit

class ControlsSpinEdit : public ::testing::Test {
protected:
    void SetUp() override {
        clips.Create(form, {.bounds = {8, 8, 57, 22}, .minValue = 1, .maxValue = 50, .value = 3});
        width.Create(form, {.bounds = {8, 40, 57, 22}, .value = 200});
        other.Create(form, {.bounds = {8, 72, 75, 25}, .caption = L"Other"});
        clips.OnChange = [this](ui::SpinEdit& sender) {
            ++changes;
            seen.push_back(sender.Text());
        };
        form.Show();
        PumpFor(20ms);
    }

    TestForm form;
    ui::SpinEdit clips;  // ranged 1..50
    ui::SpinEdit width;  // no range
    ui::Button other;
    int changes = 0;
    std::vector<std::wstring> seen;
};

TEST_F(ControlsSpinEdit, SetValueClampsAndRaisesOnChangeOnlyWhenTheTextChanges) {
    EXPECT_EQ(clips.Value(), 3);
    EXPECT_EQ(clips.Text(), L"3");
    clips.SetValue(99);
    EXPECT_EQ(clips.Value(), 50);
    EXPECT_EQ(clips.Text(), L"50");
    EXPECT_EQ(changes, 1);
    clips.SetValue(50);
    clips.SetValue(77);  // clamps to what it already holds
    EXPECT_EQ(changes, 1);
    clips.SetValue(-4);
    EXPECT_EQ(clips.Text(), L"1");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(seen.back(), L"1") << "the handler reads the new value";

    width.SetValue(-300);
    EXPECT_EQ(width.Value(), -300) << "no range takes negative numbers";
    width.SetValue(123456);
    EXPECT_EQ(width.Value(), 123456);
}

TEST_F(ControlsSpinEdit, TypedTextIsReadThroughTheRangeAndCorrectedOnLeaving) {
    SetWindowTextW(clips.Handle(), L"");
    changes = 0;
    Type(clips.Handle(), L"7x.");
    EXPECT_EQ(clips.Text(), L"7") << "letters and points are refused as they are typed";
    EXPECT_EQ(changes, 1);
    Type(clips.Handle(), L"5");
    EXPECT_EQ(clips.Text(), L"75");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(clips.Value(), 50) << "read clamped while the user is still typing";

    clips.SetFocus();
    other.SetFocus();
    EXPECT_EQ(clips.Text(), L"50") << "the text is clamped when the box loses the focus";
    EXPECT_EQ(changes, 3);

    // Text that is not a number (pasted, say) reads as the minimum and is left alone.
    SetWindowTextW(clips.Handle(), L"abc");
    EXPECT_EQ(clips.Value(), 1);
    SetWindowTextW(width.Handle(), L"12a");
    EXPECT_EQ(width.Value(), 0);
    clips.SetFocus();
    other.SetFocus();
    EXPECT_EQ(clips.Text(), L"abc");
    // SetValue of the value it reads still writes the number in.
    clips.SetValue(1);
    EXPECT_EQ(clips.Text(), L"1");
}

TEST_F(ControlsSpinEdit, ArrowsStepByTheIncrementWithinTheRange) {
    clips.SetFocus();
    PressKey(clips.Handle(), VK_UP);
    EXPECT_EQ(clips.Value(), 4);
    EXPECT_EQ(changes, 1);
    PressKey(clips.Handle(), VK_DOWN);
    PressKey(clips.Handle(), VK_DOWN);
    EXPECT_EQ(clips.Value(), 2);
    EXPECT_EQ(changes, 3);

    // The arrow buttons themselves: the upper half steps up.
    const HWND arrows = clips.UpDownHandle();
    ASSERT_NE(arrows, nullptr);
    const RECT area = ClientRectOf(arrows);
    ClickAt(arrows, {area.right / 2, area.bottom / 4});
    PumpFor(20ms);
    EXPECT_EQ(clips.Value(), 3);
    ClickAt(arrows, {area.right / 2, area.bottom * 3 / 4});
    PumpFor(20ms);
    EXPECT_EQ(clips.Value(), 2);

    clips.SetValue(50);
    changes = 0;
    PressKey(clips.Handle(), VK_UP);
    EXPECT_EQ(clips.Value(), 50);
    EXPECT_EQ(changes, 0) << "stepping against the limit changes nothing";

    width.SetValue(0);
    PressKey(width.Handle(), VK_DOWN);
    EXPECT_EQ(width.Value(), -1) << "no range steps below zero";
}

TEST_F(ControlsSpinEdit, ArrowsSitInsideTheBoundsAndFollowThem) {
    // The arrows overlap the edit's sunken border by a pixel or two, as the
    // system places them; they end at the right end of the given bounds.
    const auto arrowsRect = [&] {
        RECT rect{};
        GetWindowRect(clips.UpDownHandle(), &rect);
        MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    RECT arrows = arrowsRect();
    const ui::Bounds edit = clips.PixelBounds();
    EXPECT_LE(arrows.left, edit.left + edit.width);
    EXPECT_GE(arrows.left, edit.left + edit.width - 3);
    EXPECT_LE(arrows.right, ui::Scale(8 + 57));
    EXPECT_GE(arrows.right, ui::Scale(8 + 57) - 3);
    EXPECT_GT(edit.width, ui::Scale(57) / 2) << "the edit keeps most of the width";

    clips.SetPixelBounds(Scaled({100, 100, 80, 22}));
    arrows = arrowsRect();
    EXPECT_LE(arrows.right, ui::Scale(180));
    EXPECT_GE(arrows.right, ui::Scale(180) - 3);
    EXPECT_EQ(arrows.top, clips.PixelBounds().top);

    clips.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(clips.UpDownHandle()));
    clips.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(clips.UpDownHandle()));
}

// ---------------------------------------------------------------- combo box

class ControlsComboBox : public ::testing::Test {
protected:
    void SetUp() override {
        format.Create(form, {.bounds = {8, 8, 145, 21}});
        format.AddItem(L"hh:mm ss");
        format.AddItem(L"hh:mm");
        format.SetText(L"hh:mm ss");
        charset.Create(form, {.bounds = {8, 40, 177, 21}, .style = ui::ComboStyle::DropDownList});
        for (const wchar_t* name : {L"ANSI_CHARSET", L"ARABIC_CHARSET", L"BALTIC_CHARSET"}) charset.AddItem(name);
        charset.SetItemIndex(0);
        format.OnChange = [this](ui::ComboBox& sender) { seen.push_back(sender.Text()); };
        charset.OnChange = [this](ui::ComboBox& sender) { seen.push_back(sender.Text()); };
        form.Show();
        PumpFor(20ms);
    }

    TestForm form;
    ui::ComboBox format;
    ui::ComboBox charset;
    std::vector<std::wstring> seen;
};

TEST_F(ControlsComboBox, ItemsAndChangesFromCodeRaiseNothing) {
    EXPECT_EQ(format.ItemCount(), 2);
    EXPECT_EQ(format.Item(1), L"hh:mm");
    EXPECT_EQ(format.Item(2), L"");
    EXPECT_EQ(format.IndexOf(L"HH:MM"), 1);
    EXPECT_EQ(format.Text(), L"hh:mm ss");

    format.SetItemIndex(1);
    EXPECT_EQ(format.Text(), L"hh:mm");
    format.SetItemIndex(1);
    format.SetText(L"yy/mm/dd hh:nn");
    EXPECT_EQ(format.Text(), L"yy/mm/dd hh:nn") << "free text is allowed";
    format.SetText(L"yy/mm/dd hh:nn");
    format.SetItemIndex(-1);
    EXPECT_EQ(format.ItemIndex(), -1);
    EXPECT_EQ(format.Text(), L"") << "no selection clears the field";

    charset.SetText(L"BALTIC_CHARSET");
    EXPECT_EQ(charset.ItemIndex(), 2);
    EXPECT_EQ(charset.Text(), L"BALTIC_CHARSET");
    charset.SetText(L"THAI_CHARSET");
    EXPECT_EQ(charset.ItemIndex(), -1) << "a list selects only what it has";
    charset.SetItemIndex(7);
    EXPECT_EQ(charset.ItemIndex(), -1);
    EXPECT_TRUE(seen.empty());

    format.ClearItems();
    EXPECT_EQ(format.ItemCount(), 0);
}

TEST_F(ControlsComboBox, PickingAnItemRaisesOnChangeWithTheNewText) {
    // The control changes the selection, then tells the parent before its
    // field shows the picked text.
    SendMessageW(format.Handle(), CB_SETCURSEL, 1, 0);
    const HWND field = FindWindowExW(format.Handle(), nullptr, L"Edit", nullptr);
    ASSERT_NE(field, nullptr);
    format.SetText(L"hh:mm ss");
    NotifyCommand(format, CBN_SELCHANGE);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], L"hh:mm");
    EXPECT_EQ(WindowText(field), L"hh:mm");

    SendMessageW(charset.Handle(), CB_SETCURSEL, 1, 0);
    NotifyCommand(charset, CBN_SELCHANGE);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], L"ARABIC_CHARSET");
}

TEST_F(ControlsComboBox, TypingInTheFieldRaisesOnChange) {
    const HWND field = FindWindowExW(format.Handle(), nullptr, L"Edit", nullptr);
    ASSERT_NE(field, nullptr);
    SendMessageW(field, EM_SETSEL, 0, -1);
    Type(field, L"hh");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], L"h");
    EXPECT_EQ(seen[1], L"hh");
    EXPECT_EQ(format.Text(), L"hh");
}

TEST_F(ControlsComboBox, KeyboardSelectionInAListRaisesOnChange) {
    charset.SetFocus();
    PressKey(charset.Handle(), VK_DOWN);
    PumpFor(20ms);
    EXPECT_EQ(charset.ItemIndex(), 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], L"ARABIC_CHARSET");
}

// --------------------------------------------------------- owner-drawn list

class CountingCombo : public ui::OwnerDrawCombo {
public:
    int measured = 0;
    std::vector<int> drawn;  // item ids, -1 for an empty field

protected:
    void MeasureItem(UINT& height) override {
        ++measured;
        OwnerDrawCombo::MeasureItem(height);
    }
    void DrawItem(const DRAWITEMSTRUCT& item) override {
        drawn.push_back(static_cast<int>(item.itemID));
        OwnerDrawCombo::DrawItem(item);
    }
};

TEST(ControlsOwnerDrawCombo, ItemHeightComesFromTheMeasureAtCreation) {
    TestForm form;
    CountingCombo combo;
    combo.Create(form, {.bounds = {8, 8, 121, 25}, .itemHeight = 19});
    EXPECT_GE(combo.measured, 1) << "the control asked during its creation";
    EXPECT_EQ(combo.ItemHeight(), 19);
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETITEMHEIGHT, 0, 0), 19);
    EXPECT_EQ(combo.PixelBounds().height, 25) << "the field is the item height plus the frame";

    combo.SetItemHeight(15);
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETITEMHEIGHT, 0, 0), 15);
    EXPECT_EQ(combo.PixelBounds().height, 21);
    combo.SetItemHeight(15);
    EXPECT_EQ(combo.PixelBounds().height, 21);
}

TEST(ControlsOwnerDrawCombo, DrawsTheSelectedItemAndReportsUserPicks) {
    TestForm form;
    CountingCombo combo;
    combo.Create(form, {.bounds = {8, 8, 121, 25}, .itemHeight = 19});
    for (const wchar_t* name : {L"Black", L"Maroon", L"Green"}) combo.AddItem(name);
    int changes = 0;
    combo.OnChange = [&](ui::ComboBox& sender) {
        ++changes;
        EXPECT_EQ(sender.Text(), L"Green");
    };
    form.Show();
    UpdateWindow(form.Handle());
    PumpFor(20ms);
    combo.drawn.clear();
    combo.SetItemIndex(1);
    combo.Invalidate();
    UpdateWindow(combo.Handle());
    ASSERT_FALSE(combo.drawn.empty());
    EXPECT_EQ(combo.drawn.back(), 1);
    EXPECT_EQ(changes, 0);

    SendMessageW(combo.Handle(), CB_SETCURSEL, 2, 0);
    NotifyCommand(combo, CBN_SELCHANGE);
    EXPECT_EQ(changes, 1);
}

// ------------------------------------------------------------- page control

class ControlsPageControl : public ::testing::Test {
protected:
    void SetUp() override {
        pages.Create(form, {.bounds = {0, 0, 280, 260}});
        for (const wchar_t* caption : {L"Property", L"ClipText", L"Clip Window", L"Other"}) pages.AddPage(caption);
        pages.OnChange = [this](ui::PageControl&) { ++changes; };
        form.Show();
        PumpFor(20ms);
    }

    std::vector<int> VisiblePages() const {
        std::vector<int> shown;
        for (int i = 0; i < pages.PageCount(); ++i) {
            if (IsWindowVisible(pages.Page(i).Handle())) shown.push_back(i);
        }
        return shown;
    }

    TestForm form;
    ui::PageControl pages;
    int changes = 0;
};

TEST_F(ControlsPageControl, ExactlyTheSelectedPageShows) {
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_EQ(VisiblePages(), std::vector<int>{0});
    pages.SetActivePageIndex(2);
    EXPECT_EQ(VisiblePages(), std::vector<int>{2});
    EXPECT_EQ(SendMessageW(pages.Handle(), TCM_GETCURSEL, 0, 0), 2);
    pages.SetActivePageIndex(2);
    pages.SetActivePageIndex(9);
    EXPECT_EQ(pages.ActivePageIndex(), 2);
    EXPECT_EQ(changes, 0) << "choosing a page from code raises nothing";

    SendMessageW(pages.Handle(), TCM_SETCURSEL, 3, 0);
    NotifyParent(pages.Handle(), TCN_SELCHANGE);
    EXPECT_EQ(pages.ActivePageIndex(), 3);
    EXPECT_EQ(VisiblePages(), std::vector<int>{3});
    EXPECT_EQ(changes, 1);

    pages.Page(1).SetCaption(L"Text");
    wchar_t text[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(pages.Handle(), TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"Text");
}

void ExpectPagesFillTheDisplayArea(const ui::PageControl& pages) {
    RECT display = ClientRectOf(pages.Handle());
    SendMessageW(pages.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (int i = 0; i < pages.PageCount(); ++i) {
        const ui::Bounds page = pages.Page(i).PixelBounds();
        EXPECT_EQ(page.left, display.left) << "page " << i;
        EXPECT_EQ(page.top, display.top) << "page " << i;
        EXPECT_EQ(page.width, display.right - display.left) << "page " << i;
        EXPECT_EQ(page.height, display.bottom - display.top) << "page " << i;
    }
}

TEST_F(ControlsPageControl, PagesFillTheDisplayAreaAndFollowResizesAndFonts) {
    ExpectPagesFillTheDisplayArea(pages);
    EXPECT_GT(pages.Page(0).PixelBounds().top, 0) << "below the tabs";
    pages.SetPixelBounds(Scaled({0, 0, 360, 300}));
    ExpectPagesFillTheDisplayArea(pages);

    // A larger font makes taller (and more) rows of tabs.
    const int before = pages.Page(0).PixelBounds().top;
    LOGFONTW large{};
    large.lfHeight = -ui::Scale(24);
    wcscpy_s(large.lfFaceName, L"Tahoma");
    const platform::FontHandle font(CreateFontIndirectW(&large));
    pages.SetFont(font.get());
    EXPECT_GT(pages.Page(0).PixelBounds().top, before);
    ExpectPagesFillTheDisplayArea(pages);
}

TEST_F(ControlsPageControl, TabsWrapOntoMoreRowsWhenTheyDoNotFit) {
    pages.SetPixelBounds(Scaled({0, 0, 400, 260}));
    EXPECT_EQ(pages.RowCount(), 1);
    const int oneRowTop = pages.Page(0).PixelBounds().top;
    pages.SetPixelBounds(Scaled({0, 0, 150, 260}));
    EXPECT_GT(pages.RowCount(), 1);
    EXPECT_GT(pages.Page(0).PixelBounds().top, oneRowTop) << "the extra rows push the pages down";
}

TEST_F(ControlsPageControl, ControlsOnAPageGetTheFontAndTheirNotifications) {
    // A page takes the tab control's font, and passes its own on.
    ui::TabSheet& sheet = pages.Page(0);
    const platform::FontHandle font(ui::CreateMenuFont());
    pages.SetFont(font.get());
    sheet.SetFont(font.get());
    ui::Button button;
    button.Create(sheet, {.bounds = {8, 8, 75, 25}, .caption = L"Press"});
    ui::SpinEdit spin;
    spin.Create(sheet, {.bounds = {8, 40, 57, 22}, .minValue = 1, .maxValue = 50, .value = 3});
    int clicks = 0;
    int spins = 0;
    button.OnClick = [&](ui::Button&) { ++clicks; };
    spin.OnChange = [&](ui::SpinEdit&) { ++spins; };
    EXPECT_EQ(SendMessageW(button.Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font.get()));
    ui::TabSheet& added = pages.AddPage(L"Added");
    EXPECT_EQ(SendMessageW(added.Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font.get()));
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    PressKey(spin.Handle(), VK_UP);
    EXPECT_EQ(spin.Value(), 4) << "the arrows' notification reached the spin edit through the page";
    EXPECT_EQ(spins, 1);
}

// ----------------------------------------------------------------- list box

TEST(ControlsListBox, SelectionByTheUserRaisesClickAndDoubleClick) {
    TestForm form;
    ui::ListBox list;
    list.Create(form, {.bounds = {2, 32, 263, 145}});
    for (const wchar_t* name : {L"English", L"Japanese", L"German"}) list.AddItem(name);
    std::vector<int> clicked;
    int doubleClicks = 0;
    list.OnClick = [&](ui::ListBox& sender) { clicked.push_back(sender.ItemIndex()); };
    list.OnDblClick = [&](ui::ListBox& sender) {
        ++doubleClicks;
        EXPECT_EQ(sender.Item(sender.ItemIndex()), L"German");
    };
    form.Show();
    PumpFor(20ms);

    EXPECT_EQ(list.ItemCount(), 3);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_TRUE(clicked.empty()) << "selecting from code raises nothing";
    EXPECT_EQ(list.PixelBounds().height, ui::Scale(145)) << "the height is kept, not rounded to whole rows";

    RECT row{};
    SendMessageW(list.Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    ClickAt(list.Handle(), {(row.left + row.right) / 2, (row.top + row.bottom) / 2});
    EXPECT_EQ(clicked, std::vector<int>{2});
    ClickAt(list.Handle(), {(row.left + row.right) / 2, (row.top + row.bottom) / 2}, true);
    EXPECT_EQ(doubleClicks, 1);

    list.ClearItems();
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.ItemIndex(), -1);
}

// ------------------------------------------------------------ radio buttons

TEST(ControlsRadioButton, ButtonsOfAGroupExcludeEachOtherButNotOtherGroups) {
    TestForm form;
    ui::GroupBox scrollBars;
    scrollBars.Create(form, {.bounds = {8, 8, 121, 73}, .caption = L"ScrollBar"});
    ui::RadioButton vertical;
    ui::RadioButton none;
    vertical.Create(form, {.bounds = scrollBars.ChildBounds({8, 20, 105, 17}), .caption = L"Vertical", .groupStart = true, .checked = true});
    none.Create(form, {.bounds = scrollBars.ChildBounds({8, 44, 105, 17}), .caption = L"None"});
    ui::RadioButton left;
    ui::RadioButton right;
    left.Create(form, {.bounds = {150, 28, 100, 17}, .caption = L"Left", .groupStart = true, .checked = true});
    right.Create(form, {.bounds = {150, 52, 100, 17}, .caption = L"Right"});
    std::vector<std::wstring> clicks;
    for (ui::RadioButton* button : {&vertical, &none, &left, &right}) {
        button->OnClick = [&](ui::RadioButton& sender) { clicks.push_back(sender.Text()); };
    }
    form.Show();
    PumpFor(20ms);
    EXPECT_EQ(vertical.PixelBounds().left, ui::Scale(16));
    EXPECT_EQ(vertical.PixelBounds().top, ui::Scale(28));

    SendMessageW(none.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(none.Checked());
    EXPECT_FALSE(vertical.Checked());
    EXPECT_TRUE(left.Checked()) << "the next group is not touched";
    EXPECT_EQ(clicks, std::vector<std::wstring>{L"None"});
    SendMessageW(none.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.size(), 1u) << "clicking the checked button is no change";

    vertical.SetChecked(true);
    EXPECT_TRUE(vertical.Checked());
    EXPECT_FALSE(none.Checked());
    EXPECT_TRUE(left.Checked());
    EXPECT_EQ(clicks.back(), L"Vertical");
    vertical.SetChecked(true);
    none.SetChecked(false);
    EXPECT_EQ(clicks.size(), 2u);

    // After a change from code the user's click on the other button still counts.
    SendMessageW(none.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.back(), L"None");
    EXPECT_EQ(clicks.size(), 3u);
    EXPECT_FALSE(vertical.Checked());
}

// ------------------------------------------------------- panel and paint box

TEST(ControlsPanel, HoldsControlsAndStaysAlongTheBottom) {
    TestForm form;
    ui::Panel strip;
    strip.Create(form, {.bounds = {0, 0, 100, 41}});
    const platform::FontHandle font(ui::CreateMenuFont());
    strip.SetFont(font.get());
    ui::Button button;
    button.Create(strip, {.bounds = {191, 8, 83, 25}, .caption = L"Task Tray"});
    int clicks = 0;
    button.OnClick = [&](ui::Button&) { ++clicks; };
    strip.OnResize = [&](ui::Panel& sender) {
        const ui::Bounds at = button.PixelBounds();
        button.SetPixelBounds({sender.ClientSize().cx - at.width - ui::Scale(6), at.top, at.width, at.height});
    };
    strip.AlignBottom(41);
    form.Show();
    PumpFor(20ms);
    EXPECT_EQ(SendMessageW(button.Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font.get()))
        << "controls created on the panel take its font";
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    for (const SIZE size : {SIZE{300, 200}, SIZE{500, 420}}) {
        form.SetClientSize(size.cx, size.cy);
        const ui::Bounds at = strip.PixelBounds();
        EXPECT_EQ(at.left, 0);
        EXPECT_EQ(at.width, size.cx);
        EXPECT_EQ(at.height, ui::Scale(41));
        EXPECT_EQ(at.top + at.height, size.cy);
        EXPECT_EQ(button.PixelBounds().left + button.PixelBounds().width, size.cx - ui::Scale(6));
    }
}

TEST(ControlsPaintBox, OnPaintDrawsOffScreenAndReachesTheWindow) {
    TestForm form;
    ui::PaintBox box;
    box.Create(form, {.bounds = {14, 24, 233, 113}});
    int paints = 0;
    int clicks = 0;
    box.OnPaint = [&](ui::PaintBox&, HDC dc, const RECT& client) {
        ++paints;
        EXPECT_EQ(client.right, ui::Scale(233));
        EXPECT_NE(WindowFromDC(dc), box.Handle()) << "drawing goes to a memory picture";
        RECT block{10, 10, 30, 30};
        const platform::BrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc, &block, red.get());
    };
    box.OnClick = [&](ui::PaintBox&) { ++clicks; };
    form.Show();
    UpdateWindow(form.Handle());
    EXPECT_GE(paints, 1);

    // Printed into a bitmap of our own, the picture shows the drawing over the face colour.
    const RECT client = ClientRectOf(box.Handle());
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const platform::BitmapHandle bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
    ReleaseDC(nullptr, screen);
    {
        const platform::ScopedSelect use(memory, bitmap.get());
        SendMessageW(box.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        EXPECT_EQ(GetPixel(memory, 20, 20), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(memory, 50, 50), GetSysColor(COLOR_BTNFACE));
    }
    DeleteDC(memory);

    const int before = paints;
    box.Repaint();
    EXPECT_EQ(paints, before + 1);
    ClickAt(box.Handle(), {5, 5});
    EXPECT_EQ(clicks, 1);
}

}  // namespace

namespace {

// WM_COMMAND carries 16 bits of a menu id; items made and dropped all day must
// keep ids that fit and that find their own item.
TEST(ControlsMenu, CommandIdsOfDroppedItemsAreReusedAndStayIn16Bits) {
    for (int round = 0; round < 40000; ++round) {
        ui::PopupMenu menu;
        ui::MenuItem& item = menu.Add(L"&Item");
        ASSERT_LE(item.Command(), 0xFFFFu);
        ASSERT_GE(item.Command(), 0x8000u);
        ASSERT_EQ(ui::MenuItem::FromCommand(item.Command()), &item);
    }
}

}  // namespace
