#include "settings/SettingsPages.h"

#include <cstddef>

#include "platform/Text.h"
#include "settings/Charsets.h"
#include "settings/SystemLocale.h"
#include "ui/Dpi.h"

namespace settings {

namespace {
constexpr int kDroppedRows = 15;
}  // namespace

void SettingsPages::Create(ui::Window& form) {
    Tabs.Create(form, {.bounds = {0, 0, 280, 268}});
    PropertyPage = &Tabs.AddPage(L"Property");
    PropertyPage->SetCaptionKey(L"[property]Property");
    ClipTextPage = &Tabs.AddPage(L"ClipText");
    ClipTextPage->SetCaptionKey(L"[ClipText]ClipText");
    ClipWindowPage = &Tabs.AddPage(L"Clip Window");
    ClipWindowPage->SetCaptionKey(L"[ClipWindow]ClipWindow");
    OtherPage = &Tabs.AddPage(L"Other");
    OtherPage->SetCaptionKey(L"[Other]Other");
    CreatePropertyPage();
    CreateClipTextPage();
    CreateClipWindowPage();
    CreateOtherPage();
    Tabs.SetActivePageIndex(kClipWindowPage);
    // Every control that a setting lives in keeps current_ up to date.
    const auto refresh = [this](auto&) { Refresh(); };
    for (ui::SpinEdit* spin : {&MaxClipCountEdit, &ClipWidthEdit, &MaxHeightEdit, &SizeOfTextEdit, &CountDownEdit}) spin->OnChange = refresh;
    for (ui::CheckBox* box : {&IgnoreLargeTextCheck, &CloseClipTimerCheck, &HideGraduallyCheck, &DoubleCopyCheck, &TitleTimerCheck}) box->OnClick = refresh;
    VerticalScrollBarRadio.OnClick = refresh;
    NoScrollBarRadio.OnClick = refresh;
    Refresh();
}

void SettingsPages::Fit(int clientWidth, int clientHeight, int stripHeight) {
    const int height = clientHeight - stripHeight;
    Tabs.SetPixelBounds({0, 0, clientWidth, height > 0 ? height : 0});
}

void SettingsPages::CreatePropertyPage() {
    ui::TabSheet& page = *PropertyPage;
    MaxClipCountLabel.Create(page, {.bounds = {8, 16, 79, 13}, .caption = L"Max Clip Count :", .key = L"[property]MaxClipCount"});
    MaxClipCountEdit.Create(page, {.bounds = {136, 12, 57, 22}, .minValue = kMinClipCount, .maxValue = kMaxClipCount, .value = 3});
    ClipWidthLabel.Create(page, {.bounds = {8, 40, 33, 13}, .caption = L"width :", .key = L"[property]Width"});
    ClipWidthEdit.Create(page, {.bounds = {136, 36, 57, 22}, .value = 200});
    MaxHeightLabel.Create(page, {.bounds = {8, 64, 61, 13}, .caption = L"Max Height :", .key = L"[property]MaxHeight"});
    MaxHeightEdit.Create(page, {.bounds = {136, 60, 57, 22}, .value = 120});
    IgnoreLargeTextCheck.Create(page, {.bounds = {8, 88, 249, 17},
                             .caption = L"Ignore Large Text",
                             .key = L"[property]IgnoreLargeText",
                             .checked = true});
    SizeOfTextLabel.Create(page, {.bounds = {16, 112, 64, 13}, .caption = L"Size of Text :", .key = L"[property]SizeOfText"});
    SizeOfTextEdit.Create(page, {.bounds = {136, 108, 65, 22}, .value = 1000});
    BytesLabel.Create(page, {.bounds = {208, 112, 22, 13}, .caption = L"byte", .key = L"[property]byte"});
    CloseClipTimerCheck.Create(page, {.bounds = {8, 136, 249, 17}, .caption = L"Close Clip Timer", .key = L"[property]CloseClipTimer"});
    CountDownLabel.Create(page, {.bounds = {16, 160, 66, 13}, .caption = L"Count Down :", .key = L"[property]CountDown"});
    CountDownEdit.Create(page, {.bounds = {136, 156, 65, 22}, .value = 120});
    SecondsLabel.Create(page, {.bounds = {208, 160, 16, 13}, .caption = L"sec", .key = L"[property]sec"});
    HideGraduallyCheck.Create(page, {.bounds = {16, 184, 241, 17},
                                  .caption = L"Hide Gradually(Win2000 or later)",
                                  .key = L"[property]HideGradually"});
    DoubleCopyCheck.Create(page, {.bounds = {8, 208, 257, 17},
                               .caption = L"Clip Window only show Double Copyed",
                               .key = L"[property]DoubleCopy"});
}

void SettingsPages::CreateClipTextPage() {
    ui::TabSheet& page = *ClipTextPage;
    FontLabel.Create(page, {.bounds = {8, 12, 49, 13}, .caption = L"Clip Font :", .key = L"[ClipText]Font"});
    FontNamePicker.Create(page, {.bounds = {88, 8, 177, 21}});
    FontNamePicker.SetDropDownCount(kDroppedRows);
    FontNamePicker.SetValue(L"Arial");
    FontSizeLabel.Create(page, {.bounds = {8, 36, 71, 13}, .caption = L"Clip Font Size :", .key = L"[ClipText]Size"});
    FontSizeEdit.Create(page, {.bounds = {88, 32, 57, 22}, .value = 9});
    CharsetLabel.Create(page, {.bounds = {8, 60, 65, 13}, .caption = L"Clip Charset :", .key = L"[ClipText]CharSet"});
    CharsetBox.Create(page, {.bounds = {88, 56, 177, 21}, .style = ui::ComboStyle::DropDownList});
    CharsetBox.SetDropDownCount(static_cast<int>(kCharsets.size()));
    for (const CharsetRow& row : kCharsets) CharsetBox.AddItem(row.listText);
    CharsetBox.SetItemIndex(0);

    ScrollBarGroup.Create(page, {.bounds = {8, 80, 121, 73}, .caption = L"ScrollBar", .key = L"[ClipText]ScrollBar"});
    VerticalScrollBarRadio.Create(page, {.bounds = ScrollBarGroup.ChildBounds({8, 20, 105, 17}),
                                  .caption = L"Vertical",
                                  .key = L"[ClipText]Vertical",
                                  .groupStart = true,
                                  .checked = true});
    NoScrollBarRadio.Create(page, {.bounds = ScrollBarGroup.ChildBounds({8, 44, 105, 17}), .caption = L"None", .key = L"[ClipText]None"});
    MarginGroup.Create(page, {.bounds = {136, 80, 129, 73}, .caption = L"Margin", .key = L"[ClipText]Margin"});
    LeftMarginLabel.Create(page, {.bounds = MarginGroup.ChildBounds({8, 20, 19, 13}), .caption = L"Left", .key = L"[ClipText]Left"});
    LeftMarginEdit.Create(page, {.bounds = MarginGroup.ChildBounds({64, 16, 49, 22}), .value = 0});
    RightMarginLabel.Create(page, {.bounds = MarginGroup.ChildBounds({8, 44, 25, 13}), .caption = L"Right", .key = L"[ClipText]Right"});
    RightMarginEdit.Create(page, {.bounds = MarginGroup.ChildBounds({64, 40, 49, 22}), .value = 0});

    SampleMemo.Create(page, {.bounds = {8, 160, 257, 73}, .wordWrap = true, .scrollBars = ui::ScrollBars::None});
    SampleMemo.SetText(L"MemoSample");

    FontSizeEdit.OnChange = [this](ui::SpinEdit&) { OnFontSizeChanged(); };
    FontNamePicker.OnChange = [this](widgets::FontNameComboBox&) { OnFontNameChanged(); };
    CharsetBox.OnChange = [this](ui::ComboBox&) { OnCharsetChanged(); };
    const auto marginChange = [this](ui::SpinEdit&) {
        OnMarginChanged();
        Refresh();
    };
    LeftMarginEdit.OnChange = marginChange;
    RightMarginEdit.OnChange = marginChange;
}

void SettingsPages::SetUpColorPicker(widgets::ColorComboBox& picker, ui::Window& page, const ui::Bounds& bounds) {
    picker.BeginLoading();
    picker.SetShowSysColor(true);
    picker.SetShowExtraColor(true);
    picker.SetJapaneseText(false);
    picker.SetChangeControlFont(false);
    picker.SetCustomColorSave(false);
    picker.SetCustomColorSaveOption({widgets::SaveToColorFile::scfIniFile, "CustomColors"});
    picker.SetValue(ui::kColorNone);
    picker.SetCustomColor(ui::kColorNone);
    picker.Create(page, {.bounds = bounds});
    picker.SetDropDownCount(kDroppedRows);
    picker.EndLoading();
}

void SettingsPages::CreateClipWindowPage() {
    ui::TabSheet& page = *ClipWindowPage;
    TitleBarGroup.Create(page, {.bounds = {0, 0, 265, 65}, .caption = L"Title Bar", .key = L"[ClipWindow]TitleBar"});
    TitleTimerCheck.Create(page, {.bounds = TitleBarGroup.ChildBounds({8, 16, 249, 17}),
                               .caption = L"Show Timer Count Down",
                               .key = L"[ClipWindow]TimerCount",
                               .checked = true});
    TimeFormatBox.Create(page, {.bounds = TitleBarGroup.ChildBounds({8, 35, 145, 21}), .style = ui::ComboStyle::DropDown});
    TimeFormatBox.AddItem(L"hh:mm ss");
    TimeFormatBox.AddItem(L"hh:mm");
    TimeFormatBox.SetText(L"hh:mm ss");
    SampleTimeLabel.Create(page, {.bounds = TitleBarGroup.ChildBounds({160, 39, 59, 13}), .caption = L"Time Sample"});
    TimeFormatBox.OnChange = [this](ui::ComboBox&) { OnTimeFormatChanged(); };

    const auto colorChange = [this](widgets::ColorComboBox&) { OnColorChanged(); };
    StandardWindowGroup.Create(page, {.bounds = {0, 68, 265, 65}, .caption = L"Standard Window", .key = L"[ClipWindow]StandardWindow"});
    StandardBackLabel.Create(page, {.bounds = StandardWindowGroup.ChildBounds({8, 16, 50, 13}), .caption = L"Back Color", .key = L"[ClipWindow]BackColor"});
    SetUpColorPicker(StandardBackPicker, page, StandardWindowGroup.ChildBounds({8, 32, 121, 25}));
    StandardBackPicker.OnChange = colorChange;
    StandardTextLabel.Create(page, {.bounds = StandardWindowGroup.ChildBounds({136, 16, 50, 13}), .caption = L"Text Color", .key = L"[ClipWindow]TextColor"});
    SetUpColorPicker(StandardTextPicker, page, StandardWindowGroup.ChildBounds({136, 32, 121, 25}));
    StandardTextPicker.OnChange = colorChange;

    FixedWindowGroup.Create(page, {.bounds = {0, 136, 265, 65}, .caption = L"Fixed Window", .key = L"[ClipWindow]FixedWindow"});
    FixedBackLabel.Create(page, {.bounds = FixedWindowGroup.ChildBounds({8, 16, 50, 13}), .caption = L"Back Color", .key = L"[Fixed]BackColor"});
    SetUpColorPicker(FixedBackPicker, page, FixedWindowGroup.ChildBounds({8, 32, 121, 25}));
    FixedBackPicker.OnChange = colorChange;
    FixedTextLabel.Create(page, {.bounds = FixedWindowGroup.ChildBounds({136, 16, 50, 13}), .caption = L"Text Color", .key = L"[Fixed]TextColor"});
    SetUpColorPicker(FixedTextPicker, page, FixedWindowGroup.ChildBounds({136, 32, 121, 25}));
    FixedTextPicker.OnChange = colorChange;
}

void SettingsPages::CreateOtherPage() {
    ui::TabSheet& page = *OtherPage;
    LoadLanguageCheck.Create(page, {.bounds = {8, 8, 257, 17},
                             .caption = L"Load Language File(It need *.lng text file.)",
                             .key = L"[Other]LoadLanguageFile"});
    LanguageList.Create(page, {.bounds = {2, 32, 263, 145}});
    PutFileButton.Create(page, {.bounds = {112, 184, 75, 25}, .caption = L"Put File", .key = L"[Other]PutFile"});
    ReloadButton.Create(page, {.bounds = {192, 184, 75, 25}, .caption = L"ReLoad", .key = L"[Other]Reload"});
}

// ---------------------------------------------------------------- handlers

void SettingsPages::OnMarginChanged() {
    // Margins outside 16 bits reach the edit control as their low 16 bits.
    SampleMemo.SetMargins(ui::Scale(LeftMarginEdit.Value()), ui::Scale(RightMarginEdit.Value()));
}

void SettingsPages::OnColorChanged() {
    StandardColor = StandardBackPicker.Value();
    StandardTextColor = StandardTextPicker.Value();
    FixedColor = FixedBackPicker.Value();
    FixedTextColor = FixedTextPicker.Value();
    // The preview shows the standard pair, whichever picker changed.
    SampleMemo.SetColor(StandardColor);
    SampleMemo.SetFontColor(StandardTextColor);
    Refresh();
}

void SettingsPages::OnTimeFormatChanged() {
    SampleTimeLabel.SetText(platform::AnsiToWide(FormatNow(TimeFormatText())));
    Refresh();
}

void SettingsPages::OnFontSizeChanged() {
    ui::FontInfo font = SampleMemo.GetFontInfo();
    font.size = FontSizeEdit.Value();
    SampleMemo.SetFontInfo(font);
}

void SettingsPages::OnFontNameChanged() {
    ui::FontInfo font = SampleMemo.GetFontInfo();
    font.name = FontNamePicker.Value();
    SampleMemo.SetFontInfo(font);
}

void SettingsPages::OnCharsetChanged() {
    const int row = CharsetBox.ItemIndex();
    if (row < 0 || row >= static_cast<int>(kCharsets.size())) return;
    ui::FontInfo font = SampleMemo.GetFontInfo();
    font.charset = kCharsets[static_cast<std::size_t>(row)].value;
    SampleMemo.SetFontInfo(font);
}

void SettingsPages::SelectCharsetRow(int charset) {
    if (const auto row = CharsetRowOf(charset)) CharsetBox.SetItemIndex(*row);
}

void SettingsPages::FitCaptions() {
    const int checkMark = GetSystemMetrics(SM_CXMENUCHECK) + ui::Scale(6);
    const auto rightOf = [](const ui::Window& container, int inset) {
        const ui::Bounds bounds = container.PixelBounds();
        return bounds.left + bounds.width - ui::Scale(inset);
    };
    const auto pageRight = [](const ui::TabSheet& page) { return page.ClientSize().cx - ui::Scale(4); };
    for (ui::CheckBox* box : {&IgnoreLargeTextCheck, &CloseClipTimerCheck, &HideGraduallyCheck, &DoubleCopyCheck}) {
        box->FitCaption(checkMark, pageRight(*PropertyPage));
    }
    VerticalScrollBarRadio.FitCaption(checkMark, rightOf(ScrollBarGroup, 4));
    NoScrollBarRadio.FitCaption(checkMark, rightOf(ScrollBarGroup, 4));
    TitleTimerCheck.FitCaption(checkMark, rightOf(TitleBarGroup, 4));
    LoadLanguageCheck.FitCaption(checkMark, pageRight(*OtherPage));
    // The two buttons keep to the page's right edge, side by side.
    const int buttonEdges = ui::Scale(16);
    ReloadButton.FitCaptionLeftwards(buttonEdges, pageRight(*OtherPage) / 2);
    const ui::Bounds reload = ReloadButton.PixelBounds();
    const ui::Bounds put = PutFileButton.PixelBounds();
    PutFileButton.SetPixelBounds({reload.left - ui::Scale(5) - put.width, put.top, put.width, put.height});
    PutFileButton.FitCaptionLeftwards(buttonEdges, ui::Scale(2));
}

// ------------------------------------------------------------ the values

std::string SettingsPages::TimeFormatText() const { return platform::WideToAnsi(TimeFormatBox.Text()); }

Settings SettingsPages::Read() const {
    Settings now;
    now.activePage = Tabs.ActivePageIndex();
    now.road.maxClipCount = MaxClipCountEdit.Value();
    now.clipWidth = ClipWidthEdit.Value();
    now.maxHeight = MaxHeightEdit.Value();
    now.road.ignoreLargeText = IgnoreLargeTextCheck.Checked();
    now.road.sizeOfText = SizeOfTextEdit.Value();
    now.road.closeClipTimer = CloseClipTimerCheck.Checked();
    now.road.countDown = CountDownEdit.Value();
    now.hideGradually = HideGraduallyCheck.Checked();
    now.road.doubleCopy = DoubleCopyCheck.Checked();
    const ui::FontInfo& font = SampleMemo.GetFontInfo();
    now.clipFont = platform::WideToAnsi(font.name);
    now.clipFontSize = font.size;
    now.clipFontCharset = font.charset;
    now.scrollBarVertical = VerticalScrollBarRadio.Checked();
    now.leftMargin = LeftMarginEdit.Value();
    now.rightMargin = RightMarginEdit.Value();
    now.standardColor = StandardColor;
    now.fixedColor = FixedColor;
    now.standardTextColor = StandardTextColor;
    now.fixedTextColor = FixedTextColor;
    now.timeFormat = TimeFormatText();
    now.titleTimer = TitleTimerCheck.Checked();
    now.loadLanguage = LoadLanguageCheck.Checked();
    now.loadFile = LanguageFile;
    return now;
}

void SettingsPages::Load(const Settings& stored) {
    if (stored.activePage >= kPropertyPage && stored.activePage <= kOtherPage) {
        Tabs.SetActivePageIndex(stored.activePage);
    }
    MaxClipCountEdit.SetValue(stored.road.maxClipCount);
    ClipWidthEdit.SetValue(stored.clipWidth);
    MaxHeightEdit.SetValue(stored.maxHeight);
    IgnoreLargeTextCheck.SetChecked(stored.road.ignoreLargeText);
    SizeOfTextEdit.SetValue(stored.road.sizeOfText);
    CloseClipTimerCheck.SetChecked(stored.road.closeClipTimer);
    CountDownEdit.SetValue(stored.road.countDown);
    HideGraduallyCheck.SetChecked(stored.hideGradually);
    DoubleCopyCheck.SetChecked(stored.road.doubleCopy);

    // The pickers feed the sample memo's font; then the memo takes the
    // stored name and size itself, which keeps a name the picker lacks.
    const std::wstring fontName = platform::AnsiToWide(stored.clipFont);
    FontNamePicker.SetValue(fontName);
    FontSizeEdit.SetValue(stored.clipFontSize);
    ui::FontInfo font = SampleMemo.GetFontInfo();
    font.name = fontName;
    font.size = stored.clipFontSize;
    font.charset = stored.clipFontCharset;
    SampleMemo.SetFontInfo(font);
    SelectCharsetRow(font.charset);
    if (stored.scrollBarVertical) VerticalScrollBarRadio.SetChecked(true);
    else NoScrollBarRadio.SetChecked(true);
    LeftMarginEdit.SetValue(stored.leftMargin);
    RightMarginEdit.SetValue(stored.rightMargin);

    StandardColor = stored.standardColor;
    FixedColor = stored.fixedColor;
    StandardTextColor = stored.standardTextColor;
    FixedTextColor = stored.fixedTextColor;
    SampleMemo.SetColor(StandardColor);
    SampleMemo.SetFontColor(StandardTextColor);
    Refresh();
    // Each picker runs the colour handler, which copies all four pickers;
    // once the fourth is set the kept colours are the stored ones again.
    StandardBackPicker.SetValue(stored.standardColor);
    FixedBackPicker.SetValue(stored.fixedColor);
    StandardTextPicker.SetValue(stored.standardTextColor);
    FixedTextPicker.SetValue(stored.fixedTextColor);

    TimeFormatBox.SetText(platform::AnsiToWide(stored.timeFormat));
    OnTimeFormatChanged();
    LoadLanguageCheck.SetChecked(stored.loadLanguage);
    LanguageFile = stored.loadFile;
}

Settings SettingsPages::ToSave() const { return Read(); }

}  // namespace settings
