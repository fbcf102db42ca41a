// The colour picker's list, Value rules and event order, driven through a
// stand-in for the control's window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Error.h"
#include "widgets/ColorPickerModel.h"

namespace {

using widgets::ColorGroup;
using widgets::ColorPickerModel;

class FakeHost : public widgets::ColorPickerHost {
public:
    bool window = false;
    std::vector<widgets::ColorItem> list;
    int selected = -1;
    std::wstring hint;
    std::vector<std::string> log;  // events and button placements, in order
    int buttonPlacements = 0;

    bool HasWindow() const override { return window; }
    void LoadList(const std::vector<widgets::ColorItem>& items) override {
        list = items;
        selected = -1;
    }
    int SelectedIndex() const override { return selected; }
    void Select(int index) override { selected = index; }
    void Repaint() override {}
    void PlaceCustomButton() override { ++buttonPlacements; }
    void SetHint(const std::wstring& text) override { hint = text; }
    void RaiseChange() override { log.push_back("change"); }
    void RaiseClick() override { log.push_back("click"); }

    std::wstring SelectedText() const { return selected < 0 ? L"" : list.at(static_cast<std::size_t>(selected)).text; }
};

class Target : public ui::ColorTarget {
public:
    ui::ColorValue background = ui::kColorWindow;
    ui::ColorValue font = ui::kColorWindowText;
    ui::ColorValue Color() const override { return background; }
    void SetColor(ui::ColorValue value) override { background = value; }
    ui::ColorValue FontColor() const override { return font; }
    void SetFontColor(ui::ColorValue value) override { font = value; }
};

// The widest English list: system and extra colours, no default entry, no
// pending value. (The settings pages' own set-up is tested with the real control.)
void EnglishWithSystemAndExtraColours(ColorPickerModel& picker) {
    picker.BeginLoading();
    picker.SetJapaneseText(false);
    picker.SetShowGroup(ColorGroup::System, true);
    picker.SetShowGroup(ColorGroup::Extra, true);
    picker.SetShowGroup(ColorGroup::Default, false);
    picker.SetValue(ui::kColorNone);
    picker.SetCustomColor(ui::kColorNone);
    picker.EndLoading();
}

class ColorPicker : public ::testing::Test {
protected:
    FakeHost host;
    ColorPickerModel picker{host};

