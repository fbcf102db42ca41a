#pragma once
// ColorComboBox: an owner-drawn drop-down list of colours, each entry a
// swatch and its name in Japanese or English. While "(Custom)" is selected a
// "..." button inside the control opens the colour dialog that all pickers
// share; its 16 custom colours may be kept in an INI file or the registry.
#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "ui/Color.h"
#include "widgets/ColorPickerModel.h"
#include "widgets/ColorSaveSetting.h"
#include "widgets/CustomColorList.h"
#include "widgets/PickerComboBox.h"

namespace widgets {

class ColorComboBox;

// The "..." face inside the picker: raised, or sunken while pressed with the
// pointer over it. A click opens the picker's custom colour dialog.
class ColorCustomButton : public ui::Window {
public:
    void Create(ColorComboBox& owner);
    bool Pressed() const noexcept { return pressed_; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) const;
    void ShowPressed(bool sunken);

    ColorComboBox* owner_ = nullptr;
    bool pressed_ = false;  // a button went down on it and is not yet released
    bool sunken_ = false;   // what the face shows
};

class ColorComboBox : public PickerComboBox, private ColorPickerHost {
public:
    using ChangeHandler = std::function<void(ColorComboBox& sender)>;

    ColorComboBox();
    ~ColorComboBox() override;

    void Create(ui::Window& parent, const PickerParams& params);

    ui::ColorValue Value() const { return model_.Value(); }
    void SetValue(ui::ColorValue value) { model_.SetValue(value); }
    ui::ColorValue CustomColor() const noexcept { return model_.CustomColor(); }
    void SetCustomColor(ui::ColorValue color) { model_.SetCustomColor(color); }
    ui::ColorValue DefaultColor() const noexcept { return model_.DefaultColor(); }
    void SetDefaultColor(ui::ColorValue color) { model_.SetDefaultColor(color); }
    bool ShowText() const noexcept { return model_.ShowText(); }
    void SetShowText(bool show) { model_.SetShowText(show); }
    bool ShowDefaultColor() const noexcept { return model_.ShowGroup(ColorGroup::Default); }
    void SetShowDefaultColor(bool show) { model_.SetShowGroup(ColorGroup::Default, show); }
    bool ShowBasicColor() const noexcept { return model_.ShowGroup(ColorGroup::Basic); }
    void SetShowBasicColor(bool show) { model_.SetShowGroup(ColorGroup::Basic, show); }
    bool ShowSysColor() const noexcept { return model_.ShowGroup(ColorGroup::System); }
    void SetShowSysColor(bool show) { model_.SetShowGroup(ColorGroup::System, show); }
    bool ShowExtraColor() const noexcept { return model_.ShowGroup(ColorGroup::Extra); }
    void SetShowExtraColor(bool show) { model_.SetShowGroup(ColorGroup::Extra, show); }
    bool ShowUserColor() const noexcept { return model_.ShowGroup(ColorGroup::User); }
    void SetShowUserColor(bool show) { model_.SetShowGroup(ColorGroup::User, show); }
    bool ShowCustomColor() const noexcept { return model_.ShowGroup(ColorGroup::Custom); }
    void SetShowCustomColor(bool show) { model_.SetShowGroup(ColorGroup::Custom, show); }
    bool JapaneseText() const noexcept { return model_.JapaneseText(); }
    void SetJapaneseText(bool japanese) { model_.SetJapaneseText(japanese); }
    bool ZenKakuKana() const noexcept { return model_.ZenKakuKana(); }
    void SetZenKakuKana(bool convert) { model_.SetZenKakuKana(convert); }
    bool HintIsOtherLanguage() const noexcept { return model_.HintIsOtherLanguage(); }
    void SetHintIsOtherLanguage(bool other) { model_.SetHintIsOtherLanguage(other); }
    // The control that follows the colour must take colours (ui::ColorTarget).
    void SetChangeControl(ui::Window* control);
    bool ChangeControlFont() const noexcept { return model_.ChangeControlFont(); }
    void SetChangeControlFont(bool font) { model_.SetChangeControlFont(font); }
    bool CustomColorSave() const noexcept { return customColorSave_; }
    void SetCustomColorSave(bool save) noexcept { customColorSave_ = save; }
    const ColorSaveSetting& CustomColorSaveOption() const noexcept { return saveOption_; }
    void SetCustomColorSaveOption(const ColorSaveSetting& option) { saveOption_ = option; }
    UserColors& Items() noexcept { return model_.Items(); }
    void SetItems(const UserColors& items) { model_.SetItems(items); }
    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& text) override;

    // Throws platform::Error for an index outside the list.
    std::wstring OtherLanguageName(int index) const { return model_.OtherLanguageName(index); }
    const std::vector<ColorItem>& List() const noexcept { return model_.List(); }

    // Around a form's setting up of the picker (see ColorPickerModel).
    void BeginLoading() noexcept { model_.BeginLoading(); }
    void EndLoading() { model_.EndLoading(); }

    // What a click on the "..." button does.
    void RunCustomColorDialog();
    const ColorCustomButton& CustomButton() const noexcept { return button_; }

    ChangeHandler OnChange;
    ChangeHandler OnClick;

    // The custom-colour lines of the one dialog all pickers share.
    static CustomColorList& SharedCustomColors();
    // Runs the dialog in place of ChooseColorW (true: confirmed); tests answer
    // for the user with it. An empty runner restores ChooseColorW.
    using DialogRunner = std::function<bool(CHOOSECOLORW& dialog)>;
    static void SetDialogRunner(DialogRunner runner);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void DrawEntry(HDC dc, const RECT& area, int index) override;
    void Change() override;
    void LinkGone() noexcept override { model_.SetChangeControl(nullptr); }
    void PlaceParts() override { PlaceCustomButton(); }

private:
    // ColorPickerHost
    bool HasWindow() const override { return HandleAllocated(); }
    void LoadList(const std::vector<ColorItem>& items) override;
    int SelectedIndex() const override { return ItemIndex(); }
    void Select(int index) override { SetItemIndex(index); }
    void Repaint() override { Invalidate(); }
    void PlaceCustomButton() override;
    void RaiseChange() override;
    void RaiseClick() override;

    void ApplyHint();

    ColorPickerModel model_;
    ColorCustomButton button_;
    bool customColorSave_ = false;
    ColorSaveSetting saveOption_;
    std::wstring hint_;
    // Owned by the form, so it goes with the form's window too.
    platform::WindowHandle tooltip_;
};

}  // namespace widgets
