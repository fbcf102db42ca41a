#include "settings/LanguageKeys.h"

#include "platform/Error.h"
#include "settings/Charsets.h"
#include "settings/IntegerText.h"

namespace settings {

namespace {

using K = LanguageStepKind;

constexpr LanguageStep Caption(std::wstring_view key) { return {K::Caption, key}; }
constexpr LanguageStep Text(std::wstring_view key, std::wstring LocalisedTexts::*text) { return {K::Text, key, text}; }
constexpr LanguageStep Copies(std::wstring_view from1, std::wstring_view to1, std::wstring_view from2,
                              std::wstring_view to2) {
    return {K::CopyCaptions, {}, nullptr, {{{from1, to1}, {from2, to2}}}};
}

}  // namespace

const std::array<LanguageStep, 59> kLanguageSteps{{
    {K::FontName, L"[All]FontName"},
    {K::FontSize, L"[All]FontSize"},
    {K::Charset, L"[All]Charset"},
    {K::Title, L"[All]title"},
    Text(L"[All]CopyedClipbord", &LocalisedTexts::copiedTitle),
    Text(L"[All]Fixed", &LocalisedTexts::fixedTitle),
    Text(L"[All]Version", &LocalisedTexts::versionCaption),
    Text(L"[All]NotCopied", &LocalisedTexts::notCopiedTitle),
    Text(L"[All]MoreText", &LocalisedTexts::moreCaption),
    Caption(L"[MenuBar]File"),
    Caption(L"[MenuBar]CloseAllClips"),
    Caption(L"[MenuBar]TaskTray"),
    Caption(L"[MenuBar]Quit"),
    Caption(L"[MenuBar]Help"),
    Caption(L"[MenuBar]Version"),
    Caption(L"[MenuBar]Property"),
    // The tray menu's copies of menu-bar items.
    Copies(L"[MenuBar]CloseAllClips", L"[Tray]CloseAllClips", L"[MenuBar]Quit", L"[Tray]Quit"),
    Caption(L"[MenuBar]Suspend"),
    Caption(L"[MenuBar]Resume"),
    Copies(L"[MenuBar]Suspend", L"[Tray]Suspend", L"[MenuBar]Resume", L"[Tray]Resume"),
    Text(L"[MenuBar]DontHide", &LocalisedTexts::pinCaption),
    Text(L"[MenuBar]Close", &LocalisedTexts::closeCaption),
    Text(L"[MessageBox]AskClose", &LocalisedTexts::quitQuestion),
    Text(L"[MessageBox]Close", &LocalisedTexts::quitCaption),
    Caption(L"[property]Property"),
    Caption(L"[property]IgnoreLargeText"),
    Caption(L"[property]CloseClipTimer"),
    Caption(L"[property]HideGradually"),
    Caption(L"[property]MaxClipCount"),
    Caption(L"[property]Width"),
    Caption(L"[property]MaxHeight"),
    Caption(L"[property]SizeOfText"),
    Caption(L"[property]byte"),
    Caption(L"[property]CountDown"),
    Caption(L"[property]sec"),
    Caption(L"[property]DoubleCopy"),
    Caption(L"[ClipText]ClipText"),
    Caption(L"[ClipText]Font"),
    Caption(L"[ClipText]Size"),
    Caption(L"[ClipText]Left"),
    Caption(L"[ClipText]Right"),
    Caption(L"[ClipText]CharSet"),
    Caption(L"[ClipText]ScrollBar"),
    Caption(L"[ClipText]Margin"),
    Caption(L"[ClipText]Vertical"),
    Caption(L"[ClipText]None"),
    Caption(L"[ClipWindow]ClipWindow"),
    Caption(L"[ClipWindow]TimerCount"),
    Caption(L"[ClipWindow]TitleBar"),
    Caption(L"[ClipWindow]StandardWindow"),
    Caption(L"[ClipWindow]FixedWindow"),
    Caption(L"[ClipWindow]BackColor"),
    Caption(L"[ClipWindow]TextColor"),
    // The labels over the pinned window's pickers.
    Copies(L"[ClipWindow]BackColor", L"[Fixed]BackColor", L"[ClipWindow]TextColor", L"[Fixed]TextColor"),
    Caption(L"[Other]Other"),
    Caption(L"[Other]LoadLanguageFile"),
    Caption(L"[Other]PutFile"),
    Caption(L"[Other]Reload"),
    Caption(L"[Button]TaskTray"),
}};

void ApplyLanguage(const LanguageText& text, LanguageTarget& target) {
    std::vector<std::wstring_view> keys;
    for (const LanguageStep& step : kLanguageSteps) keys.push_back(step.key);
    // One pass over the file for all keys: a file may be large.
    const std::vector<std::optional<std::wstring>> values = text.Values(keys);
    for (std::size_t i = 0; i < kLanguageSteps.size(); ++i) {
        const LanguageStep& step = kLanguageSteps[i];
        if (step.kind == K::CopyCaptions) {
            for (const auto& [from, to] : step.copies) target.SetCaption(to, target.Caption(from));
            continue;
        }
        if (!values[i]) continue;
        const std::wstring& value = *values[i];
        switch (step.kind) {
            case K::FontName:
                target.SetFontName(value);
                break;
            case K::FontSize: {
                const std::optional<std::int32_t> points = ParseInteger(value);
                if (!points) throw platform::Error(L"'" + value + L"' は整数ではありません");
                target.SetFontSize(*points);
                break;
            }
            case K::Charset:
                if (const std::optional<int> charset = CharsetByName(value)) target.SetFontCharset(*charset);
                break;
            case K::Title:
                target.SetTitle(value);
                break;
            case K::Text:
                target.EditableTexts().*step.text = value;
                break;
            case K::Caption:
                target.SetCaption(step.key, value);
                break;
            case K::CopyCaptions:
                break;
        }
    }
}

}  // namespace settings
