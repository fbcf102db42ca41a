// The settings window and "property.ini" of the real program, configured
// through the file and looked at from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using e2e::VelmorProcess;
using namespace std::chrono_literals;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::SetClipboardText;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    bool StartWith(const std::string& ini) {
        SetCursorPos(200, 150);
        return velmor.PutFile(L"property.ini", ini) && velmor.Start();
    }
    bool Quit() {
        PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
        return velmor.WaitForExit() == 0;
    }
    VelmorProcess velmor;
};

TEST_F(SettingsFile, AFirstStartPutsTheWindowBottomRightOnThePropertyPage) {
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(velmor.ShowSettings());
    const HWND main = velmor.MainWindow();
    RECT window{};
    RECT work{};
    GetWindowRect(main, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(window.right, work.right);
    EXPECT_EQ(window.bottom, work.bottom);
    EXPECT_EQ(window.right - window.left, 288);
    EXPECT_EQ(window.bottom - window.top, 363);
    EXPECT_EQ(SendMessageW(testsupport::FindChild(main, WC_TABCONTROLW), TCM_GETCURSEL, 0, 0), 0);
    // A sample of the controls, placed on their pages.
    const HWND label = testsupport::FindChild(main, L"Static", L"Max Clip Count :");
    ASSERT_NE(label, nullptr);
    RECT rect{};
    GetWindowRect(label, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(label), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 8);
    EXPECT_EQ(rect.top, 16);
    const HWND button = testsupport::FindChild(main, L"Button", L"Task Tray");
    GetWindowRect(button, &rect);
    RECT client{};
    GetClientRect(main, &client);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.bottom, client.bottom - 8);
    EXPECT_EQ(rect.right - rect.left, 83);
    ASSERT_TRUE(Quit());
    // Every key at its default; the clip font is the window's, the system's menu font.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const LOGFONTA& font = metrics.lfMenuFont;
    const HDC screen = GetDC(nullptr);
    const int points = MulDiv(std::abs(font.lfHeight), 72, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    const std::map<std::string, std::string> defaults = {
        {"Main/ActivePage", "0"}, {"Main/Left", std::to_string(work.right - 288)},
        {"Main/Top", std::to_string(work.bottom - 363)}, {"Main/Width", "288"}, {"Main/Height", "363"},
        {"property/MaxClipCount", "3"}, {"property/Width", "200"}, {"property/MaxHeight", "120"},
        {"property/IgnoreLargeText", "1"}, {"property/SizeOfText", "1000"}, {"property/CloseClipTimer", "0"},
        {"property/CountDown", "120"}, {"property/HideGradually", "0"}, {"property/DoubleCopy", "0"},
        {"ClipText/ClipFont", font.lfFaceName}, {"ClipText/ClipFontSize", std::to_string(points)},
        {"ClipText/ClipFontCharset", std::to_string(font.lfCharSet)}, {"ClipText/ScrollBar", "1"},
        {"ClipText/LeftMargin", "0"}, {"ClipText/RightMargin", "0"},
        {"ClipWindow/StandardColor", "-16777211"}, {"ClipWindow/FixedColor", "-16777192"},
        {"ClipWindow/StandardTextColor", "-16777208"}, {"ClipWindow/FixedTextColor", "-16777193"},
        {"ClipWindow/TimeFormat", "hh:mm ss"}, {"Other/LoadLanguage", "0"}, {"Other/LoadFile", ""}};
    EXPECT_EQ(testsupport::IniKeys(velmor.FileBytes(L"property.ini")), defaults);
}

TEST_F(SettingsFile, ARestartRestoresEverySetting) {
    const std::string ini =
        "[Main]\r\nActivePage=3\r\nLeft=30\r\nTop=40\r\nWidth=300\r\nHeight=400\r\n"
        "[property]\r\nMaxClipCount=7\r\nWidth=250\r\nMaxHeight=90\r\nIgnoreLargeText=0\r\nSizeOfText=77\r\n"
        "CloseClipTimer=1\r\nCountDown=-5\r\nHideGradually=1\r\nDoubleCopy=1\r\n"
        "[ClipText]\r\nClipFont=Liberation Mono\r\nClipFontSize=11\r\nClipFontCharset=0\r\nScrollBar=0\r\n"
        "LeftMargin=-3\r\nRightMargin=4\r\n"
        "[ClipWindow]\r\nStandardColor=255\r\nFixedColor=65280\r\nStandardTextColor=-16777201\r\n"
        "FixedTextColor=16711680\r\nTimeFormat=hh:mm\r\n"
        "[Other]\r\nLoadLanguage=1\r\nLoadFile=Deutsch.lng\r\n";
    ASSERT_TRUE(StartWith(ini));
    ASSERT_TRUE(Quit());
    EXPECT_EQ(testsupport::IniKeys(velmor.FileBytes(L"property.ini")), testsupport::IniKeys(ini));
}

TEST_F(SettingsFile, ACountingClipShowsTheSecondsLeftAndClosesAfterTheLast) {
    ASSERT_TRUE(StartWith("[property]\r\nCloseClipTimer=1\r\nCountDown=3\r\n"));
    ASSERT_TRUE(SetClipboardText(L"counting"));
    ASSERT_TRUE(PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 5s));
    const HWND clip = velmor.VisibleClips().front().handle;
    std::vector<std::wstring> seen;
    PumpUntil(
        [&] {
            const std::wstring title = e2e::WindowTitle(clip);
            if (const auto open = title.find(L" ("); open != std::wstring::npos) {
                const std::wstring count = title.substr(open + 1);
                if (seen.empty() || seen.back() != count) seen.push_back(count);
            }
            return !IsWindowVisible(clip);
        },
        8s);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"(2)", L"(1)", L"(0)"}));
    EXPECT_FALSE(IsWindowVisible(clip));
}