    void OpenWindow() {
        host.window = true;
        picker.WindowCreated();
        host.log.clear();
    }
};

TEST_F(ColorPicker, EnglishSystemAndExtraListsTheBuiltInColours) {
    EnglishWithSystemAndExtraColours(picker);
    OpenWindow();
    ASSERT_EQ(host.list.size(), 171u);
    EXPECT_EQ(host.list.front().text, L"Black");
    EXPECT_EQ(host.list[16].text, L"ScrollBar");
    EXPECT_EQ(host.list[41].text, L"AliceBlue");
    EXPECT_EQ(host.list.back().text, L"(Custom)");
    EXPECT_EQ(host.list.back().group, ColorGroup::Custom);
    EXPECT_EQ(host.list[40].group, ColorGroup::System);
    EXPECT_EQ(host.list[40].index, 24);
    EXPECT_EQ(host.SelectedText(), L"(Custom)") << "the form gave none";
    EXPECT_EQ(picker.Value(), ui::kColorNone);

    picker.SetJapaneseText(true);
    EXPECT_EQ(host.list.back().text, L"(カスタム)");
    EXPECT_EQ(host.list[2].text, L"ライム");
    picker.SetZenKakuKana(false);
    EXPECT_EQ(host.list[2].text, L"ﾗｲﾑ");
    EXPECT_TRUE(host.log.empty()) << "rebuilds raise nothing";
}

TEST_F(ColorPicker, DefaultPickerShowsBasicAndCustomInJapanese) {
    OpenWindow();
    ASSERT_EQ(host.list.size(), 17u);
    EXPECT_EQ(host.list[5].text, L"マゼンタ");
    EXPECT_EQ(host.SelectedText(), L"黒") << "the first entry without a pending value";
    EXPECT_EQ(picker.Value(), 0);
    picker.SetShowGroup(ColorGroup::Default, true);
    EXPECT_EQ(host.list.front().text, L"色無し");
    EXPECT_EQ(host.SelectedText(), L"黒") << "a rebuild keeps the value";
}

TEST_F(ColorPicker, UnknownColourSelectsCustomAndRaisesChangeThenClick) {
    EnglishWithSystemAndExtraColours(picker);
    OpenWindow();
    picker.SetValue(ui::Rgb(1, 2, 3));
    EXPECT_EQ(host.SelectedText(), L"(Custom)");
    EXPECT_EQ(picker.CustomColor(), ui::Rgb(1, 2, 3));
    EXPECT_EQ(picker.Value(), ui::Rgb(1, 2, 3));
    EXPECT_EQ(host.log, (std::vector<std::string>{"change", "click"}));

    host.log.clear();
    picker.SetValue(ui::Rgb(255, 0, 0));
    EXPECT_EQ(host.SelectedText(), L"Red");
    EXPECT_EQ(host.log, (std::vector<std::string>{"change", "click"}));
}

TEST_F(ColorPicker, SystemValueSelectsTheSystemEntryNotALookAlike) {
    EnglishWithSystemAndExtraColours(picker);
    OpenWindow();
    picker.SetValue(ui::kColorWindow);
    EXPECT_EQ(host.SelectedText(), L"Window");
    EXPECT_EQ(picker.Value(), ui::kColorWindow);
    picker.SetValue(ui::Rgb(255, 255, 255));
    EXPECT_EQ(host.SelectedText(), L"White");
}

TEST_F(ColorPicker, NoneSelectsCustomWithCustomColorNone) {
    EnglishWithSystemAndExtraColours(picker);
    OpenWindow();
    picker.SetValue(0);
    EXPECT_EQ(host.SelectedText(), L"Black");
    picker.SetCustomColor(0x123456);
    picker.SetValue(ui::kColorNone);
    EXPECT_EQ(host.SelectedText(), L"(Custom)");
    EXPECT_EQ(picker.CustomColor(), ui::kColorNone);
    EXPECT_EQ(picker.Value(), ui::kColorNone);
}

TEST_F(ColorPicker, WithoutCustomEntryAnUnknownColourChangesNothing) {
    picker.SetShowGroup(ColorGroup::Custom, false);
    OpenWindow();
    picker.SetValue(ui::Rgb(0, 0, 255));
    const auto before = host.selected;
    host.log.clear();
    picker.SetValue(ui::Rgb(1, 2, 3));
    EXPECT_EQ(host.selected, before);
    EXPECT_EQ(picker.CustomColor(), 0);
    EXPECT_TRUE(host.log.empty());
    picker.SetValue(ui::kColorNone);
    EXPECT_EQ(host.selected, before);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(ColorPicker, ValueBeforeTheWindowIsAppliedQuietlyWhenItExists) {
    EnglishWithSystemAndExtraColours(picker);
    picker.SetValue(ui::Rgb(0, 255, 0));
    EXPECT_EQ(picker.Value(), ui::kColorNone) << "no window, no value";
    EXPECT_TRUE(host.log.empty());
    host.window = true;
    picker.WindowCreated();
    EXPECT_EQ(host.SelectedText(), L"Lime");
    EXPECT_EQ(picker.Value(), ui::Rgb(0, 255, 0));
    EXPECT_TRUE(host.log.empty()) << "no OnChange for the pending value";
    EXPECT_GE(host.buttonPlacements, 1);
}

TEST_F(ColorPicker, AnyColourValueCanBePendingEvenAllBitsSet) {
    // All bits set is a colour value like any other, not "no pending value".
    const auto allBits = static_cast<ui::ColorValue>(0xFFFFFFFFu);
    picker.SetValue(allBits);
    host.window = true;
    picker.WindowCreated();
    EXPECT_EQ(host.SelectedText(), L"(カスタム)");
    EXPECT_EQ(picker.Value(), allBits);
}

TEST_F(ColorPicker, LoadingOnlyRecordsTheValueAndAppliesItQuietlyAtTheEnd) {
    OpenWindow();
    picker.BeginLoading();
    picker.SetShowGroup(ColorGroup::System, true);
    picker.SetValue(ui::kColorWindowText);
    EXPECT_EQ(host.list.size(), 17u) << "no rebuild while loading";
    EXPECT_EQ(host.SelectedText(), L"黒");
    picker.EndLoading();
    EXPECT_EQ(host.list.size(), 42u);
    EXPECT_EQ(host.SelectedText(), L"ウィンドウ文字");
    EXPECT_TRUE(host.log.empty());
}

TEST_F(ColorPicker, UserSelectionRunsClickThenChange) {
    OpenWindow();
    Target target;
    host.log.clear();
    picker.SetChangeControl(&target);
    EXPECT_EQ(host.SelectedText(), L"(カスタム)") << "the linked colour (a system colour) is not listed";
    EXPECT_EQ(picker.CustomColor(), ui::kColorWindow);
    host.log.clear();
    host.selected = 1;  // the user picks red
    picker.UserSelected();
    EXPECT_EQ(host.log, (std::vector<std::string>{"click", "change"}));
    EXPECT_EQ(target.background, ui::Rgb(255, 0, 0));
    EXPECT_EQ(target.font, ui::kColorWindowText);

    picker.SetChangeControlFont(true);
    EXPECT_EQ(host.SelectedText(), L"(カスタム)") << "linking reads the font colour";
    EXPECT_EQ(picker.Value(), ui::kColorWindowText);
}

TEST_F(ColorPicker, DefaultEntryReadsDefaultAndPaintsDefaultColor) {
    picker.SetShowGroup(ColorGroup::Default, true);
    OpenWindow();
    Target target;
    target.background = static_cast<ui::ColorValue>(0xFF00000F);
    picker.SetChangeControl(&target);
    EXPECT_EQ(host.SelectedText(), L"色無し") << "the linked colour equals DefaultColor";
    EXPECT_EQ(picker.Value(), ui::kColorDefault);
    host.selected = 0;
    picker.UserSelected();
    EXPECT_EQ(target.background, static_cast<ui::ColorValue>(0xFF00000F)) << "the control gets DefaultColor";
    EXPECT_EQ(picker.EntryColor(0), ui::kColorDefault);
}

TEST_F(ColorPicker, CustomDialogRaisesClickThenChangeOnlyForANewColour) {
    OpenWindow();
    picker.SetValue(ui::Rgb(9, 9, 9));
    host.log.clear();
    const auto old = picker.Value();
    picker.CustomDialogConfirmed(old);  // the colour already shown
    EXPECT_TRUE(host.log.empty());
    picker.SetCustomColor(ui::Rgb(10, 10, 10));
    EXPECT_TRUE(host.log.empty()) << "CustomColor raises nothing";
    picker.CustomDialogConfirmed(old);
    EXPECT_EQ(host.log, (std::vector<std::string>{"click", "change"}));
    EXPECT_EQ(picker.Value(), ui::Rgb(10, 10, 10));
}

TEST_F(ColorPicker, JapaneseTextSwitchKeepsTheSelectionQuietly) {
    OpenWindow();
    picker.SetValue(ui::Rgb(0, 255, 0));
    host.log.clear();
    picker.SetJapaneseText(false);
    EXPECT_EQ(host.SelectedText(), L"Lime");
    EXPECT_TRUE(host.log.empty());
}

TEST_F(ColorPicker, OtherLanguageNamesAndHint) {
    OpenWindow();
    EXPECT_EQ(picker.OtherLanguageName(5), L"Magenta");
    picker.SetJapaneseText(false);
    EXPECT_EQ(picker.OtherLanguageName(5), L"マゼンタ");
    picker.SetZenKakuKana(false);
    EXPECT_EQ(picker.OtherLanguageName(16), L"(ｶｽﾀﾑ)");
    try {
        picker.OtherLanguageName(17);
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.Message(), L"Index が有効範囲にありません");
    }
    EXPECT_THROW(picker.OtherLanguageName(-1), platform::Error);

    host.hint = L"from the form";
    picker.SetValue(ui::Rgb(0, 0, 255));
    EXPECT_EQ(host.hint, L"from the form") << "left alone while the switch is off";
    picker.SetHintIsOtherLanguage(true);
    EXPECT_EQ(host.hint, L"青");
    picker.SetValue(ui::Rgb(255, 0, 0));
    EXPECT_EQ(host.hint, L"赤");
    picker.SetHintIsOtherLanguage(false);
    EXPECT_EQ(host.hint, L"");
}

TEST_F(ColorPicker, UserColoursFollowTheirCollection) {
    OpenWindow();
    auto& users = picker.Items();
    users.Add(ui::Rgb(1, 1, 1), L"ｽﾐ", L"Ink");
    ASSERT_EQ(host.list.size(), 18u);
    EXPECT_EQ(host.list[16].text, L"スミ");
    EXPECT_EQ(host.list[16].group, ColorGroup::User);
    picker.SetValue(ui::Rgb(1, 1, 1));
    EXPECT_EQ(host.selected, 16);
    EXPECT_EQ(picker.OtherLanguageName(16), L"Ink");

    users.Item(0).SetColor(ui::Rgb(2, 2, 2));
    EXPECT_EQ(host.list[16].color, ui::Rgb(2, 2, 2));
    EXPECT_EQ(host.SelectedText(), L"(カスタム)") << "the old value is no longer listed";

    picker.SetJapaneseText(false);
    users.Add(ui::Rgb(3, 3, 3), L"朱");
    EXPECT_EQ(host.list[17].text, L"朱") << "no English name: the display name";

    widgets::UserColors copy;
    copy.Add(ui::Rgb(4, 4, 4), L"藍", L"Indigo");
    picker.SetItems(copy);
    ASSERT_EQ(picker.Items().Count(), 1);
    EXPECT_EQ(host.list[16].text, L"Indigo") << "assigning keeps the English name";

    // Loading holds the list back: the selected entry outlives its colour.
    picker.SetValue(ui::Rgb(4, 4, 4));
    picker.BeginLoading();
    users.Delete(0);
    try {
        picker.SetHintIsOtherLanguage(true);
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.Message(), L"Index が有効範囲にありません");
    }
    picker.EndLoading();

