#pragma once
// The texts of the program that a language file may replace, with
// their built-in values.
#include <string>

namespace settings {

struct LocalisedTexts {
    std::wstring titleText = L"Velmor";
    std::wstring pinCaption = L"&Dont Hide";
    std::wstring closeCaption = L"&Close";
    std::wstring copiedTitle = L"Copyed Clipbord";
    std::wstring fixedTitle = L"Fixed";
    std::wstring quitQuestion = L"May I Quit?";
    std::wstring quitCaption = L"Close Application";
    std::wstring versionCaption = L"Version";
    // A clip's title for a second when its copy back could not reach the clipboard.
    std::wstring notCopiedTitle = L"Not Copied";
    // Under a clip that shows only the start of its text; %s is how many characters more it has.
    std::wstring moreCaption = L"+ %s more characters";

    friend bool operator==(const LocalisedTexts&, const LocalisedTexts&) = default;
};

}  // namespace settings