TEST_F(SettingsFile, FadingFollowsTheCheckBoxAtTheNextTick) {
    ASSERT_TRUE(StartWith("[property]\r\nCloseClipTimer=1\r\nCountDown=20\r\nHideGradually=1\r\n"));
    ASSERT_TRUE(SetClipboardText(L"fading"));
    ASSERT_TRUE(PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 5s));
    const HWND clip = velmor.VisibleClips().front().handle;
    BYTE alpha = 255;
    ASSERT_TRUE(PumpUntil([&] { return GetLayeredWindowAttributes(clip, nullptr, &alpha, nullptr) && alpha < 255; }, 3s));
    const HWND hideGradually = testsupport::FindChild(velmor.MainWindow(), L"Button", L"Hide Gradually(Win2000 or later)");
    ASSERT_NE(hideGradually, nullptr);
    SendMessageW(hideGradually, BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return GetLayeredWindowAttributes(clip, nullptr, &alpha, nullptr) && alpha == 255; }, 3s));
}

TEST_F(SettingsFile, DoubleCopyLargeTextAndTheClipLimitComeFromTheFile) {
    ASSERT_TRUE(StartWith("[property]\r\nDoubleCopy=1\r\nSizeOfText=10\r\nMaxClipCount=1\r\n"));
    ASSERT_TRUE(SetClipboardText(L"0123456789A"));
    PumpFor(300ms);
    ASSERT_TRUE(SetClipboardText(L"0123456789A"));  // a double copy, but 11 bytes
    PumpFor(300ms);
    EXPECT_TRUE(velmor.VisibleClips().empty());
    PumpFor(1100ms);
    ASSERT_TRUE(SetClipboardText(L"alone"));
    PumpFor(1100ms);
    EXPECT_TRUE(velmor.VisibleClips().empty()) << "a single copy makes nothing";
    for (const wchar_t* text : {L"0123456789", L"0123456789", L"second", L"second"}) {
        ASSERT_TRUE(SetClipboardText(text));
        PumpFor(300ms);
    }
    ASSERT_EQ(velmor.VisibleClips().size(), 1u) << "one clip at most";
    EXPECT_EQ(e2e::ClipText(velmor.VisibleClips().front().handle), L"second");
}

TEST_F(SettingsFile, LoggingOffSavesTheSettings) {
    ASSERT_TRUE(velmor.Start());
    EXPECT_EQ(SendMessageW(velmor.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(velmor.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(testsupport::IniKeys(velmor.FileBytes(L"property.ini")).size(), 27u);
}

}  // namespace
