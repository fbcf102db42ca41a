// The colour picker as a real control on a form: its list, the events of
// code and user selections, item heights, the "..." button, drawing, the
// shared colour dialog and the custom-colour store. Both pickers share one
// form here, as on the settings pages.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ItemCanvas.h"
#include "TestForm.h"
#include "WinTestSupport.h"
#include "platform/Handles.h"
#include "platform/Text.h"
#include "settings/SettingsPages.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/Graphics.h"
#include "ui/Memo.h"
#include "widgets/ColorComboBox.h"
#include "widgets/ColorSaveSetting.h"
#include "widgets/FontNameComboBox.h"

using namespace std::chrono_literals;
using testsupport::PumpFor;
using widgets::ColorComboBox;

namespace {

using testsupport::TestForm;

void NotifySelChange(const ColorComboBox& combo) {
    SendMessageW(GetParent(combo.Handle()), WM_COMMAND, MAKEWPARAM(combo.Id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo.Handle()));
}

// The text the picker's tooltip control holds for it ("" without one).
std::wstring TipText(const ColorComboBox& picker) {
    struct Search {
        HWND tool;
        std::wstring text;
    } search{picker.Handle(), {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(context);
            wchar_t className[32] = {};
            GetClassNameW(window, className, 32);
            if (std::wstring(className) != TOOLTIPS_CLASSW) return TRUE;
            wchar_t text[80] = {};
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = GetParent(found.tool);
            tool.uId = reinterpret_cast<UINT_PTR>(found.tool);
            tool.lpszText = text;
            SendMessageW(window, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
            found.text = text;
            return found.text.empty();
        },
        reinterpret_cast<LPARAM>(&search));
    return search.text;
}

RECT ChildRectIn(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Answers the next modal dialog box of this thread (a message box or the
// colour dialog) with OK from a timer, noting its text.
class DialogAnswerer {
public:
    DialogAnswerer() {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &DialogAnswerer::Tick);
    }
    ~DialogAnswerer() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    int answered = 0;
    std::wstring text;  // the message box's text or the dialog's title
    HWND owner = nullptr;

private:
    static BOOL CALLBACK Find(HWND window, LPARAM found) {
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!current_) return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &DialogAnswerer::Find, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) return;
        wchar_t text[512] = {};
        if (!GetDlgItemTextW(dialog, 0xFFFF, text, 512)) GetWindowTextW(dialog, text, 512);
        current_->text = text;
        current_->owner = GetWindow(dialog, GW_OWNER);
        ++current_->answered;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }

    static inline DialogAnswerer* current_ = nullptr;
    UINT_PTR timer_ = 0;
};

// A colour dialog answered in place of the user.
struct ScriptedDialog {
    explicit ScriptedDialog(bool confirm, COLORREF chosen = 0) {
        ColorComboBox::SetDialogRunner([this, confirm, chosen](CHOOSECOLORW& dialog) {
            ++runs;
            initial = dialog.rgbResult;
            flags = dialog.Flags;
            for (int i = 0; i < 16; ++i) slotsIn.push_back(dialog.lpCustColors[i]);
            owner = dialog.hwndOwner;
            if (const auto act = std::exchange(during, nullptr)) act();
            dialog.lpCustColors[1] = RGB(0x12, 0x34, 0x56);  // the user defines a custom colour
            dialog.rgbResult = chosen;
            return confirm;
        });
    }
    ~ScriptedDialog() { ColorComboBox::SetDialogRunner(nullptr); }
    ScriptedDialog(const ScriptedDialog&) = delete;
    ScriptedDialog& operator=(const ScriptedDialog&) = delete;

    int runs = 0;
    COLORREF initial = 0;
    DWORD flags = 0;
    HWND owner = nullptr;
    std::vector<COLORREF> slotsIn;
    std::function<void()> during;  // what the user does while it is up (once)
};

class ColorCombo : public ::testing::Test {
protected:
    void SetUp() override {
        settings::SettingsPages::SetUpColorPicker(picker, form, {8, 8, 121, 25});
        picker.OnChange = [this](ColorComboBox& sender) {
            events.push_back("change");
            EXPECT_EQ(&sender, &picker);
        };
        picker.OnClick = [this](ColorComboBox&) { events.push_back("click"); };
        form.Show();
        UpdateWindow(form.Handle());
        PumpFor(20ms);
    }
    void TearDown() override { ColorComboBox::SharedCustomColors() = widgets::CustomColorList(); }

