// Language files of the real program, placed beside it before it starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using e2e::VelmorProcess;
using namespace std::chrono_literals;
using testsupport::PumpUntil;

namespace {

std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    struct Search {
        const std::wstring& text;
        HWND found = nullptr;
    } search{text};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (Text(child) != s.text) return TRUE;
            s.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Run by the test script with a Japanese system (code page 932).
TEST(CodePage932, AUtf16JapaneseFileShowsItsCaptionsAndItsTitleThroughTheCodePage) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"Default.lng", testsupport::SourceFile("lang/Japanese.lng")));
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(velmor.ShowSettings());
    const HWND main = velmor.MainWindow();
    EXPECT_EQ(Text(main), L"Velmor クリップ");
    EXPECT_NE(ChildWithText(main, L"最大クリップ数 :"), nullptr);
    EXPECT_NE(ChildWithText(main, L"トレイへ"), nullptr);
}

TEST(LanguageStart, ABadDefaultFileIsReportedAndVelmorStillReachesTheTray) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"Default.lng", "Bad\r\n[All]FontSize=big\r\n"));
    ASSERT_TRUE(velmor.Start());
    // Each report waits for its OK; answer them as a user would.
    int answered = 0;
    const bool reached = PumpUntil(
        [&] {
            for (const auto& window : velmor.Windows()) {
                if (window.className == L"#32770" && window.visible) {
                    PostMessageW(window.handle, WM_COMMAND, IDOK, 0);
                    ++answered;
                }
            }
            return testsupport::TrayIconExists(velmor.MainWindow());
        },
        10s);
    EXPECT_TRUE(reached);
    EXPECT_GE(answered, 1);
    EXPECT_TRUE(velmor.Running());
}

}  // namespace
