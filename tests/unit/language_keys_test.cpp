#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "settings/LanguageKeys.h"

namespace {

using settings::LanguageText;

// The settings window as a list of what was done to it.
class Recorder : public settings::LanguageTarget {
public:
    std::vector<std::wstring> done;
    std::map<std::wstring, std::wstring, std::less<>> captions;
    settings::LocalisedTexts texts;

    void SetFontName(const std::wstring& name) override { done.push_back(L"font " + name); }
    void SetFontSize(int points) override { done.push_back(L"size " + std::to_wstring(points)); }
    void SetFontCharset(int charset) override { done.push_back(L"charset " + std::to_wstring(charset)); }
    void SetTitle(const std::wstring& title) override { done.push_back(L"title " + title); }
    settings::LocalisedTexts& EditableTexts() override { return texts; }
    void SetCaption(std::wstring_view key, const std::wstring& caption) override {
        captions[std::wstring(key)] = caption;
        done.push_back(std::wstring(key) + L"=" + caption);
    }
    std::wstring Caption(std::wstring_view key) override {
        const auto found = captions.find(key);
        return found == captions.end() ? L"" : found->second;
    }
};

TEST(LanguageKeys, TheTableHas56KeysAndThreeStepsThatAlwaysRun) {
    int keys = 0;
    int always = 0;
    for (const auto& step : settings::kLanguageSteps) (step.key.empty() ? always : keys) += 1;
    EXPECT_EQ(keys, 56);
    EXPECT_EQ(always, 3);
}

TEST(LanguageKeys, KeysApplyInTableOrderAndTheCopiesRunWithoutTheirKeys) {
    Recorder window;
    window.captions[L"[MenuBar]CloseAllClips"] = L"&Close All Clips";
    const LanguageText text(L"Test\r\n[ClipWindow]BackColor=Fond\r\n[all]TITLE=T\r\n[All]Charset=shiftjis\r\n"
                            L"[All]Fixed=A\r\n[All]Fixed=B\r\n[MenuBar]Quit=\r\n[All]FontName=Arial\r\n");
    settings::ApplyLanguage(text, window);
    EXPECT_EQ(window.done, (std::vector<std::wstring>{
                               L"font Arial", L"charset 128", L"title T",
                               L"[Tray]CloseAllClips=&Close All Clips", L"[Tray]Quit=",  // always, even without keys
                               L"[Tray]Suspend=", L"[Tray]Resume=", L"[ClipWindow]BackColor=Fond",
                               L"[Fixed]BackColor=Fond", L"[Fixed]TextColor="}));
    EXPECT_EQ(window.texts.fixedTitle, L"A") << "the first of two lines counts";
    EXPECT_EQ(window.texts.copiedTitle, L"Copyed Clipbord");
}

TEST(LanguageKeys, AFontSizeThatIsNoNumberStopsTheKeysAfterIt) {
    Recorder window;
    const LanguageText text(L"Test\r\n[All]FontName=Tahoma\r\n[All]FontSize=big\r\n[All]title=Never\r\n");
    try {
        settings::ApplyLanguage(text, window);
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.Message(), L"'big' は整数ではありません");
    }
    EXPECT_EQ(window.done, std::vector<std::wstring>{L"font Tahoma"});
    window.done.clear();
    settings::ApplyLanguage(LanguageText(L"x\r\n[All]FontSize=$A\r\n"), window);
    EXPECT_EQ(window.done.front(), L"size 10");
}

std::string SourceFile(const std::string& path) {
    std::ifstream in(std::string(VELMOR_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(LanguageKeys, TheSampleTranslationsCoverEveryKey) {
    for (const char* file : {"lang/Japanese.lng", "lang/Deutsch.lng"}) {
        const std::string bytes = SourceFile(file);
        ASSERT_FALSE(bytes.empty()) << file;
        const LanguageText text = LanguageText::FromBytes(bytes, {});
        for (const auto& step : settings::kLanguageSteps) {
            if (step.key.empty()) continue;
            EXPECT_TRUE(text.Value(step.key)) << file << " lacks a key";
        }
    }
}

}  // namespace
