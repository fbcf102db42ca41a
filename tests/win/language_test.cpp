// Language files beside the program, applied to the real settings window.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/MainWindow.h"
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
            DeleteFileA((folder + name).c_str());
        }
        DeleteFileW(settings::PropertyFilePath().c_str());
    }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(folder + name, std::ios::binary) << bytes;
    }
    app::MainWindow& Start() {
        velmor = std::make_unique<app::MainWindow>();
        return *velmor;
    }
    std::wstring MenuText(HMENU menu, int position) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        return text;
    }
    std::vector<std::wstring> Rows() {
        std::vector<std::wstring> rows;
        for (int row = 0; row < velmor->Pages.LanguageList.ItemCount(); ++row) rows.push_back(velmor->Pages.LanguageList.Item(row));
        return rows;
    }

    const std::string folder = platform::WideToAnsi(platform::ExeFolder());
    std::unique_ptr<app::MainWindow> velmor;
};

TEST_F(Languages, AUtf16FileReplacesMenusTabsLabelsAndTextsAndCaptionsFit) {
    Put("Default.lng", testsupport::SourceFile("lang/Japanese.lng"));
    app::MainWindow& window = Start();
    settings::SettingsPages& pages = window.Pages;
    EXPECT_EQ(MenuText(GetMenu(window.Handle()), 0), L"ファイル(&F)");
    EXPECT_EQ(window.TrayMenu.Items().Items()[1]->Caption(), L"すべてのクリップを閉じる(&C)") << "copied from the menu bar";
    EXPECT_EQ(pages.PropertyPage->Caption(), L"設定");
    EXPECT_EQ(pages.MaxClipCountLabel.Text(), L"最大クリップ数 :");
    EXPECT_EQ(pages.FixedBackLabel.Text(), L"背景色");
    EXPECT_EQ(window.Texts().fixedTitle, L"固定");
    EXPECT_EQ(window.Texts().titleText, L"Velmor クリップ");
    EXPECT_EQ(ui::Application::Get().Title(), L"Velmor クリップ");
    EXPECT_EQ(ui::FontInfoOf(window.FormFont()).charset, 128);
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
    app::MainWindow& window = Start();
    window.ApplyLanguageFile(platform::AnsiToWide(folder + "A.lng"));
    EXPECT_EQ(window.Pages.FontSizeLabel.Text(), L"Größe :");
    window.Pages.FontSizeLabel.SetText(L"reset");
    window.ApplyLanguageFile(platform::AnsiToWide(folder + "B.lng"));
    EXPECT_EQ(window.Pages.FontSizeLabel.Text(), platform::AnsiToWide("Gr\xF6\xDF" "e :"));
}

TEST_F(Languages, AFontSizeThatIsNoNumberIsReportedAndStopsTheRest) {
    Put("Default.lng", "Bad\r\n[All]FontName=Liberation Serif\r\n[All]FontSize=big\r\n[MenuBar]File=&Never\r\n");
    std::vector<std::wstring> reports;
    ui::Application::Get().SetErrorReporter([&](const std::wstring& text) { reports.push_back(text); });
    app::MainWindow& window = Start();
    // Default.lng is applied twice at start (by the load, then after the listing): so is its error.
    EXPECT_EQ(reports, (std::vector<std::wstring>(2, L"'big' は整数ではありません")));
    EXPECT_EQ(ui::FontInfoOf(window.FormFont()).name, L"Liberation Serif");
    EXPECT_EQ(MenuText(GetMenu(window.Handle()), 0), L"&File");
    EXPECT_TRUE(window.TrayIconPresent()) << "the start-up went on";
}

TEST_F(Languages, TheChosenFileGoesOverDefaultAndADeletedOneLeavesDefault) {
    Put("Default.lng", testsupport::SourceFile("lang/Deutsch.lng"));
    Put("Only.lng", "Only\r\n[MenuBar]File=&Only\r\n");
    Put("property.ini", "[Other]\r\nLoadLanguage=1\r\nLoadFile=Only.lng\r\n");
    app::MainWindow* window = &Start();
    EXPECT_EQ(MenuText(GetMenu(window->Handle()), 0), L"&Only");
    EXPECT_EQ(MenuText(GetMenu(window->Handle()), 1), L"&Hilfe") << "the rest from Default.lng";
    velmor.reset();
    DeleteFileA((folder + "Only.lng").c_str());
    window = &Start();
    EXPECT_EQ(MenuText(GetMenu(window->Handle()), 0), L"&Datei");
}

TEST_F(Languages, ADoubleClickAppliesTheFirstFileOfThatNameAndIsKeptOnlyWhenAsked) {
    Put("A.lng", "Same\r\n[MenuBar]Help=&First\r\n");
    Put("B.lng", "Same\r\n[MenuBar]Help=&Second\r\n");
    app::MainWindow& window = Start();
    ASSERT_EQ(Rows(), (std::vector<std::wstring>{L"Same", L"Same"}));
    window.ApplyChosenLanguage();  // nothing selected: nothing happens
    window.Pages.LanguageList.SetItemIndex(1);
    window.ApplyChosenLanguage();
    EXPECT_EQ(MenuText(GetMenu(window.Handle()), 1), L"&First");
    EXPECT_EQ(window.Pages.LanguageFile, "A.lng");
    window.SaveSettings();
    velmor.reset();
    EXPECT_EQ(MenuText(GetMenu(Start().Handle()), 1), L"&Help") << "the check box is off";
}

TEST_F(Languages, PutFileShowsThePathKeepsAnExistingFileAndListsAgain) {
    Put("A.lng", "Existing\r\n");
    app::MainWindow& window = Start();
    const std::string source = folder + "sub-put\\";
    CreateDirectoryA(source.c_str(), nullptr);
    std::ofstream(source + "A.lng", std::ios::binary) << "Replacement\r\n";
    std::ofstream(source + "Z.lng", std::ios::binary) << "Added\r\n";
    std::vector<std::wstring> messages;
    ui::Application::Get().SetMessageReporter([&](const std::wstring& text) { messages.push_back(text); });
    for (const char* chosen : {"A.lng", "Z.lng"}) {
        settings::Languages::SetDialogRunner([&](OPENFILENAMEW& dialog) {
            EXPECT_STREQ(dialog.lpstrFilter, L"Language Text File(*.lng)");
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
    velmor->ReloadLanguageFiles();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"First", L"B.lng", L"Locked", L"Od"}));
}

TEST_F(Languages, OpenClipWindowsTakeTheNewTitlesFromThenOn) {
    app::MainWindow& window = Start();
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

}  // namespace
