// The settings window's pages and "property.ini" with real controls and files.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "WinTestSupport.h"
#include "app/MainWindow.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"
#include "ui/Dpi.h"

using namespace std::chrono_literals;
using testsupport::PumpFor;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(path.c_str()); }
    void TearDown() override {
        velmor.reset();
        ui::Application::Get().SetErrorReporter(nullptr);
        DeleteFileA(path.c_str());
    }
    app::MainWindow& Start() {
        velmor = std::make_unique<app::MainWindow>();
        return *velmor;
    }
    int KeyCount() {
        int keys = 0;
        std::istringstream lines(ReadAll(path));
        for (std::string line; std::getline(lines, line);) keys += line.find('=') != std::string::npos ? 1 : 0;
        return keys;
    }

    const std::string path = settings::PropertyFilePath();
    std::unique_ptr<app::MainWindow> velmor;
};

TEST_F(Settings, PrivateProfileValuesLoseBlanksAndOneQuotePairAndStopAt2047) {
    WriteAll(path, "[ClipWindow]\r\nTimeFormat=  \"'at' hh:mm\"  \r\n[Other]\r\nLoadFile=" + std::string(3000, 'x') +
                       "\r\n");
    const settings::PrivateProfileReader file(path);
    EXPECT_EQ(file.Read("ClipWindow", "TimeFormat"), "'at' hh:mm");
    EXPECT_EQ(file.Read("other", "loadfile")->size(), 2047u);
    EXPECT_EQ(file.Read("Other", "Missing"), std::nullopt);
}

TEST_F(Settings, AFirstStartWritesEveryKeyAndKeepsWhatItDoesNotKnow) {
    Start().SaveSettings();
    EXPECT_EQ(KeyCount(), 27);
    // A hand-written comment and key survive the next save.
    WriteAll(path, ReadAll(path) + "; my note\r\n[Mine]\r\nColour=teal\r\n");
    velmor->SaveSettings();
    const std::string saved = ReadAll(path);
    EXPECT_NE(saved.find("; my note"), std::string::npos);
    EXPECT_NE(saved.find("Colour=teal"), std::string::npos);
    EXPECT_FALSE(platform::FileExists(path + ".saving"));
}

TEST_F(Settings, TheWindowKeepsItsMinimumSizeAndTheStoredPage) {
    WriteAll(path, "[Main]\r\nWidth=100\r\nHeight=100\r\nActivePage=7\r\n");
    app::MainWindow& window = Start();
    EXPECT_EQ(window.PixelBounds().width, ui::Scale(288));
    EXPECT_EQ(window.PixelBounds().height, ui::Scale(363));
    EXPECT_EQ(window.Pages.Tabs.ActivePageIndex(), settings::SettingsPages::kClipWindowPage);
}

TEST_F(Settings, AFailedSaveLeavesTheFileAsItWasAndSaysSo) {
    const std::string old = "[property]\r\nMaxClipCount=7\r\n";
    WriteAll(path, old);
    app::MainWindow& window = Start();
    std::wstring message;
    ui::Application::Get().SetErrorReporter([&](const std::wstring& text) { message = text; });
    // Another program holds the file open: it cannot be replaced.
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    window.Close();
    CloseHandle(held);
    EXPECT_EQ(message, platform::AnsiToWide(path) + L" に書き込めません");
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_FALSE(platform::FileExists(path + ".saving"));
}

