#include "settings/SettingsPages.h"

#include <cstddef>

#include "platform/Text.h"
#include "settings/Charsets.h"
#include "settings/SystemLocale.h"
#include "ui/Dpi.h"

namespace settings {

namespace {
// Spin edits without a range take any whole number, negative ones included.
constexpr ui::SpinEditOptions Unbounded(int value) { return {.minValue = 0, .maxValue = 0, .value = value}; }
constexpr int kDroppedRows = 15;
}  // namespace

void SettingsPages::Create(ui::Window& form) {
    PageControl1.Create(form, {0, 0, 280, 268});
    TSProperty = &PageControl1.AddPage(L"Property");
    TSProperty->SetCaptionKey(L"[property]Property");
    TSClipText = &PageControl1.AddPage(L"ClipText");
    TSClipText->SetCaptionKey(L"[ClipText]ClipText");
    TSClipWindow = &PageControl1.AddPage(L"Clip Window");
    TSClipWindow->SetCaptionKey(L"[ClipWindow]ClipWindow");
    TSOther = &PageControl1.AddPage(L"Other");
    TSOther->SetCaptionKey(L"[Other]Other");
    CreatePropertyPage();
    CreateClipTextPage();
    CreateClipWindowPage();
    CreateOtherPage();
    PageControl1.SetActivePageIndex(kClipWindowPage);
    // Every control that a setting lives in keeps current_ up to date.
    const auto refresh = [this](auto&) { Refresh(); };
    for (ui::SpinEdit* spin : {&SEHistory, &SEMaxWidth, &SEMaxHeight, &SEMaxTextSize, &SECountDown}) spin->OnChange = refresh;
    for (ui::CheckBox* box : {&CBIgnoreLT, &CBCountDown, &CBHideGradually, &CBDoubleCopy, &CBTitleTimer}) box->OnClick = refresh;
    RBScrollBarsVer.OnClick = refresh;
    RBScrollBarsNone.OnClick = refresh;
    Refresh();
}

void SettingsPages::Fit(int clientWidth, int clientHeight, int stripHeight) {
    const int height = clientHeight - stripHeight;
    PageControl1.SetPixelBounds({0, 0, clientWidth, height > 0 ? height : 0});
}

void SettingsPages::CreatePropertyPage() {
    ui::TabSheet& page = *TSProperty;
    LMaxClipCount.Create(page, {.bounds = {8, 16, 79, 13}, .caption = L"Max Clip Count :", .key = L"[property]MaxClipCount"});
    SEHistory.Create(page, {136, 12, 57, 22}, {.minValue = kMinClipCount, .maxValue = kMaxClipCount, .value = 3});
    LWidth.Create(page, {.bounds = {8, 40, 33, 13}, .caption = L"width :", .key = L"[property]Width"});
    SEMaxWidth.Create(page, {136, 36, 57, 22}, Unbounded(200));
    LMaxHeight.Create(page, {.bounds = {8, 64, 61, 13}, .caption = L"Max Height :", .key = L"[property]MaxHeight"});
    SEMaxHeight.Create(page, {136, 60, 57, 22}, Unbounded(120));
    CBIgnoreLT.Create(page, {.bounds = {8, 88, 249, 17},
                             .caption = L"Ignore Large Text",
                             .key = L"[property]IgnoreLargeText",
                             .checked = true});
    LSizeOfText.Create(page, {.bounds = {16, 112, 64, 13}, .caption = L"Size of Text :", .key = L"[property]SizeOfText"});
    SEMaxTextSize.Create(page, {136, 108, 65, 22}, Unbounded(1000));
    LByte.Create(page, {.bounds = {208, 112, 22, 13}, .caption = L"byte", .key = L"[property]byte"});
    CBCountDown.Create(page, {.bounds = {8, 136, 249, 17}, .caption = L"Close Clip Timer", .key = L"[property]CloseClipTimer"});
    LCountDown.Create(page, {.bounds = {16, 160, 66, 13}, .caption = L"Count Down :", .key = L"[property]CountDown"});
    SECountDown.Create(page, {136, 156, 65, 22}, Unbounded(120));
    LSec.Create(page, {.bounds = {208, 160, 16, 13}, .caption = L"sec", .key = L"[property]sec"});
    CBHideGradually.Create(page, {.bounds = {16, 184, 241, 17},
                                  .caption = L"Hide Gradually(Win2000 or later)",
                                  .key = L"[property]HideGradually"});
    CBDoubleCopy.Create(page, {.bounds = {8, 208, 257, 17},
                               .caption = L"Clip Window only show Double Copyed",
                               .key = L"[property]DoubleCopy"});
}

void SettingsPages::CreateClipTextPage() {
    ui::TabSheet& page = *TSClipText;
    LClipFont.Create(page, {.bounds = {8, 12, 49, 13}, .caption = L"Clip Font :", .key = L"[ClipText]Font"});
    FNCBFont.Create(page, {88, 8, 177, 21});
    FNCBFont.SetDropDownCount(kDroppedRows);
    FNCBFont.SetValue(L"Arial");
    LClipFontSize.Create(page, {.bounds = {8, 36, 71, 13}, .caption = L"Clip Font Size :", .key = L"[ClipText]Size"});
    SEFontSize.Create(page, {88, 32, 57, 22}, Unbounded(9));
    LClipCharset.Create(page, {.bounds = {8, 60, 65, 13}, .caption = L"Clip Charset :", .key = L"[ClipText]CharSet"});
    CBFontCharset.Create(page, {88, 56, 177, 21}, ui::ComboStyle::DropDownList);
    CBFontCharset.SetDropDownCount(static_cast<int>(kCharsets.size()));
    for (const CharsetRow& row : kCharsets) CBFontCharset.AddItem(row.listText);
    CBFontCharset.SetItemIndex(0);

    GBb1.Create(page, {.bounds = {8, 80, 121, 73}, .caption = L"ScrollBar", .key = L"[ClipText]ScrollBar"});
    RBScrollBarsVer.Create(page, {.bounds = GBb1.ChildBounds({8, 20, 105, 17}),
                                  .caption = L"Vertical",
                                  .key = L"[ClipText]Vertical",
                                  .groupStart = true,
                                  .checked = true});
    RBScrollBarsNone.Create(page, {.bounds = GBb1.ChildBounds({8, 44, 105, 17}), .caption = L"None", .key = L"[ClipText]None"});
    GBb2.Create(page, {.bounds = {136, 80, 129, 73}, .caption = L"Margin", .key = L"[ClipText]Margin"});
    LLeft.Create(page, {.bounds = GBb2.ChildBounds({8, 20, 19, 13}), .caption = L"Left", .key = L"[ClipText]Left"});
    SELeftMg.Create(page, GBb2.ChildBounds({64, 16, 49, 22}), Unbounded(0));
    LRight.Create(page, {.bounds = GBb2.ChildBounds({8, 44, 25, 13}), .caption = L"Right", .key = L"[ClipText]Right"});
    SERightMg.Create(page, GBb2.ChildBounds({64, 40, 49, 22}), Unbounded(0));

    MemoSample.Create(page, {8, 160, 257, 73}, {.wordWrap = true, .scrollBars = ui::ScrollBars::None});
    MemoSample.SetText(L"MemoSample");

    SEFontSize.OnChange = [this](ui::SpinEdit&) { SEFontSizeChange(); };
    FNCBFont.OnChange = [this](widgets::TFontNameComboBox&) { FNCBFontChange(); };
    CBFontCharset.OnChange = [this](ui::ComboBox&) { CBFontCharsetChange(); };
    const auto marginChange = [this](ui::SpinEdit&) {
        SELeftMgChange();
        Refresh();
    };
    SELeftMg.OnChange = marginChange;
    SERightMg.OnChange = marginChange;
}

void SettingsPages::SetUpColorPicker(widgets::TColorComboBox& picker, ui::Window& page, const ui::Bounds& bounds) {
    picker.BeginLoading();
    picker.SetShowSysColor(true);
    picker.SetShowExtraColor(true);
    picker.SetJapaneseText(false);
    picker.SetChangeControlFont(false);
    picker.SetCustomColorSave(false);
    picker.SetCustomColorSaveOption({widgets::TSaveToColorFile::scfIniFile, "CustomColors"});
    picker.SetValue(ui::kColorNone);
    picker.SetCustomColor(ui::kColorNone);
    picker.Create(page, bounds);
    picker.SetDropDownCount(kDroppedRows);
    picker.EndLoading();
    picker.OnChange = [this](widgets::TColorComboBox&) { CCBColorChange(); };
}

void SettingsPages::CreateClipWindowPage() {
    ui::TabSheet& page = *TSClipWindow;
    GBd1.Create(page, {.bounds = {0, 0, 265, 65}, .caption = L"Title Bar", .key = L"[ClipWindow]TitleBar"});
    CBTitleTimer.Create(page, {.bounds = GBd1.ChildBounds({8, 16, 249, 17}),
                               .caption = L"Show Timer Count Down",
                               .key = L"[ClipWindow]TimerCount",
                               .checked = true});
    CBTimeFormat.Create(page, GBd1.ChildBounds({8, 35, 145, 21}), ui::ComboStyle::DropDown);
    CBTimeFormat.AddItem(L"hh:mm ss");
    CBTimeFormat.AddItem(L"hh:mm");
    CBTimeFormat.SetText(L"hh:mm ss");
    LSampleTime.Create(page, {.bounds = GBd1.ChildBounds({160, 39, 59, 13}), .caption = L"Time Sample"});
    CBTimeFormat.OnChange = [this](ui::ComboBox&) { CBTimeFormatChange(); };

    GBd2.Create(page, {.bounds = {0, 68, 265, 65}, .caption = L"Standard Window", .key = L"[ClipWindow]StandardWindow"});
    LStandardBack.Create(page, {.bounds = GBd2.ChildBounds({8, 16, 50, 13}), .caption = L"Back Color", .key = L"[ClipWindow]BackColor"});
    SetUpColorPicker(CCBStandard, page, GBd2.ChildBounds({8, 32, 121, 25}));
    LStandardText.Create(page, {.bounds = GBd2.ChildBounds({136, 16, 50, 13}), .caption = L"Text Color", .key = L"[ClipWindow]TextColor"});
    SetUpColorPicker(CCBStandardText, page, GBd2.ChildBounds({136, 32, 121, 25}));

    GBd3.Create(page, {.bounds = {0, 136, 265, 65}, .caption = L"Fixed Window", .key = L"[ClipWindow]FixedWindow"});
    LFixedBack.Create(page, {.bounds = GBd3.ChildBounds({8, 16, 50, 13}), .caption = L"Back Color", .key = L"[Fixed]BackColor"});
    SetUpColorPicker(CCBFixed, page, GBd3.ChildBounds({8, 32, 121, 25}));
    LFixedText.Create(page, {.bounds = GBd3.ChildBounds({136, 16, 50, 13}), .caption = L"Text Color", .key = L"[Fixed]TextColor"});
    SetUpColorPicker(CCBFixedText, page, GBd3.ChildBounds({136, 32, 121, 25}));
}

void SettingsPages::CreateOtherPage() {
    ui::TabSheet& page = *TSOther;
    CBLoadLang.Create(page, {.bounds = {8, 8, 257, 17},
                             .caption = L"Load Language File(It need *.lng text file.)",
                             .key = L"[Other]LoadLanguageFile"});
    LBLanguage.Create(page, {2, 32, 263, 145});
    BPutFile.Create(page, {.bounds = {112, 184, 75, 25}, .caption = L"Put File", .key = L"[Other]PutFile"});
    BReload.Create(page, {.bounds = {192, 184, 75, 25}, .caption = L"ReLoad", .key = L"[Other]Reload"});
}

// ---------------------------------------------------------------- handlers

void SettingsPages::SELeftMgChange() {
    // Margins outside 16 bits reach the edit control as their low 16 bits.
    MemoSample.SetMargins(ui::Scale(SELeftMg.Value()), ui::Scale(SERightMg.Value()));
}

void SettingsPages::CCBColorChange() {
    StandardColor = CCBStandard.Value();
    StandardTextColor = CCBStandardText.Value();
    FixedColor = CCBFixed.Value();
    FixedTextColor = CCBFixedText.Value();
    // The preview shows the standard pair, whichever picker changed.
    MemoSample.SetColor(StandardColor);
    MemoSample.SetFontColor(StandardTextColor);
    Refresh();
}

void SettingsPages::CBTimeFormatChange() {
    LSampleTime.SetText(platform::AnsiToWide(FormatNow(TimeFormatText())));
    Refresh();
}

void SettingsPages::SEFontSizeChange() {
    ui::FontInfo font = MemoSample.GetFontInfo();
    font.size = SEFontSize.Value();
    MemoSample.SetFontInfo(font);
}

void SettingsPages::FNCBFontChange() {
    ui::FontInfo font = MemoSample.GetFontInfo();
    font.name = FNCBFont.Value();
    MemoSample.SetFontInfo(font);
}

void SettingsPages::CBFontCharsetChange() {
    const int row = CBFontCharset.ItemIndex();
    if (row < 0 || row >= static_cast<int>(kCharsets.size())) return;
    ui::FontInfo font = MemoSample.GetFontInfo();
    font.charset = kCharsets[static_cast<std::size_t>(row)].value;
    MemoSample.SetFontInfo(font);
}

void SettingsPages::SelectCharsetRow(int charset) {
    if (const auto row = CharsetRowOf(charset)) CBFontCharset.SetItemIndex(*row);
}

void SettingsPages::FitCaptions() {
    const int checkMark = GetSystemMetrics(SM_CXMENUCHECK) + ui::Scale(6);
    const auto rightOf = [](const ui::Window& container, int inset) {
        const ui::Bounds bounds = container.PixelBounds();
        return bounds.left + bounds.width - ui::Scale(inset);
    };
    const auto pageRight = [](const ui::TabSheet& page) { return page.ClientSize().cx - ui::Scale(4); };
    for (ui::CheckBox* box : {&CBIgnoreLT, &CBCountDown, &CBHideGradually, &CBDoubleCopy}) {
        box->FitCaption(checkMark, pageRight(*TSProperty));
    }
    RBScrollBarsVer.FitCaption(checkMark, rightOf(GBb1, 4));
    RBScrollBarsNone.FitCaption(checkMark, rightOf(GBb1, 4));
    CBTitleTimer.FitCaption(checkMark, rightOf(GBd1, 4));
    CBLoadLang.FitCaption(checkMark, pageRight(*TSOther));
    // The two buttons keep to the page's right edge, side by side.
    const int buttonEdges = ui::Scale(16);
    BReload.FitCaptionLeftwards(buttonEdges, pageRight(*TSOther) / 2);
    const ui::Bounds reload = BReload.PixelBounds();
    const ui::Bounds put = BPutFile.PixelBounds();
    BPutFile.SetPixelBounds({reload.left - ui::Scale(5) - put.width, put.top, put.width, put.height});
    BPutFile.FitCaptionLeftwards(buttonEdges, ui::Scale(2));
}

// ------------------------------------------------------------ the values

std::string SettingsPages::TimeFormatText() const { return platform::WideToAnsi(CBTimeFormat.Text()); }

void SettingsPages::Refresh() {
    ClipSettings& now = current_;
    now.maxClipCount = SEHistory.Value();
    now.maxWidth = SEMaxWidth.Value();
    now.maxHeight = SEMaxHeight.Value();
    now.ignoreLargeText = CBIgnoreLT.Checked();
    now.maxTextSize = SEMaxTextSize.Value();
    now.countDownEnabled = CBCountDown.Checked();
    now.countDown = SECountDown.Value();
    now.hideGradually = CBHideGradually.Checked();
    now.doubleCopy = CBDoubleCopy.Checked();
    now.scrollBarsVertical = RBScrollBarsVer.Checked();
    now.leftMargin = SELeftMg.Value();
    now.rightMargin = SERightMg.Value();
    now.titleTimer = CBTitleTimer.Checked();
    now.timeFormat = TimeFormatText();
    now.standardColor = StandardColor;
    now.standardTextColor = StandardTextColor;
    now.fixedColor = FixedColor;
    now.fixedTextColor = FixedTextColor;
}

void SettingsPages::Load(const StoredSettings& stored) {
    if (stored.activePage >= kPropertyPage && stored.activePage <= kOtherPage) {
        PageControl1.SetActivePageIndex(stored.activePage);
    }
    SEHistory.SetValue(stored.maxClipCount);
    SEMaxWidth.SetValue(stored.clipWidth);
    SEMaxHeight.SetValue(stored.maxHeight);
    CBIgnoreLT.SetChecked(stored.ignoreLargeText);
    SEMaxTextSize.SetValue(stored.sizeOfText);
    CBCountDown.SetChecked(stored.closeClipTimer);
    SECountDown.SetValue(stored.countDown);
    CBHideGradually.SetChecked(stored.hideGradually);
    CBDoubleCopy.SetChecked(stored.doubleCopy);

    // The pickers feed the sample memo's font; then the memo takes the
    // stored name and size itself, which keeps a name the picker lacks.
    const std::wstring fontName = platform::AnsiToWide(stored.clipFont);
    FNCBFont.SetValue(fontName);
    SEFontSize.SetValue(stored.clipFontSize);
    ui::FontInfo font = MemoSample.GetFontInfo();
    font.name = fontName;
    font.size = stored.clipFontSize;
    font.charset = stored.clipFontCharset;
    MemoSample.SetFontInfo(font);
    SelectCharsetRow(font.charset);
    if (stored.scrollBarVertical) RBScrollBarsVer.SetChecked(true);
    else RBScrollBarsNone.SetChecked(true);
    SELeftMg.SetValue(stored.leftMargin);
    SERightMg.SetValue(stored.rightMargin);

    StandardColor = stored.standardColor;
    FixedColor = stored.fixedColor;
    StandardTextColor = stored.standardTextColor;
    FixedTextColor = stored.fixedTextColor;
    MemoSample.SetColor(StandardColor);
    MemoSample.SetFontColor(StandardTextColor);
    Refresh();
    // Each picker runs the colour handler, which copies all four pickers;
    // once the fourth is set the kept colours are the stored ones again.
    CCBStandard.SetValue(stored.standardColor);
    CCBFixed.SetValue(stored.fixedColor);
    CCBStandardText.SetValue(stored.standardTextColor);
    CCBFixedText.SetValue(stored.fixedTextColor);

    CBTimeFormat.SetText(platform::AnsiToWide(stored.timeFormat));
    CBTimeFormatChange();
    CBLoadLang.SetChecked(stored.loadLanguage);
    LanguageFile = stored.loadFile;
}

void SettingsPages::Save(StoredSettings& stored) const {
    stored.activePage = PageControl1.ActivePageIndex();
    stored.maxClipCount = SEHistory.Value();
    stored.clipWidth = SEMaxWidth.Value();
    stored.maxHeight = SEMaxHeight.Value();
    stored.ignoreLargeText = CBIgnoreLT.Checked();
    stored.sizeOfText = SEMaxTextSize.Value();
    stored.closeClipTimer = CBCountDown.Checked();
    stored.countDown = SECountDown.Value();
    stored.hideGradually = CBHideGradually.Checked();
    stored.doubleCopy = CBDoubleCopy.Checked();
    const ui::FontInfo& font = MemoSample.GetFontInfo();
    stored.clipFont = platform::WideToAnsi(font.name);
    stored.clipFontSize = font.size;
    stored.clipFontCharset = font.charset;
    stored.scrollBarVertical = RBScrollBarsVer.Checked();
    stored.leftMargin = SELeftMg.Value();
    stored.rightMargin = SERightMg.Value();
    stored.standardColor = StandardColor;
    stored.fixedColor = FixedColor;
    stored.standardTextColor = StandardTextColor;
    stored.fixedTextColor = FixedTextColor;
    stored.timeFormat = TimeFormatText();
    stored.loadLanguage = CBLoadLang.Checked();
    stored.loadFile = LanguageFile;
}

}  // namespace settings
