#pragma once
// The four pages of the settings window ("Property", "ClipText", "Clip
// Window", "Other") with every control, the four kept colours and the
// change handlers of the preview. There is no settings object beside them:
// the controls' states are the settings, read at the moment they are needed.
#include <string>

#include "settings/ClipSettings.h"
#include "settings/SettingsFile.h"
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

    // What clip windows and the clip manager read, as the controls hold it
    // now. Kept current by every change of those controls, so that a copy
    // reads no control on its way to the screen.
    const ClipSettings& Current() const noexcept { return current_; }
    // Fills the controls from stored values in the load's order (after the
    // window's own place and size, which the form sets). The change handlers
    // run where a user's change would run them.
    void Load(const StoredSettings& stored);
    // Reads the controls, the kept colours and the sample memo's font into
    // stored values; the window's place and size are the form's to add.
    void Save(StoredSettings& stored) const;

    // The stored-settings defaults that come from the controls: the time
    // format box's text and (given the window's font) the clip font.
    std::string TimeFormatText() const;

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
    ui::Label MaxClipCountLabel, WidthLabel, MaxHeightLabel, TextSizeLabel, BytesLabel, CountDownLabel, SecondsLabel;
    ui::SpinEdit MaxClipCountEdit, WidthEdit, MaxHeightEdit, TextSizeEdit, CountDownEdit;
    ui::CheckBox IgnoreLargeTextCheck, CountDownCheck, HideGraduallyCheck, DoubleCopyCheck;

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
    ui::CheckBox TitleCountDownCheck;
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
    // Reads the controls and kept colours into current_.
    void Refresh();
    void CreatePropertyPage();
    void CreateClipTextPage();
    void CreateClipWindowPage();
    void CreateOtherPage();
    void SetUpColorPicker(widgets::ColorComboBox& picker, ui::Window& page, const ui::Bounds& bounds);

    ClipSettings current_;
};

}  // namespace settings