TEST_F(Settings, TheCharsetListFeedsTheSampleMemoAndFollowsTheLoad) {
    WriteAll(path, "[ClipText]\r\nClipFontCharset=128\r\n");
    settings::SettingsPages& pages = Start().Pages;
    EXPECT_EQ(pages.CharsetBox.ItemIndex(), 14);
    EXPECT_EQ(pages.SampleMemo.GetFontInfo().charset, 128);
    pages.CharsetBox.SetItemIndex(4);
    SendMessageW(GetParent(pages.CharsetBox.Handle()), WM_COMMAND,
                 MAKEWPARAM(pages.CharsetBox.Id(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(pages.CharsetBox.Handle()));
    EXPECT_EQ(pages.SampleMemo.GetFontInfo().charset, 1);
    pages.SelectCharsetRow(3);  // in no row
    EXPECT_EQ(pages.CharsetBox.ItemIndex(), 4);
}

TEST_F(Settings, ColoursAreKeptFromThePickersAndThePreviewShowsTheStandardPair) {
    WriteAll(path, "[ClipWindow]\r\nStandardColor=0xFF\r\n");
    settings::SettingsPages& pages = Start().Pages;
    EXPECT_EQ(pages.StandardColor, ui::Rgb(255, 0, 0));
    EXPECT_EQ(pages.FixedTextColor, static_cast<ui::ColorValue>(0xFF000017)) << "the load ends with the file's values";
    EXPECT_EQ(pages.StandardBackPicker.Value(), ui::Rgb(255, 0, 0));
    pages.FixedBackPicker.SetValue(ui::Rgb(0, 0, 255));
    EXPECT_EQ(pages.FixedColor, ui::Rgb(0, 0, 255));
    EXPECT_EQ(pages.SampleMemo.Color(), ui::Rgb(255, 0, 0)) << "the preview keeps the standard pair";
    velmor->SaveSettings();
    EXPECT_NE(ReadAll(path).find("StandardColor=255\r\n"), std::string::npos);
}

TEST_F(Settings, ASpinEditTypedOutOfRangeIsCorrectedWhenItLosesTheFocus) {
    settings::SettingsPages& pages = Start().Pages;
    SetWindowTextW(pages.MaxClipCountEdit.Handle(), L"0");
    SendMessageW(pages.MaxClipCountEdit.Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(pages.MaxClipCountEdit.Text(), L"1");
    SetWindowTextW(pages.CountDownEdit.Handle(), L"-1");
    SendMessageW(pages.CountDownEdit.Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(pages.CountDownEdit.Value(), -1);
    SetWindowTextW(pages.CountDownEdit.Handle(), L"");
    velmor->SaveSettings();
    EXPECT_NE(ReadAll(path).find("CountDown=0\r\n"), std::string::npos) << "an empty spin edit saves its minimum";
}

TEST_F(Settings, TheSessionEndSavesAsACloseWould) {
    app::MainWindow& window = Start();
    window.Pages.MaxClipCountEdit.SetValue(9);
    EXPECT_EQ(SendMessageW(window.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(window.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_NE(ReadAll(path).find("MaxClipCount=9\r\n"), std::string::npos);
}

// Setting an edit control's font resets its margins; the preview keeps them.
TEST_F(Settings, TheSampleMemoKeepsItsMarginsWhenTheClipFontChanges) {
    settings::SettingsPages& pages = Start().Pages;
    pages.LeftMarginEdit.SetValue(40);
    pages.RightMarginEdit.SetValue(40);
    const struct {
        const char* change;
        std::function<void()> make;
    } changes[] = {
        {"name", [&] { pages.FontNamePicker.SetValue(L"Liberation Mono"); pages.OnFontNameChanged(); }},
        {"size", [&] { pages.FontSizeEdit.SetValue(15); pages.OnFontSizeChanged(); }},
        {"charset", [&] { pages.CharsetBox.SetItemIndex(pages.CharsetBox.ItemCount() - 1); pages.OnCharsetChanged(); }},
    };
    for (const auto& change : changes) {
        const ui::FontInfo before = pages.SampleMemo.GetFontInfo();
        change.make();
        EXPECT_NE(pages.SampleMemo.GetFontInfo(), before) << change.change;
        const auto margins = static_cast<DWORD>(SendMessageW(pages.SampleMemo.Handle(), EM_GETMARGINS, 0, 0));
        EXPECT_EQ(LOWORD(margins), ui::Scale(40)) << change.change;
        EXPECT_EQ(HIWORD(margins), ui::Scale(40)) << change.change;
    }
}

}  // namespace