    int IndexOf(const wchar_t* text) const { return picker.IndexOf(text); }

    TestForm form{320, 420};
    ColorComboBox picker;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(ColorCombo, ProgramPickerListsTheBuiltInColoursAndStartsOnCustom) {
    ASSERT_EQ(picker.ItemCount(), 171);
    EXPECT_EQ(picker.Item(0), L"Black");
    EXPECT_EQ(picker.Item(170), L"(Custom)");
    EXPECT_EQ(picker.Text(), L"(Custom)");
    EXPECT_EQ(picker.Value(), ui::kColorNone);
    EXPECT_TRUE(events.empty());

    picker.SetJapaneseText(true);
    EXPECT_EQ(picker.Item(170), L"(カスタム)");
    EXPECT_EQ(picker.Item(2), L"ライム");
    EXPECT_EQ(picker.ItemIndex(), 170) << "the rebuild keeps the selection";
    EXPECT_TRUE(events.empty());
}

TEST_F(ColorCombo, SelectionFromCodeRaisesChangeThenClick) {
    picker.SetValue(ui::kColorWindow);
    EXPECT_EQ(picker.Text(), L"Window");
    EXPECT_EQ(events, (Events{"change", "click"}));
    events.clear();
    picker.SetValue(ui::Rgb(1, 2, 3));
    EXPECT_EQ(picker.Text(), L"(Custom)");
    EXPECT_EQ(picker.Value(), ui::Rgb(1, 2, 3));
    EXPECT_EQ(events, (Events{"change", "click"}));
    events.clear();
    picker.SetItemIndex(3);
    EXPECT_TRUE(events.empty()) << "selecting by index raises nothing";
}

TEST_F(ColorCombo, SelectionByTheUserRaisesClickThenChange) {
    SendMessageW(picker.Handle(), CB_SETCURSEL, 1, 0);
    NotifySelChange(picker);
    EXPECT_EQ(events, (Events{"click", "change"}));
    EXPECT_EQ(picker.Value(), ui::Rgb(255, 0, 0));

    events.clear();
    picker.SetFocus();
    SendMessageW(picker.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    SendMessageW(picker.Handle(), WM_KEYUP, VK_DOWN, 0xC0000001);
    PumpFor(20ms);
    EXPECT_EQ(picker.Text(), L"Lime");
    EXPECT_EQ(events, (Events{"click", "change"}));
}

TEST_F(ColorCombo, ItemHeightFollowsTheControlHeightAndTheFont) {
    EXPECT_EQ(picker.ItemHeight(), 19);
    EXPECT_EQ(picker.PixelBounds().height, 25);
    picker.SetPixelBounds({8, 8, 121, 21});
    EXPECT_EQ(picker.ItemHeight(), 15);
    EXPECT_EQ(picker.PixelBounds().height, 21);
    EXPECT_EQ(picker.PixelBounds().width, 121);
    picker.SetPixelBounds({8, 8, 121, 6});
    EXPECT_EQ(picker.ItemHeight(), 15) << "6 pixels or less leave it alone";

    // An 11-pixel font: ItemHeight 8 makes the font 12, and the font the entries 12.
    LOGFONTW logFont{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfHeight = -11;
    const platform::FontHandle font(CreateFontIndirectW(&logFont));
    picker.SetFont(font.get());
    EXPECT_EQ(picker.FontPixelHeight(), 11);
    EXPECT_EQ(picker.ItemHeight(), 15);
    const int selected = picker.ItemIndex();
    picker.SetItemHeight(8);
    EXPECT_EQ(picker.FontPixelHeight(), 12);
    EXPECT_EQ(picker.ItemHeight(), 12);
    EXPECT_EQ(picker.ItemIndex(), selected);

    // A taller font raises the entries.
    logFont.lfHeight = -24;
    const platform::FontHandle big(CreateFontIndirectW(&logFont));
    picker.SetFont(big.get());
    EXPECT_EQ(picker.ItemHeight(), 24);
    picker.SetFont(ui::CreateMenuFont().release());  // leaked on purpose: the control keeps using it
}

TEST_F(ColorCombo, CustomButtonShowsOnlyWhileCustomIsSelected) {
    const HWND button = picker.CustomButton().Handle();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetParent(button), picker.Handle());
    RECT client{};
    GetClientRect(picker.Handle(), &client);
    RECT place = ChildRectIn(button, picker.Handle());
    EXPECT_EQ(place.left, client.right - GetSystemMetrics(SM_CXVSCROLL) - ui::Scale(21));
    EXPECT_EQ(place.right - place.left, ui::Scale(19));
    EXPECT_EQ(place.top, ui::Scale(2));
    EXPECT_EQ(place.bottom, client.bottom - ui::Scale(2));

    picker.SetValue(0);
    place = ChildRectIn(button, picker.Handle());
    EXPECT_EQ(place.right, 0) << "outside the control";

    SendMessageW(picker.Handle(), CB_SETCURSEL, 170, 0);
    NotifySelChange(picker);
    place = ChildRectIn(button, picker.Handle());
    EXPECT_EQ(place.left, client.right - GetSystemMetrics(SM_CXVSCROLL) - ui::Scale(21));
    picker.SetItemIndex(0);
    EXPECT_EQ(ChildRectIn(button, picker.Handle()).right, 0) << "a selection by index moves it too";
    picker.SetItemIndex(170);

    picker.SetShowCustomColor(false);
    EXPECT_EQ(ChildRectIn(button, picker.Handle()).right, 0);
}

TEST_F(ColorCombo, EntriesAreDrawnWithSwatchAndText) {
    testsupport::ItemCanvas canvas(121, 19);
    const auto draw = [&](int index, UINT state) { canvas.Draw(picker, index, state); };
    draw(IndexOf(L"Red"), 0);
    EXPECT_EQ(canvas.At(8, 10), RGB(255, 0, 0)) << "inside the swatch";
    EXPECT_EQ(canvas.At(3, 4), RGB(255, 0, 0)) << "first pixel inside the frame";
    EXPECT_EQ(canvas.At(2, 3), RGB(0, 0, 0)) << "the frame";
    EXPECT_EQ(canvas.At(16, 16), RGB(0, 0, 0)) << "the frame's far corner";
    EXPECT_EQ(canvas.At(17, 10), GetSysColor(COLOR_WINDOW)) << "right of the swatch";
    EXPECT_EQ(canvas.At(8, 17), GetSysColor(COLOR_WINDOW)) << "below the swatch";
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_WINDOW));
    // Some text pixel right of L + 19.
    bool inked = false;
    for (int x = 19; x < 60 && !inked; ++x) {
        for (int y = 2; y < 17 && !inked; ++y) inked = canvas.At(x, y) != GetSysColor(COLOR_WINDOW);
    }
    EXPECT_TRUE(inked);

