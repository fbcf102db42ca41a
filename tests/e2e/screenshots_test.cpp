// Pictures of the real program for the documentation, made only when
// VELMOR_SCREENSHOTS names a folder (scripts/screenshots.sh sets it).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
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

std::string SourceFile(const std::string& relative) {
    std::string path = VELMOR_SOURCE_DIR "/" + relative;
    if (path.front() == '/') path = "Z:" + path;  // a Unix path, seen through Wine's drive Z:
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
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
                ASSERT_TRUE(velmor.PutFile(L"Default.lng", SourceFile(file)));
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
