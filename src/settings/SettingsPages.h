#pragma once
// The four pages of the settings window ("Property", "ClipText", "Clip
// Window", "Other") with every control, the four kept colours and the
// change handlers of the preview. The controls' states are the settings;
// beside them the pages keep one copy of them (Current), made anew at every
// change of a control, so that a copy on its way to the screen reads no control.
#include <string>

#include "settings/Settings.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Color.h"
#include "ui/ComboBox.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/RadioButton.h"
#include "ui/SpinEdit.h"
#include "widgets/ColorComboBox.h"
#include "widgets/FontNameComboBox.h"

namespace settings {

class SettingsPages {
public:
    enum Page { kPropertyPage = 0, kClipTextPage = 1, kClipWindowPage = 2, kOtherPage = 3 };

    // Builds the page control on the form, every page and every control at
    // its built value, and hooks the change handlers. The Clip Window page
    // shows.
    void Create(ui::Window& form);
    // The page control fills the form's client area above the bottom strip.
    void Fit(int clientWidth, int clientHeight, int stripHeight);

    // The settings as the controls hold them now, which clip windows and the
    // road of a copy read. Kept current by every change of those controls,
    // so that a copy reads no control on its way to the screen. The window's
    // place and size are the form's.
    const Settings& Current() const noexcept { return current_; }
    // Fills the controls in the load's order (after the window's own place
    // and size, which the form sets). The change handlers run where a user's
    // change would run them.
    void Load(const Settings& stored);
    // The settings to save: the controls, the kept colours, the sample memo's
    // font and the page shown; the window's place and size are the form's to add.
    Settings ToSave() const;

    // The stored-settings defaults that come from the controls: the time
    // format box's text and (given the window's font) the clip font.
    std::string TimeFormatText() const;

    // How each of the four colour pickers is set up and placed on its page
    // (English names, the system and extra colours, no pending value).
    static void SetUpColorPicker(widgets::ColorComboBox& picker, ui::Window& page, const ui::Bounds& bounds);

    // Change handlers.
    void OnMarginChanged();
    void OnColorChanged();
    void OnTimeFormatChanged();
    void OnFontSizeChanged();
    void OnFontNameChanged();
    void OnCharsetChanged();
    // Selects the charset row of this value without running a handler; a
    // value in no row changes nothing.
    void SelectCharsetRow(int charset);
    // Widens check boxes, radio buttons and buttons whose captions (another
    // language, another font) no longer fit, as far as their page or group
    // allows. Labels fit themselves.
    void FitCaptions();

    ui::PageControl Tabs;
    ui::TabSheet* PropertyPage = nullptr;
    ui::TabSheet* ClipTextPage = nullptr;
    ui::TabSheet* ClipWindowPage = nullptr;
    ui::TabSheet* OtherPage = nullptr;

    // "Property"
    ui::Label MaxClipCountLabel, ClipWidthLabel, MaxHeightLabel, SizeOfTextLabel, BytesLabel, CountDownLabel, SecondsLabel;
    ui::SpinEdit MaxClipCountEdit, ClipWidthEdit, MaxHeightEdit, SizeOfTextEdit, CountDownEdit;
    ui::CheckBox IgnoreLargeTextCheck, CloseClipTimerCheck, HideGraduallyCheck, DoubleCopyCheck;

    // "ClipText"
    ui::Label FontLabel, FontSizeLabel, CharsetLabel;
    widgets::FontNameComboBox FontNamePicker;
    ui::SpinEdit FontSizeEdit;
    ui::ComboBox CharsetBox;
    ui::GroupBox ScrollBarGroup;
    ui::RadioButton VerticalScrollBarRadio, NoScrollBarRadio;
    ui::GroupBox MarginGroup;
    ui::Label LeftMarginLabel, RightMarginLabel;
    ui::SpinEdit LeftMarginEdit, RightMarginEdit;
    ui::Memo SampleMemo;

    // "Clip Window"
    ui::GroupBox TitleBarGroup;
    ui::CheckBox TitleTimerCheck;
    ui::ComboBox TimeFormatBox;
    ui::Label SampleTimeLabel;
    ui::GroupBox StandardWindowGroup;
    ui::Label StandardBackLabel, StandardTextLabel;
    widgets::ColorComboBox StandardBackPicker, StandardTextPicker;
    ui::GroupBox FixedWindowGroup;
    ui::Label FixedBackLabel, FixedTextLabel;
    widgets::ColorComboBox FixedBackPicker, FixedTextPicker;

    // "Other"
    ui::CheckBox LoadLanguageCheck;
    ui::ListBox LanguageList;
    ui::Button PutFileButton, ReloadButton;

    // The chosen language file: a bare file name beside the executable, or empty.
    std::string LanguageFile;

    // The kept colours: backgrounds and texts of unpinned and pinned clip windows.
    ui::ColorValue StandardColor = ui::kColorNone;
    ui::ColorValue StandardTextColor = ui::kColorNone;
    ui::ColorValue FixedColor = ui::kColorNone;
    ui::ColorValue FixedTextColor = ui::kColorNone;

private:
    // The controls and the kept colours, read now.
    Settings Read() const;
    void Refresh() { current_ = Read(); }
    void CreatePropertyPage();
    void CreateClipTextPage();
    void CreateClipWindowPage();
    void CreateOtherPage();

    Settings current_;
};

}  // namespace settings
