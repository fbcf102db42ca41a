#pragma once
// What a language file replaces, key by key, in the order the keys are
// applied, and the walk that applies them to the settings window.
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/LanguageFile.h"
#include "settings/LocalisedTexts.h"

namespace settings {

enum class LanguageStepKind {
    FontName,      // the window's font name
    FontSize,      // the window's font size, a whole number of points
    Charset,       // the window's character set, by name
    Title,         // the window's caption (through the system code page), then the title text
    Text,          // one of the localised texts
    Caption,       // the caption of the element whose caption key is the file's key
    CopyCaptions,  // always: elements take the captions of others
};

struct LanguageStep {
    LanguageStepKind kind;
    std::wstring_view key;  // the file's key; empty for the steps that always run
    std::wstring LocalisedTexts::*text = nullptr;                    // Text
    std::array<std::pair<std::wstring_view, std::wstring_view>, 2> copies{};  // CopyCaptions: (from, to)
};

// The 56 keys and the 3 steps that always run, in the order they are applied.
extern const std::array<LanguageStep, 59> kLanguageSteps;

// The settings window as a language file changes it.
class LanguageTarget {
public:
    virtual void SetFontName(const std::wstring& name) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetFontCharset(int charset) = 0;
    virtual void SetTitle(const std::wstring& title) = 0;
    virtual LocalisedTexts& EditableTexts() = 0;
    virtual void SetCaption(std::wstring_view key, const std::wstring& caption) = 0;
    // The caption of the element with this key; empty when there is none.
    virtual std::wstring Caption(std::wstring_view key) = 0;

protected:
    ~LanguageTarget() = default;
};

// Applies every key the text has a value for, in table order, and the steps
// that always run. "[All]FontSize" that is no whole number stops the walk
// with the error "'<value>' は整数ではありません": later keys stay as they were.
void ApplyLanguage(const LanguageText& text, LanguageTarget& target);

}  // namespace settings