    draw(IndexOf(L"Window"), ODS_SELECTED);
    EXPECT_EQ(canvas.At(8, 10), GetSysColor(COLOR_WINDOW)) << "a system colour paints as it is now";
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_HIGHLIGHT));

    picker.SetCustomColor(ui::Rgb(0, 0x80, 0xFF));
    draw(170, 0);
    EXPECT_EQ(canvas.At(8, 10), RGB(0, 0x80, 0xFF)) << "the custom entry paints CustomColor";
    picker.SetCustomColor(ui::kColorNone);
    draw(170, 0);
    EXPECT_EQ(canvas.At(8, 10), GetSysColor(COLOR_WINDOW)) << "no colour: an empty frame";
    EXPECT_EQ(canvas.At(2, 3), RGB(0, 0, 0));

    picker.SetPixelBounds({8, 8, 121, 21});  // ItemHeight 15: no frame
    draw(IndexOf(L"Red"), 0);
    EXPECT_EQ(canvas.At(2, 3), RGB(255, 0, 0));
}

TEST_F(ColorCombo, JapaneseTextsFitTwentyTwoBytesOfCodePage932) {
    picker.SetJapaneseText(true);
    picker.SetZenKakuKana(false);
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(932, &info)) << "code page 932 is missing";
    for (int i = 0; i < picker.ItemCount(); ++i) {
        const std::wstring text = picker.Item(i);
        BOOL lossy = FALSE;
        const int bytes = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                              nullptr, 0, nullptr, &lossy);
        EXPECT_FALSE(lossy) << "not in code page 932: entry " << i;
        EXPECT_GT(bytes, 0);
        EXPECT_LE(bytes, 22) << "entry " << i << " (" << picker.OtherLanguageName(i).size() << ")";
    }
}

