// Language files beside the program, applied to the real settings window.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <cwctype>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/Controller.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"
#include "ui/Graphics.h"

using namespace std::chrono_literals;

namespace {

std::string Utf16(const std::wstring& text) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

class Languages : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override {
        velmor.reset();
        ui::Application::Get().SetErrorReporter(nullptr);
        ui::Application::Get().SetMessageReporter(nullptr);
        settings::Languages::SetDialogRunner(nullptr);
        Clean();
    }
    void Clean() {
        for (const char* name : {"Default.lng", "A.lng", "B.lng", "Only.lng", "Locked.lng", "Z.lng"}) {
            SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + name).c_str());
        }
        DeleteFileW(settings::PropertyFilePath().c_str());
    }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(folder + name, std::ios::binary) << bytes;
    }
    app::Controller& Start() {
        velmor = std::make_unique<app::Controller>();
        return *velmor;
    }
    std::wstring MenuText(HMENU menu, int position) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        return text;
    }
    std::vector<std::wstring> Rows() {
        std::vector<std::wstring> rows;
        for (int row = 0; row < velmor->Window().Pages.LanguageList.ItemCount(); ++row) rows.push_back(velmor->Window().Pages.LanguageList.Item(row));
        return rows;
    }

    const std::string folder = platform::WideToAnsi(platform::ExeFolder());
    std::unique_ptr<app::Controller> velmor;
};

TEST_F(Languages, AUtf16FileReplacesMenusTabsLabelsAndTextsAndCaptionsFit) {
    Put("Default.lng", testsupport::SourceFile("lang/Japanese.lng"));
    app::Controller& window = Start();
    settings::SettingsPages& pages = window.Window().Pages;
    EXPECT_EQ(MenuText(GetMenu(window.Window().Handle()), 0), L"ファイル(&F)");
    EXPECT_EQ(window.Window().TrayMenu.Items().Items()[1]->Caption(), L"すべてのクリップを閉じる(&C)") << "copied from the menu bar";
    EXPECT_EQ(pages.PropertyPage->Caption(), L"設定");
    EXPECT_EQ(pages.MaxClipCountLabel.Text(), L"最大クリップ数 :");
    EXPECT_EQ(pages.FixedBackLabel.Text(), L"背景色");
    EXPECT_EQ(window.Texts().fixedTitle, L"固定");
    EXPECT_EQ(window.Texts().titleText, L"Velmor クリップ");
    EXPECT_EQ(ui::Application::Get().Title(), L"Velmor クリップ");
    EXPECT_EQ(ui::FontInfoOf(window.Window().FormFont()).charset, 128);
    EXPECT_EQ(pages.LanguageList.Item(0), platform::AnsiToWide(platform::WideToAnsi(L"日本語")));
    // Every check box shows its whole caption, as far as its page allows.
    for (const ui::CheckBox* box : {&pages.IgnoreLargeTextCheck, &pages.DoubleCopyCheck, &pages.LoadLanguageCheck}) {
        const int room = pages.PropertyPage->ClientSize().cx - box->PixelBounds().left;
        EXPECT_GE(box->PixelBounds().width, std::min(static_cast<int>(box->CaptionSize().cx) + 13, room - 8));
    }
}

TEST_F(Languages, Utf8AndTheSystemCodePageGiveTheSameCaptions) {
    Put("A.lng", "\xEF\xBB\xBFGerman\r\n[ClipText]Size=Gr\xC3\xB6\xC3\x9F" "e :\r\n");
    Put("B.lng", "German\r\n[ClipText]Size=Gr\xF6\xDF" "e :\r\n");  // code page 1252
    app::Controller& window = Start();
    window.ApplyLanguageFile(platform::AnsiToWide(folder + "A.lng"));
    EXPECT_EQ(window.Window().Pages.FontSizeLabel.Text(), L"Größe :");
    window.Window().Pages.FontSizeLabel.SetText(L"reset");
    window.ApplyLanguageFile(platform::AnsiToWide(folder + "B.lng"));
    EXPECT_EQ(window.Window().Pages.FontSizeLabel.Text(), platform::AnsiToWide("Gr\xF6\xDF" "e :"));
}