    picker.SetShowGroup(ColorGroup::User, false);
    EXPECT_EQ(host.list.size(), 17u);
}

TEST_F(ColorPicker, ManyUserColoursKeepTheirOwnNames) {
    OpenWindow();
    widgets::UserColors many;
    for (int i = 0; i < 300; ++i) many.Add(ui::Rgb(0, 1, 0) + i, L"色", L"Colour " + std::to_wstring(i));
    picker.SetItems(many);
    ASSERT_EQ(host.list.size(), 317u);
    EXPECT_EQ(picker.OtherLanguageName(16 + 299), L"Colour 299") << "past 255 the entries stay apart";
    EXPECT_EQ(picker.OtherLanguageName(16 + 43), L"Colour 43");
}

TEST(ColorUserColors, SettersReportOnlyRealChanges) {
    widgets::UserColors users;
    int changes = 0;
    users.OnChanged = [&] { ++changes; };
    auto& entry = users.Add(ui::Rgb(1, 2, 3), L"a", L"b");
    EXPECT_EQ(changes, 1);
    entry.SetColor(ui::Rgb(1, 2, 3));
    entry.SetDisplayName(L"a");
    entry.SetEnglishName(L"b");
    EXPECT_EQ(changes, 1);
    entry.SetEnglishName(L"c");
    EXPECT_EQ(changes, 2);
    widgets::UserColors other;
    other.Add(0, L"x", L"y");
    other.Add(1, L"z");
    users.Assign(other);
    EXPECT_EQ(changes, 3) << "one change for the whole assignment";
    EXPECT_EQ(users.Count(), 2);
    EXPECT_EQ(users.Item(0).EnglishName(), L"y");
    users.Delete(5);
    EXPECT_EQ(changes, 3);
}