TEST_F(ColorCombo, HintShowsTheOtherLanguage) {
    picker.SetValue(ui::Rgb(255, 0, 255));
    picker.SetHintIsOtherLanguage(true);
    EXPECT_EQ(picker.Hint(), L"マゼンタ");
    picker.SetValue(ui::kColorWindow);
    EXPECT_EQ(picker.Hint(), L"ウィンドウ背景");
    picker.SetHintIsOtherLanguage(false);
    EXPECT_EQ(picker.Hint(), L"");

    ColorComboBox early;
    early.SetHint(L"Before the window");
    early.Create(form, {.bounds = {8, 40, 121, 25}});
    EXPECT_EQ(TipText(early), L"Before the window");
}

// Links to a memo end with the memo itself, not with its window.
TEST_F(ColorCombo, LinksToAMemoLastAsLongAsTheMemo) {
    widgets::FontNameComboBox fonts;
    fonts.Create(form, {.bounds = {8, 40, 177, 21}});
    ui::FontInfo font;
    font.name = L"Tahoma";

    // Linked before the memo has a window.
    auto early = std::make_unique<ui::Memo>();
    early->SetColor(ui::Rgb(0, 128, 0));
    early->SetFontInfo(font);
    picker.SetChangeControl(early.get());
    fonts.SetChangeControl(early.get());
    EXPECT_EQ(picker.Text(), L"Green") << "linking reads the memo's background";
    EXPECT_EQ(fonts.ChangeControl(), early.get());
    EXPECT_EQ(fonts.Value(), L"Tahoma");
    early->Create(form, {.bounds = {150, 8, 120, 60}});
    early.reset();
    EXPECT_EQ(picker.ChangeControl(), nullptr);
    EXPECT_EQ(fonts.ChangeControl(), nullptr);
    SendMessageW(picker.Handle(), CB_SETCURSEL, 2, 0);
    NotifySelChange(picker);  // nothing to drive any more
    fonts.SetValue(L"Liberation Sans");
    EXPECT_EQ(picker.Text(), L"Lime");

    // Linked with a window, which is then made again.
    ui::Memo memo;
    memo.Create(form, {.bounds = {150, 8, 120, 60}});
    picker.SetChangeControl(&memo);
    fonts.SetChangeControl(&memo);
    memo.DestroyHandle();
    memo.Create(form, {.bounds = {150, 8, 120, 60}});
    EXPECT_EQ(picker.ChangeControl(), &memo);
    EXPECT_EQ(fonts.ChangeControl(), &memo);
    SendMessageW(picker.Handle(), CB_SETCURSEL, 1, 0);
    NotifySelChange(picker);
    EXPECT_EQ(memo.Color(), ui::Rgb(255, 0, 0));
    picker.SetChangeControlFont(true);
    EXPECT_EQ(picker.Value(), memo.FontColor());
    fonts.SetValue(L"Tahoma");
    EXPECT_EQ(memo.GetFontInfo().name, L"Tahoma");
}

// ------------------------------------------------------- dialog and store

class ColorComboStore : public ColorCombo {
protected:
    void SetUp() override {
        ColorCombo::SetUp();
        path = platform::WideToAnsi(widgets::CustomColorIniPath());
        DeleteFileA(path.c_str());
        picker.SetValue(ui::Rgb(7, 7, 7));  // the custom entry, with its button
        events.clear();
    }
    void TearDown() override {
        DeleteFileA(path.c_str());
        ColorCombo::TearDown();
    }
    std::string Ini(const char* section, const char* key) const {
        char value[64] = {};
        GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, path.c_str());
        return value;
    }

    std::string path;
};