TEST_F(Languages, AFontSizeThatIsNoNumberIsReportedAndStopsTheRest) {
    Put("Default.lng", "Bad\r\n[All]FontName=Liberation Serif\r\n[All]FontSize=big\r\n[MenuBar]File=&Never\r\n");
    std::vector<std::wstring> reports;
    ui::Application::Get().SetErrorReporter([&](const std::wstring& text) { reports.push_back(text); });
    app::Controller& window = Start();
    // Default.lng is applied twice at start (by the load, then after the listing): so is its error.
    EXPECT_EQ(reports, (std::vector<std::wstring>(2, L"'big' は整数ではありません")));
    EXPECT_EQ(ui::FontInfoOf(window.Window().FormFont()).name, L"Liberation Serif");
    EXPECT_EQ(MenuText(GetMenu(window.Window().Handle()), 0), L"&File");
    EXPECT_TRUE(window.TrayIconPresent()) << "the start-up went on";
}

TEST_F(Languages, TheChosenFileGoesOverDefaultAndADeletedOneLeavesDefault) {
    Put("Default.lng", testsupport::SourceFile("lang/Deutsch.lng"));
    Put("Only.lng", "Only\r\n[MenuBar]File=&Only\r\n");
    Put("property.ini", "[Other]\r\nLoadLanguage=1\r\nLoadFile=Only.lng\r\n");
    app::Controller* window = &Start();
    EXPECT_EQ(MenuText(GetMenu(window->Window().Handle()), 0), L"&Only");
    EXPECT_EQ(MenuText(GetMenu(window->Window().Handle()), 1), L"&Hilfe") << "the rest from Default.lng";
    velmor.reset();
    DeleteFileA((folder + "Only.lng").c_str());
    window = &Start();
    EXPECT_EQ(MenuText(GetMenu(window->Window().Handle()), 0), L"&Datei");
}

TEST_F(Languages, ADoubleClickAppliesTheFirstFileOfThatNameAndIsKeptOnlyWhenAsked) {
    Put("A.lng", "Same\r\n[MenuBar]Help=&First\r\n");
    Put("B.lng", "Same\r\n[MenuBar]Help=&Second\r\n");
    app::Controller& window = Start();
    ASSERT_EQ(Rows(), (std::vector<std::wstring>{L"Same", L"Same"}));
    window.ApplyChosenLanguage();  // nothing selected: nothing happens
    window.Window().Pages.LanguageList.SetItemIndex(1);
    window.ApplyChosenLanguage();
    EXPECT_EQ(MenuText(GetMenu(window.Window().Handle()), 1), L"&First");
    EXPECT_EQ(window.Window().Pages.LanguageFile, "A.lng");
    window.SaveSettings();
    velmor.reset();
    EXPECT_EQ(MenuText(GetMenu(Start().Window().Handle()), 1), L"&Help") << "the check box is off";
}

TEST_F(Languages, PutFileShowsThePathKeepsAnExistingFileAndListsAgain) {
    Put("A.lng", "Existing\r\n");
    app::Controller& window = Start();
    const std::string source = folder + "sub-put\\";
    CreateDirectoryA(source.c_str(), nullptr);
    std::ofstream(source + "A.lng", std::ios::binary) << "Replacement\r\n";
    std::ofstream(source + "Z.lng", std::ios::binary) << "Added\r\n";
    std::vector<std::wstring> messages;
    ui::Application::Get().SetMessageReporter([&](const std::wstring& text) { messages.push_back(text); });
    for (const char* chosen : {"A.lng", "Z.lng"}) {
        settings::Languages::SetDialogRunner([&](OPENFILENAMEW& dialog) {
            std::wstring filter;  // its pairs, each string ended by '|'
            for (const wchar_t* part = dialog.lpstrFilter; *part; part += std::wcslen(part) + 1) filter += part + std::wstring(L"|");
            EXPECT_EQ(filter, L"Language Text File(*.lng)|*.lng|");
            lstrcpynW(dialog.lpstrFile, platform::AnsiToWide(source + chosen).c_str(), static_cast<int>(dialog.nMaxFile));
            return true;
        });
        window.PutLanguageFile();
    }
    DeleteFileA((source + "A.lng").c_str());
    DeleteFileA((source + "Z.lng").c_str());
    RemoveDirectoryA(source.c_str());
    EXPECT_EQ(messages, (std::vector<std::wstring>{platform::AnsiToWide(source + "A.lng"), platform::AnsiToWide(source + "Z.lng")}));
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"Existing", L"Added"}));
}