TEST(ColorGeometry, EntryLayout) {
    // A 19-pixel entry with its name.
    auto layout = widgets::LayoutItem({10, 40, 131, 59}, true, 19, 12, false);
    EXPECT_TRUE(layout.swatch);
    EXPECT_EQ(layout.swatchRect, (widgets::PixelRect{12, 43, 27, 57}));
    EXPECT_EQ(layout.swatchRect.right - layout.swatchRect.left, 15);
    EXPECT_EQ(layout.swatchRect.bottom - layout.swatchRect.top, 14);
    EXPECT_TRUE(layout.outline);
    EXPECT_EQ(layout.textLeft, 29);
    EXPECT_EQ(layout.textTop, 40 + 1 + 3);

    EXPECT_FALSE(widgets::LayoutItem({0, 0, 100, 15}, true, 15, 12, false).outline) << "below 16: no outline";
    EXPECT_TRUE(widgets::LayoutItem({0, 0, 100, 16}, true, 16, 12, false).outline);

    layout = widgets::LayoutItem({0, 0, 100, 19}, true, 19, 12, true);
    EXPECT_FALSE(layout.swatch) << "the default value itself has no swatch";
    EXPECT_EQ(layout.textLeft, 2);

    // Tall entries keep a 32-pixel swatch, centred.
    layout = widgets::LayoutItem({0, 0, 100, 50}, true, 50, -12, false);
    EXPECT_EQ(layout.swatchRect, (widgets::PixelRect{2, 9, 34, 42}));
    EXPECT_EQ(layout.textLeft, 36);
    EXPECT_EQ(layout.textTop, 1 + 19);
    // Without text the swatch spans the width, up to 32.
    layout = widgets::LayoutItem({0, 0, 30, 19}, false, 19, 12, false);
    EXPECT_EQ(layout.swatchRect, (widgets::PixelRect{2, 3, 28, 17}));
    // A selection field lower than the entries centres the text in itself.
    layout = widgets::LayoutItem({4, 4, 100, 18}, true, 19, 11, false);
    EXPECT_EQ(layout.textTop, 4 + 1 + 1);
}

TEST(ColorGeometry, CustomButtonBounds) {
    EXPECT_EQ(widgets::CustomButtonBounds(true, 121, 25, 17), (widgets::PixelRect{83, 2, 102, 23}));
    EXPECT_EQ(widgets::CustomButtonBounds(false, 121, 25, 17), (widgets::PixelRect{-19, 2, 0, 23}));
}

}  // namespace