TEST_F(ColorComboStore, ConfirmingANewColourSetsCustomColorThenClickAndChange) {
    const ScriptedDialog dialog(true, RGB(0x20, 0x40, 0x60));
    const HWND button = picker.CustomButton().Handle();
    RECT place{};
    GetClientRect(button, &place);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(picker.CustomButton().Pressed());
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(dialog.runs, 1);
    EXPECT_FALSE(picker.CustomButton().Pressed());
    EXPECT_EQ(dialog.initial, RGB(7, 7, 7));
    EXPECT_EQ(dialog.flags & CC_RGBINIT, static_cast<DWORD>(CC_RGBINIT));
    EXPECT_EQ(dialog.flags & CC_FULLOPEN, 0u);
    EXPECT_EQ(dialog.slotsIn[0], RGB(255, 255, 255));
    EXPECT_EQ(picker.CustomColor(), ui::Rgb(0x20, 0x40, 0x60));
    EXPECT_EQ(picker.Value(), ui::Rgb(0x20, 0x40, 0x60));
    EXPECT_EQ(events, (Events{"click", "change"}));
    EXPECT_EQ(ColorComboBox::SharedCustomColors().Value("ColorB"), "563412") << "kept for the other pickers";
    EXPECT_EQ(Ini("CustomColors", "ColorA"), "(none)") << "the store is off";

    // Released outside the button: no click.
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(place.right + 5, 5));
    EXPECT_TRUE(picker.CustomButton().Pressed());
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(place.right + 5, 5));
    EXPECT_EQ(dialog.runs, 1);

    // The other buttons press it as well.
    SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialog.runs, 2);
    SendMessageW(button, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialog.runs, 3);
}

TEST_F(ColorComboStore, OneDialogAtATimeModalToThePickersForm) {
    ColorComboBox second;
    second.Create(form, {.bounds = {8, 40, 121, 25}});
    second.SetValue(ui::Rgb(9, 9, 9));
    ScriptedDialog dialog(true, RGB(1, 2, 3));
    dialog.during = [&] { second.RunCustomColorDialog(); };
    picker.RunCustomColorDialog();
    EXPECT_EQ(dialog.runs, 1) << "the second picker's dialog waits for the first";
    EXPECT_EQ(dialog.owner, form.Handle());
    second.RunCustomColorDialog();
    EXPECT_EQ(dialog.runs, 2);
}

TEST_F(ColorComboStore, DialogStartsFromARealColourForNoneAndSystemValues) {
    picker.SetValue(ui::kColorNone);
    {
        const ScriptedDialog dialog(false);
        picker.RunCustomColorDialog();
        EXPECT_EQ(dialog.initial, RGB(0, 0, 0)) << "none is no colour to start from";
    }
    picker.SetValue(static_cast<ui::ColorValue>(0xFF00000D));  // Highlight
    {
        const ScriptedDialog dialog(false);
        picker.RunCustomColorDialog();
        EXPECT_EQ(dialog.initial, GetSysColor(COLOR_HIGHLIGHT));
    }
}

TEST_F(ColorComboStore, ConfirmingTheSameColourOrCancellingRaisesNothing) {
    {
        const ScriptedDialog dialog(true, RGB(7, 7, 7));
        picker.RunCustomColorDialog();
        EXPECT_EQ(dialog.runs, 1);
    }
    {
        const ScriptedDialog dialog(false, RGB(1, 1, 1));
        picker.RunCustomColorDialog();
        EXPECT_EQ(dialog.runs, 1);
    }
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(picker.CustomColor(), ui::Rgb(7, 7, 7));
}