TEST_F(Languages, AnUnreadableFileStopsTheListingWithAMessageAndKeepsTheRowsBefore) {
    Put("A.lng", "First\r\n");
    Put("B.lng", "");  // no line: listed by its name
    Put("Locked.lng", "Locked\r\n");
    Put("Z.lng", Utf16(L"Odd").substr(0, 7));  // a truncated UTF-16 file
    const HANDLE locked =
        CreateFileA((folder + "Locked.lng").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<std::wstring> reports;
    ui::Application::Get().SetErrorReporter([&](const std::wstring& text) { reports.push_back(text); });
    Start();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"First", L"B.lng"}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"Locked.lng"), std::wstring::npos);
    CloseHandle(locked);
    velmor->ListLanguageFiles();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"First", L"B.lng", L"Locked", L"Od"}));
}

TEST_F(Languages, OpenClipWindowsTakeTheNewTitlesFromThenOn) {
    app::Controller& window = Start();
    const int counter = window.ClipCounter();
    ASSERT_TRUE(testsupport::SetClipboardText(L"titled"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return window.ClipCounter() != counter; }, 2s));
    clipwindow::ClipWindow* clip = window.Clip(window.Clips().LastSlot());
    ASSERT_NE(clip, nullptr);
    Put("A.lng", "A\r\n[All]Fixed=Angeheftet\r\n[MenuBar]DontHide=&Anheften\r\n");
    window.ApplyLanguageFile(platform::AnsiToWide(folder + "A.lng"));
    clip->TogglePinned();
    EXPECT_EQ(clip->Title(), "Angeheftet");
    EXPECT_EQ(clip->PinItem->Caption(), L"&Dont Hide") << "an open window keeps its menu";
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

