// Applies arbitrary language files to a settings window that records what it
// is given: each key must arrive with the value a lookup of that key alone
// finds, and the one error is a font size that is no whole number, raised
// before any later key was applied.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Error.h"
#include "settings/IntegerText.h"
#include "settings/LanguageKeys.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

class Recorder final : public settings::LanguageTarget {
public:
    std::map<std::wstring, std::wstring, std::less<>> set;  // by the key that gave the value
    settings::LocalisedTexts texts;

    void SetFontName(const std::wstring& name) override { set[L"[All]FontName"] = name; }
    void SetFontSize(int points) override { set[L"[All]FontSize"] = std::to_wstring(points); }
    void SetFontCharset(int charset) override { set[L"[All]Charset"] = std::to_wstring(charset); }
    void SetTitle(const std::wstring& title) override { set[L"[All]title"] = title; }
    settings::LocalisedTexts& EditableTexts() override { return texts; }
    void SetCaption(std::wstring_view key, const std::wstring& caption) override { set[std::wstring(key)] = caption; }
    std::wstring Caption(std::wstring_view key) override {
        const auto found = set.find(key);
        return found == set.end() ? L"" : found->second;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = settings::LanguageText::FromBytes(
        std::string_view(reinterpret_cast<const char*>(data), size), {});  // no mark: ISO 8859-1
    Recorder window;
    const std::optional<std::wstring> fontSize = text.Value(L"[All]FontSize");
    try {
        settings::ApplyLanguage(text, window);
    } catch (const platform::Error& error) {
        Check(fontSize && !settings::ParseInteger(*fontSize));
        Check(error.Message() == L"'" + *fontSize + L"' は整数ではありません");
        // Only the font name comes before the size.
        Check(window.texts == settings::LocalisedTexts{} && window.set.size() <= 1 &&
              window.set.count(L"[All]FontName") == window.set.size());
        return 0;
    }
    Check(!fontSize || settings::ParseInteger(*fontSize));

    // The walk looks up all keys in one pass; each must find what a lookup of
    // its key alone finds. The copies read the captions the walk set.
    for (const settings::LanguageStep& step : settings::kLanguageSteps) {
        using Kind = settings::LanguageStepKind;
        const std::optional<std::wstring> value = text.Value(step.key);
        switch (step.kind) {
            case Kind::FontName:
            case Kind::Title:
            case Kind::Caption:
                Check(window.Caption(step.key) == value.value_or(L""));
                break;
            case Kind::Text:
                Check(window.texts.*step.text == value.value_or(settings::LocalisedTexts{}.*step.text));
                break;
            case Kind::CopyCaptions:
                for (const auto& [from, to] : step.copies) Check(window.Caption(to) == window.Caption(from));
                break;
            case Kind::FontSize:
            case Kind::Charset:
                break;
        }
    }
    return 0;
}
