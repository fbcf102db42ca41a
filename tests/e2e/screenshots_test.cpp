// Pictures of the real program for the documentation, made only when
// VELMOR_SCREENSHOTS names a folder (scripts/screenshots.sh sets it).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using namespace std::chrono_literals;

namespace {

std::wstring ShotFolder() {
    wchar_t folder[MAX_PATH] = {};
    return GetEnvironmentVariableW(L"VELMOR_SCREENSHOTS", folder, MAX_PATH) ? folder : L"";
}

// Each page, in English and German, or in Japanese on a Japanese system.
TEST(Screenshots, SettingsPages) {
    const std::wstring folder = ShotFolder();
    if (folder.empty()) GTEST_SKIP() << "set VELMOR_SCREENSHOTS to a folder to make them";
    const wchar_t* pages[] = {L"property", L"cliptext", L"clipwindow", L"other"};
    const std::vector<std::pair<std::wstring, std::string>> languages =
        GetACP() == 932 ? std::vector<std::pair<std::wstring, std::string>>{{L"-ja", "lang/Japanese.lng"}}
                        : std::vector<std::pair<std::wstring, std::string>>{{L"", ""}, {L"-de", "lang/Deutsch.lng"}};
    for (const auto& [suffix, file] : languages) {
        for (int page = 0; page < 4; ++page) {
            e2e::VelmorProcess velmor;
            ASSERT_TRUE(velmor.PutFile(L"property.ini", "[Main]\r\nActivePage=" + std::to_string(page) +
                                                            "\r\nLeft=40\r\nTop=40\r\n"));
            if (!file.empty()) {
                ASSERT_TRUE(velmor.PutFile(L"Default.lng", testsupport::SourceFile(file)));
            }
            ASSERT_TRUE(velmor.Start());
            ASSERT_TRUE(velmor.ShowSettings());
            testsupport::PumpFor(500ms);
            EXPECT_TRUE(testsupport::SaveWindowImage(velmor.MainWindow(),
                                                     folder + L"\\settings-" + pages[page] + suffix + L".bmp"));
        }
    }
}

}  // namespace

namespace {

TEST(Screenshots, AboutBox) {
    const std::wstring folder = ShotFolder();
    if (folder.empty() || GetACP() == 932) GTEST_SKIP() << "set VELMOR_SCREENSHOTS to a folder to make them";
    e2e::VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"property.ini", "[Main]\r\nLeft=40\r\nTop=40\r\n"));
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(velmor.ShowSettings());
    const HWND about = velmor.ShowAbout();
    ASSERT_NE(about, nullptr);
    testsupport::PumpFor(2500ms);  // let the walkers leave their trails
    EXPECT_TRUE(testsupport::SaveWindowImage(about, folder + L"\\about.bmp"));
}

}  // namespace

namespace {

// Three clips: one pinned, one ordinary, one fading as it counts down. Xvfb
// has no compositor, so the fading clip's alpha is written beside the
// picture for the script to apply.
TEST(Screenshots, Clips) {
    const std::wstring folder = ShotFolder();
    if (folder.empty() || GetACP() == 932) GTEST_SKIP() << "set VELMOR_SCREENSHOTS to a folder to make them";
    e2e::VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"property.ini",
                               "[property]\r\nCloseClipTimer=1\r\nHideGradually=1\r\nCountDown=12\r\n"));
    ASSERT_TRUE(velmor.Start());
    const auto copyAt = [&](int x, int y, const wchar_t* text) -> HWND {
        SetCursorPos(x, y);
        std::set<HWND> shown;
        for (const auto& window : velmor.WindowsOfClass(L"TForm2")) {
            if (window.visible) shown.insert(window.handle);
        }
        testsupport::SetClipboardText(text);
        HWND clip = nullptr;
        testsupport::PumpUntil(
            [&] {
                for (const auto& window : velmor.WindowsOfClass(L"TForm2")) {
                    if (window.visible && !shown.contains(window.handle)) clip = window.handle;
                }
                return clip != nullptr;
            },
            3s);
        // Without a window manager, Wine sometimes gives a program the pointer's
        // place from before another program moved it; the picture wants the clip here.
        if (clip) SetWindowPos(clip, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return clip;
    };
    const HWND fading = copyAt(400, 300, L"This clip fades out\r\nas it counts down.");
    ASSERT_NE(fading, nullptr);
    testsupport::PumpFor(6500ms);
    const HWND pinned = copyAt(400, 100, L"A pinned clip keeps\r\nits own colours.");
    ASSERT_NE(pinned, nullptr);
    PostMessageW(pinned, WM_NCRBUTTONDOWN, HTCAPTION, 0);
    HWND menu = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] { return (menu = velmor.ShownMenu()) != nullptr; }, 3s));
    PostMessageW(menu, WM_CHAR, L'd', 0);
    ASSERT_NE(copyAt(400, 200, L"An ordinary clip, copied\r\na moment ago."), nullptr);
    testsupport::PumpFor(1200ms);
    BYTE alpha = 255;
    GetLayeredWindowAttributes(fading, nullptr, &alpha, nullptr);
    RECT rect{};
    GetWindowRect(fading, &rect);
    const RECT area{380, 80, 640, 400};
    EXPECT_TRUE(testsupport::SaveScreenImage(area, folder + L"\\clips.bmp"));
    std::ofstream(std::filesystem::path(folder + L"\\clips-fading.txt")) << rect.right - rect.left << "x" << rect.bottom - rect.top << "+"
                                                  << rect.left - area.left << "+" << rect.top - area.top << " "
                                                  << static_cast<int>(alpha) << "\n";
}

}  // namespace
