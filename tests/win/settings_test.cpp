// The settings window's pages and "property.ini" with real controls and files.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/Controller.h"
#include "platform/File.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

using namespace std::chrono_literals;
using testsupport::PumpFor;

namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileW(path.c_str()); }
    void TearDown() override {
        velmor.reset();
        ui::Application::Get().SetErrorReporter(nullptr);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
    app::Controller& Start() {
        velmor = std::make_unique<app::Controller>();
        return *velmor;
    }
    int KeyCount() {
        int keys = 0;
        std::istringstream lines(ReadAll(path));
        for (std::string line; std::getline(lines, line);) keys += line.find('=') != std::string::npos ? 1 : 0;
        return keys;
    }

    // Copies text as another program would; the clip it makes.
    clipwindow::ClipWindow* Copy(const std::wstring& text) {
        const int before = velmor->ClipCounter();
        if (!testsupport::SetClipboardText(text) ||
            !testsupport::PumpUntil([&] { return velmor->ClipCounter() != before; }, 3s)) {
            return nullptr;
        }
        return velmor->Clip(velmor->Clips().LastSlot());
    }

    const std::wstring path = settings::PropertyFilePath();
    std::unique_ptr<app::Controller> velmor;
};

// A control's notification as the user's change sends it.
void Notify(const ui::Control& control, WORD code) {
    SendMessageW(GetParent(control.Handle()), WM_COMMAND, MAKEWPARAM(control.Id(), code),
                 reinterpret_cast<LPARAM>(control.Handle()));
}

// The font a memo's window really has.
ui::FontInfo ShownFont(const ui::Memo& memo) {
    return ui::FontInfoOf(reinterpret_cast<HFONT>(SendMessageW(memo.Handle(), WM_GETFONT, 0, 0)));
}

TEST_F(Settings, PrivateProfileValuesLoseBlanksAndOneQuotePairAndStopAt2047) {
    WriteAll(path, "[ClipWindow]\r\nTimeFormat=  \"'at' hh:mm\"  \r\n[Other]\r\nLoadFile=" + std::string(3000, 'x') +
                       "\r\n");
    const settings::PropertyFile file = settings::PropertyFile::Load(path);
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
    EXPECT_FALSE(platform::FileExists(path + L".saving"));
}

// The bytes of a file as earlier versions wrote it, in the system code page
// (code page 1252 here): a load and a save with nothing changed give them back.
TEST_F(Settings, AnOldFileIsSavedAgainByteForByte) {
    const std::string old =
        "; Velmor\r\n[Main]\r\nActivePage=3\r\nLeft=30\r\nTop=40\r\nWidth=300\r\nHeight=400\r\n"
        "[property]\r\nLanguageFile=Deutsch.lng\r\nMaxClipCount=7\r\nWidth=250\r\nMaxHeight=90\r\nIgnoreLargeText=0\r\n"
        "SizeOfText=77\r\nCloseClipTimer=1\r\nCountDown=-5\r\nHideGradually=1\r\nDoubleCopy=1\r\n"
        "[ClipText]\r\nClipFont=Liberation Mono\r\nClipFontSize=11\r\nClipFontCharset=0\r\nScrollBar=0\r\n"
        "LeftMargin=-3\r\nRightMargin=4\r\n"
        "[ClipWindow]\r\nStandardColor=255\r\nFixedColor=65280\r\nStandardTextColor=-16777201\r\n"
        "FixedTextColor=16711680\r\nTimeFormat=\"'Uhr' hh:mm\"\r\n"
        "[Other]\r\nLoadLanguage=1\r\nLoadFile=Deutsch.lng\r\n[Mine]\r\nNote=Gr\xFC\xDF\x65\r\n";
    WriteAll(path, old);
    Start().SaveSettings();
    EXPECT_EQ(ReadAll(path), old);
}

TEST_F(Settings, ASaveKeepsHiddenAndSystemAndWritesInPlaceWhereTheFolderTakesNoCopy) {
    WriteAll(path, "[property]\r\nMaxClipCount=7\r\n");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    app::Controller& window = Start();
    window.Window().Pages.MaxClipCountEdit.SetValue(9);
    window.SaveSettings();
    EXPECT_NE(ReadAll(path).find("MaxClipCount=9\r\n"), std::string::npos);
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & kept, kept);

    // A folder of the copy's name: the copy cannot be made, the file itself is writable.
    const std::wstring copy = path + L".saving";
    ASSERT_TRUE(CreateDirectoryW(copy.c_str(), nullptr));
    window.Window().Pages.MaxClipCountEdit.SetValue(8);
    EXPECT_NO_THROW(window.SaveSettings());
    RemoveDirectoryW(copy.c_str());
    EXPECT_NE(ReadAll(path).find("MaxClipCount=8\r\n"), std::string::npos);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & kept, kept);
}