TEST_F(ColorComboStore, IniStoreWritesSixteenKeysAndAnEmptySectionNothing) {
    picker.SetCustomColorSave(true);
    picker.SetCustomColorSaveOption({widgets::SaveToColorFile::scfIniFile, ""});
    {
        const ScriptedDialog dialog(true, RGB(1, 2, 3));
        picker.RunCustomColorDialog();
    }
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing written";

    picker.SetCustomColorSaveOption({widgets::SaveToColorFile::scfIniFile, "CustomColors"});
    WritePrivateProfileStringA("CustomColors", "ColorC", "00FF00", path.c_str());
    const ScriptedDialog dialog(true, RGB(4, 5, 6));
    picker.RunCustomColorDialog();
    ASSERT_EQ(dialog.runs, 1);
    EXPECT_EQ(dialog.slotsIn[0], 0xFFFFFFFFu) << "a slot the store lacks";
    EXPECT_EQ(dialog.slotsIn[2], RGB(0, 0xFF, 0));
    for (char letter = 'A'; letter <= 'P'; ++letter) {
        const std::string key = std::string("Color") + letter;
        EXPECT_NE(Ini("CustomColors", key.c_str()), "(none)") << key;
    }
    EXPECT_EQ(Ini("CustomColors", "ColorA"), "FFFFFFFF");
    EXPECT_EQ(Ini("CustomColors", "ColorB"), "563412");
    EXPECT_EQ(Ini("CustomColors", "ColorC"), "00FF00");
}

TEST_F(ColorComboStore, StoredValueThatIsNotHexadecimalIsReportedAndNoDialogShows) {
    picker.SetCustomColorSave(true);
    picker.SetCustomColorSaveOption({widgets::SaveToColorFile::scfIniFile, "CustomColors"});
    WritePrivateProfileStringA("CustomColors", "ColorE", "blue", path.c_str());
    const ScriptedDialog dialog(true, RGB(1, 1, 1));
    const DialogAnswerer answerer;
    picker.RunCustomColorDialog();
    EXPECT_EQ(answerer.answered, 1) << "the standard error report";
    EXPECT_NE(answerer.text.find(L"blue"), std::wstring::npos) << std::string(answerer.text.begin(), answerer.text.end());
    EXPECT_EQ(dialog.runs, 0);
    EXPECT_EQ(picker.CustomColor(), ui::Rgb(7, 7, 7));
    EXPECT_TRUE(events.empty());
}

TEST_F(ColorComboStore, RegistryStoreRoundTrip) {
    const char* key = "Software\\VelmorTests\\CustomColors";
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VelmorTests");
    picker.SetCustomColorSave(true);
    picker.SetCustomColorSaveOption({widgets::SaveToColorFile::scfRegistry, key});
    {
        const ScriptedDialog dialog(true, RGB(9, 8, 7));
        picker.RunCustomColorDialog();
        EXPECT_EQ(dialog.slotsIn[0], RGB(255, 255, 255)) << "a missing key leaves the list as it was";
    }
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ | KEY_WRITE, &opened), ERROR_SUCCESS);
    char value[32] = {};
    DWORD size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(opened, "ColorB", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
    EXPECT_STREQ(value, "563412");
    RegSetValueExA(opened, "ColorA", 0, REG_SZ, reinterpret_cast<const BYTE*>("0000FF"), 7);
    RegDeleteValueA(opened, "ColorP");
    RegCloseKey(opened);
    ColorComboBox::SharedCustomColors() = widgets::CustomColorList();
    {
        const ScriptedDialog dialog(true, RGB(9, 8, 7));
        picker.RunCustomColorDialog();
        ASSERT_EQ(dialog.slotsIn.size(), 16u);
        EXPECT_EQ(dialog.slotsIn[0], RGB(0xFF, 0, 0));
        EXPECT_EQ(dialog.slotsIn[15], 0xFFFFFFFFu);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VelmorTests");
}

TEST_F(ColorComboStore, RealColourDialogConfirmedUnchangedRaisesNothing) {
    const DialogAnswerer answerer;
    picker.RunCustomColorDialog();
    EXPECT_EQ(answerer.answered, 1) << "the system's dialog came up";
    EXPECT_EQ(answerer.owner, form.Handle());
    EXPECT_EQ(picker.CustomColor(), ui::Rgb(7, 7, 7)) << "OK keeps the colour it started with";
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(ColorComboBox::SharedCustomColors().Value("ColorA"), "FFFFFF");
}

}  // namespace