TEST_F(Languages, EveryKeyInAnyCaseReachesItsPlaceOnTheRealWindowAndTheCopiesFollowInOrder) {
    app::Controller& window = Start();
    settings::SettingsPages& p = window.Window().Pages;
    using Reader = std::function<std::wstring()>;
    const auto text = [](const ui::Window& control) -> Reader { return [&control] { return WindowText(control.Handle()); }; };
    const auto tab = [&](int index) -> Reader {
        return [&, index] {
            wchar_t caption[128] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption;
            item.cchTextMax = 128;
            SendMessageW(p.Tabs.Handle(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
            return std::wstring(caption);
        };
    };
    const auto shown = [](HMENU menu, UINT item, UINT by) {
        wchar_t caption[128] = {};
        GetMenuStringW(menu, item, caption, 128, by);
        const std::wstring all = caption;
        return all.substr(0, all.find(L'\t'));  // without the shortcut
    };
    const auto bar = [&](int position) -> Reader {
        return [&, position] { return shown(GetMenu(window.Window().Handle()), static_cast<UINT>(position), MF_BYPOSITION); };
    };
    const auto item = [&](ui::Menu& menu, ui::MenuItem*& entry) -> Reader {
        return [&] { return shown(menu.Handle(), entry->Command(), MF_BYCOMMAND); };
    };
    const auto suspended = [&](Reader read) -> Reader {  // Resume items are in the menus only then
        return [&window, read] {
            window.Clips().Suspend();
            const std::wstring caption = read();
            window.Clips().Resume();
            return caption;
        };
    };
    const auto texts = [&](std::wstring settings::LocalisedTexts::*field) -> Reader {
        return [&window, field] { return window.Texts().*field; };
    };
    const auto font = [&](std::function<std::wstring(const ui::FontInfo&)> part) -> Reader {
        return [&window, part] { return part(ui::FontInfoOf(window.Window().FormFont())); };
    };
    struct Row {
        std::wstring key;     // the key in the file, or the copy's target
        Reader read;          // the caption as the window shows it
        std::wstring value;   // what the file gives; empty: a distinct one
        std::wstring copyOf;  // a copy shows this key's value instead
    };
    std::vector<Row> rows = {
        {L"[All]FontName", font([](const ui::FontInfo& f) { return f.name; }), L"Liberation Serif"},
        {L"[All]FontSize", font([](const ui::FontInfo& f) { return std::to_wstring(f.size); }), L"13"},
        {L"[All]Charset", font([](const ui::FontInfo& f) { return f.charset == GREEK_CHARSET ? L"Greek" : L"?"; }), L"Greek"},
        {L"[All]title", text(window.Window())},
        {L"[All]CopyedClipbord", texts(&settings::LocalisedTexts::copiedTitle)},
        {L"[All]Fixed", texts(&settings::LocalisedTexts::fixedTitle)},
        {L"[All]Version", texts(&settings::LocalisedTexts::versionCaption)},
        {L"[All]NotCopied", texts(&settings::LocalisedTexts::notCopiedTitle)},
        {L"[All]MoreText", texts(&settings::LocalisedTexts::moreCaption)},
        {L"[MenuBar]File", bar(0)},
        {L"[MenuBar]CloseAllClips", item(window.Window().MenuBar, window.Window().CloseAllClipsItem)},
        {L"[MenuBar]TaskTray", item(window.Window().MenuBar, window.Window().TaskTrayItem)},
        {L"[MenuBar]Quit", item(window.Window().MenuBar, window.Window().QuitItem)},
        {L"[MenuBar]Help", bar(1)},
        {L"[MenuBar]Version", item(window.Window().MenuBar, window.Window().VersionItem)},
        {L"[MenuBar]Property", item(window.Window().TrayMenu, window.Window().PropertyTrayItem)},
        {L"[Tray]CloseAllClips", item(window.Window().TrayMenu, window.Window().CloseAllClipsTrayItem), L"", L"[MenuBar]CloseAllClips"},
        {L"[Tray]Quit", item(window.Window().TrayMenu, window.Window().QuitTrayItem), L"", L"[MenuBar]Quit"},
        {L"[MenuBar]Suspend", item(window.Window().MenuBar, window.Window().SuspendItem)},
        {L"[MenuBar]Resume", suspended(item(window.Window().MenuBar, window.Window().ResumeItem))},
        {L"[Tray]Suspend", item(window.Window().TrayMenu, window.Window().SuspendTrayItem), L"", L"[MenuBar]Suspend"},
        {L"[Tray]Resume", suspended(item(window.Window().TrayMenu, window.Window().ResumeTrayItem)), L"", L"[MenuBar]Resume"},
        {L"[MenuBar]DontHide", texts(&settings::LocalisedTexts::pinCaption)},
        {L"[MenuBar]Close", texts(&settings::LocalisedTexts::closeCaption)},
        {L"[MessageBox]AskClose", texts(&settings::LocalisedTexts::quitQuestion)},
        {L"[MessageBox]Close", texts(&settings::LocalisedTexts::quitCaption)},
        {L"[property]Property", tab(0)},
        {L"[property]IgnoreLargeText", text(p.IgnoreLargeTextCheck)},
        {L"[property]CloseClipTimer", text(p.CloseClipTimerCheck)},
        {L"[property]HideGradually", text(p.HideGraduallyCheck)},
        {L"[property]MaxClipCount", text(p.MaxClipCountLabel)},
        {L"[property]Width", text(p.ClipWidthLabel)},
        {L"[property]MaxHeight", text(p.MaxHeightLabel)},
        {L"[property]SizeOfText", text(p.SizeOfTextLabel)},
        {L"[property]byte", text(p.BytesLabel)},
        {L"[property]CountDown", text(p.CountDownLabel)},
        {L"[property]sec", text(p.SecondsLabel)},
        {L"[property]DoubleCopy", text(p.DoubleCopyCheck)},
        {L"[ClipText]ClipText", tab(1)},
        {L"[ClipText]Font", text(p.FontLabel)},
        {L"[ClipText]Size", text(p.FontSizeLabel)},
        {L"[ClipText]Left", text(p.LeftMarginLabel)},
        {L"[ClipText]Right", text(p.RightMarginLabel)},
        {L"[ClipText]CharSet", text(p.CharsetLabel)},
        {L"[ClipText]ScrollBar", text(p.ScrollBarGroup)},
        {L"[ClipText]Margin", text(p.MarginGroup)},
        {L"[ClipText]Vertical", text(p.VerticalScrollBarRadio)},
        {L"[ClipText]None", text(p.NoScrollBarRadio)},
        {L"[ClipWindow]ClipWindow", tab(2)},
        {L"[ClipWindow]TimerCount", text(p.TitleTimerCheck)},
        {L"[ClipWindow]TitleBar", text(p.TitleBarGroup)},
        {L"[ClipWindow]StandardWindow", text(p.StandardWindowGroup)},
        {L"[ClipWindow]FixedWindow", text(p.FixedWindowGroup)},
        {L"[ClipWindow]BackColor", text(p.StandardBackLabel)},
        {L"[ClipWindow]TextColor", text(p.StandardTextLabel)},
        {L"[Fixed]BackColor", text(p.FixedBackLabel), L"", L"[ClipWindow]BackColor"},
        {L"[Fixed]TextColor", text(p.FixedTextLabel), L"", L"[ClipWindow]TextColor"},
        {L"[Other]Other", tab(3)},
        {L"[Other]LoadLanguageFile", text(p.LoadLanguageCheck)},
        {L"[Other]PutFile", text(p.PutFileButton)},
        {L"[Other]Reload", text(p.ReloadButton)},
        {L"[Button]TaskTray", text(window.Window().TaskTrayButton)},
    };
    // The file: every key once with a distinct value, every other key in other letter cases.
    std::map<std::wstring, std::wstring> given;
    std::wstring file = L"Every key\r\n";
    std::size_t keys = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row& row = rows[i];
        if (!row.copyOf.empty()) continue;
        if (row.value.empty()) row.value = L"V" + std::to_wstring(i);
        given[row.key] = row.value;
        std::wstring written = row.key;
        const auto recase = ++keys % 2 ? &std::towlower : &std::towupper;
        for (wchar_t& c : written) c = static_cast<wchar_t>(recase(c));
        file += written + L"=" + row.value + L"\r\n";
    }
    std::size_t tableKeys = 0;
    for (const settings::LanguageStep& step : settings::kLanguageSteps) tableKeys += step.key.empty() ? 0 : 1;
    ASSERT_EQ(keys, tableKeys) << "one row per key of the language table";
    Put("A.lng", Utf16(file));
    window.ApplyLanguageFile(platform::AnsiToWide(folder + "A.lng"));
    for (const Row& row : rows) {
        EXPECT_EQ(row.read(), row.copyOf.empty() ? row.value : given[row.copyOf]) << testing::PrintToString(row.key);
    }
}

TEST_F(Languages, TheSampleFilesReadThroughTheRealDecoder) {
    struct Sample {
        const char* file;
        const wchar_t* name;
        const wchar_t* key;
        const wchar_t* value;
    };
    for (const Sample& sample : {Sample{"Deutsch.lng", L"Deutsch", L"[ClipText]Size", L"Größe :"},
                                 Sample{"Japanese.lng", L"日本語", L"[property]MaxClipCount", L"最大クリップ数 :"}}) {
        Put("A.lng", testsupport::SourceFile(std::string("lang/") + sample.file));
        const settings::LanguageText text = settings::ReadLanguageFile(platform::AnsiToWide(folder + "A.lng"));
        EXPECT_EQ(text.DisplayName(), sample.name) << sample.file;
        EXPECT_EQ(text.Value(sample.key), sample.value) << sample.file;
    }
}

TEST_F(Languages, TheStartAppliesTheFileThePropertyFileNamesAndListsNoHiddenOrSystemFile) {
    Put("Only.lng", "Named\r\n[MenuBar]File=&Named\r\n");
    Put("property.ini", "[property]\r\nLanguageFile=Only.lng\r\n");
    Put("A.lng", "Hidden\r\n");
    Put("Z.lng", "System\r\n");
    SetFileAttributesA((folder + "A.lng").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((folder + "Z.lng").c_str(), FILE_ATTRIBUTE_SYSTEM);
    app::Controller& window = Start();
    EXPECT_EQ(MenuText(GetMenu(window.Window().Handle()), 0), L"&Named");
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"Named"}));
}

TEST_F(Languages, AFirstStartsDefaultFontIsTheFirstClipsFont) {
    Put("Default.lng", "Fonts\r\n[All]FontName=Liberation Serif\r\n[All]FontSize=14\r\n");
    app::Controller& window = Start();
    const int counter = window.ClipCounter();
    ASSERT_TRUE(testsupport::SetClipboardText(L"in the language file's font"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return window.ClipCounter() != counter; }, 2s));
    const clipwindow::ClipWindow* clip = window.Clip(window.Clips().LastSlot());
    ASSERT_NE(clip, nullptr);
    const ui::FontInfo font = ui::FontInfoOf(reinterpret_cast<HFONT>(SendMessageW(clip->TextMemo.Handle(), WM_GETFONT, 0, 0)));
    EXPECT_EQ(font.name, L"Liberation Serif");
    EXPECT_EQ(font.size, 14);
}

}  // namespace