TEST_F(Settings, TheWindowKeepsItsMinimumSizeAndTheStoredPage) {
    WriteAll(path, "[Main]\r\nWidth=100\r\nHeight=100\r\nActivePage=7\r\n");
    app::Controller& window = Start();
    EXPECT_EQ(window.Window().PixelBounds().width, ui::Scale(288));
    EXPECT_EQ(window.Window().PixelBounds().height, ui::Scale(363));
    EXPECT_EQ(window.Window().Pages.Tabs.ActivePageIndex(), settings::SettingsPages::kClipWindowPage);
}

TEST_F(Settings, AFailedSaveLeavesTheFileAsItWasAndSaysSo) {
    const std::string old = "[property]\r\nMaxClipCount=7\r\n";
    WriteAll(path, old);
    app::Controller& window = Start();
    std::wstring message;
    ui::Application::Get().SetErrorReporter([&](const std::wstring& text) { message = text; });
    // Another program holds the file open: it cannot be replaced.
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    window.Window().Close();
    CloseHandle(held);
    EXPECT_EQ(message, path + L" に書き込めません");
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_FALSE(platform::FileExists(path + L".saving"));
}

TEST_F(Settings, TheCharsetListFeedsTheSampleMemoAndFollowsTheLoad) {
    WriteAll(path, "[ClipText]\r\nClipFontCharset=128\r\n");
    settings::SettingsPages& pages = Start().Window().Pages;
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
    settings::SettingsPages& pages = Start().Window().Pages;
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
    settings::SettingsPages& pages = Start().Window().Pages;
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

TEST_F(Settings, TheSessionEndSavesAsACloseWouldButShowsNoBoxWhenTheSaveFails) {
    app::Controller& window = Start();
    window.Window().Pages.MaxClipCountEdit.SetValue(9);
    EXPECT_EQ(SendMessageW(window.Window().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(window.Window().Handle(), WM_ENDSESSION, TRUE, 0);
    const std::string saved = ReadAll(path);
    EXPECT_NE(saved.find("MaxClipCount=9\r\n"), std::string::npos);

    // A box would hold up the log-off.
    std::vector<std::wstring> reports;
    ui::Application::Get().SetErrorReporter([&](const std::wstring& text) { reports.push_back(text); });
    window.Window().Pages.MaxClipCountEdit.SetValue(8);
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SendMessageW(window.Window().Handle(), WM_ENDSESSION, TRUE, 0);
    CloseHandle(held);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(ReadAll(path), saved);
}

// Setting an edit control's font resets its margins; the preview keeps them.
TEST_F(Settings, ThePreviewHandlersReachTheSampleMemoKeepItsMarginsAndLeaveAnOpenClipAsItWas) {
    app::Controller& window = Start();
    settings::SettingsPages& pages = window.Window().Pages;
    clipwindow::ClipWindow* clip = Copy(L"an open clip");
    ASSERT_NE(clip, nullptr);
    const HFONT clipFont = reinterpret_cast<HFONT>(SendMessageW(clip->TextMemo.Handle(), WM_GETFONT, 0, 0));
    const ui::FontInfo clipShows = ShownFont(clip->TextMemo);
    struct Change {
        const char* what;
        std::function<void()> make;
        std::function<bool(const ui::FontInfo&)> shown;
    };
    const Change changes[] = {
        {"margins", [&] { pages.LeftMarginEdit.SetValue(5); pages.RightMarginEdit.SetValue(7); },
         [](const ui::FontInfo&) { return true; }},
        {"font size", [&] { pages.FontSizeEdit.SetValue(15); }, [](const ui::FontInfo& f) { return f.size == 15; }},
        {"font name", [&] { pages.FontNamePicker.SetValue(L"Liberation Mono"); Notify(pages.FontNamePicker, CBN_SELCHANGE); },
         [](const ui::FontInfo& f) { return f.name == L"Liberation Mono"; }},
        {"charset", [&] { pages.CharsetBox.SetItemIndex(15); Notify(pages.CharsetBox, CBN_SELCHANGE); },
         [](const ui::FontInfo& f) { return f.charset == SYMBOL_CHARSET; }},
    };
    for (const Change& change : changes) {
        change.make();
        EXPECT_TRUE(change.shown(ShownFont(pages.SampleMemo))) << change.what;
        // A new font resets an edit control's margins: the handlers must set them again.
        const LRESULT margins = SendMessageW(pages.SampleMemo.Handle(), EM_GETMARGINS, 0, 0);
        EXPECT_EQ(LOWORD(margins), ui::Scale(5)) << "left margin after the " << change.what;
        EXPECT_EQ(HIWORD(margins), ui::Scale(7)) << "right margin after the " << change.what;
    }
    EXPECT_EQ(SendMessageW(clip->TextMemo.Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(clipFont));
    EXPECT_EQ(ShownFont(clip->TextMemo), clipShows) << "the open clip's font is its own";
}

TEST_F(Settings, ATypedTimePictureShowsInTheSampleAndTitlesTheNextClip) {
    app::Controller& window = Start();
    const HWND field = FindWindowExW(window.Window().Pages.TimeFormatBox.Handle(), nullptr, L"Edit", nullptr);
    ASSERT_NE(field, nullptr);
    SendMessageW(field, EM_SETSEL, 0, -1);
    for (const wchar_t c : std::wstring(L"'at' hh'h'")) SendMessageW(field, WM_CHAR, c, 0);
    const std::wstring sample = window.Window().Pages.SampleTimeLabel.Text();
    ASSERT_EQ(sample.size(), 6u) << "typing runs the handler";
    EXPECT_EQ(sample.substr(0, 3) + sample.substr(5), L"at h");
    const clipwindow::ClipWindow* clip = Copy(L"titled by the picture");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->Title().substr(0, 3) + clip->Title().substr(5), "at h");
}

TEST_F(Settings, TheKeptColoursReachClipsWhenLaidOutAndPinnedAlsoAfterAChangeWhileOpen) {
    settings::SettingsPages& pages = Start().Window().Pages;
    const auto choose = [&](ui::ColorValue back, ui::ColorValue text, ui::ColorValue fixedBack, ui::ColorValue fixedText) {
        pages.StandardBackPicker.SetValue(back);
        pages.StandardTextPicker.SetValue(text);
        pages.FixedBackPicker.SetValue(fixedBack);
        pages.FixedTextPicker.SetValue(fixedText);
    };
    const ui::ColorValue red = ui::Rgb(255, 0, 0), green = ui::Rgb(0, 128, 0), blue = ui::Rgb(0, 0, 255),
                         yellow = ui::Rgb(255, 255, 0), white = ui::Rgb(255, 255, 255), black = ui::Rgb(0, 0, 0);
    choose(red, green, blue, yellow);
    clipwindow::ClipWindow* clip = Copy(L"coloured");
    ASSERT_NE(clip, nullptr);
    struct Step {
        const char* what;
        std::function<void()> make;
        ui::ColorValue back, text;
    };
    const Step steps[] = {
        {"laid out", [] {}, red, green},
        {"pinned", [&] { clip->TogglePinned(); }, blue, yellow},
        {"unpinned after a change", [&] { choose(white, black, green, red); clip->TogglePinned(); }, white, black},
        {"pinned after a change", [&] { clip->TogglePinned(); }, green, red},
    };
    for (const Step& step : steps) {
        step.make();
        EXPECT_EQ(clip->TextMemo.Color(), step.back) << step.what;
        EXPECT_EQ(clip->TextMemo.FontColor(), step.text) << step.what;
    }
}

TEST_F(Settings, ClampedValuesAreSavedClamped) {
    struct Case {
        std::string file;
        const wchar_t* typed;  // nullptr: the control is left as loaded
        std::string saved;
    };
    for (const Case& c : {Case{"[property]\r\nMaxClipCount=80\r\n", nullptr, "MaxClipCount=50\r\n"},
                          Case{"", L"", "MaxClipCount=1\r\n"}}) {
        WriteAll(path, c.file);
        settings::SettingsPages& pages = Start().Window().Pages;
        if (c.typed) SetWindowTextW(pages.MaxClipCountEdit.Handle(), c.typed);
        velmor->SaveSettings();
        EXPECT_NE(ReadAll(path).find(c.saved), std::string::npos) << c.file;
        velmor.reset();
    }
}

}  // namespace
