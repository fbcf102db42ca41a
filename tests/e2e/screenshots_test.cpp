// Pictures of the real program for the documentation, made only when
// VELMOR_SCREENSHOTS names a folder (scripts/screenshots.sh sets it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using namespace std::chrono_literals;

namespace {

std::wstring ShotFolder() {
    wchar_t folder[MAX_PATH] = {};
    return GetEnvironmentVariableW(L"VELMOR_SCREENSHOTS", folder, MAX_PATH) ? folder : L"";
}

TEST(Screenshots, SettingsPages) {
    const std::wstring folder = ShotFolder();
    if (folder.empty()) GTEST_SKIP() << "set VELMOR_SCREENSHOTS to a folder to make them";
    const wchar_t* names[] = {L"settings-property", L"settings-cliptext", L"settings-clipwindow", L"settings-other"};
    for (int page = 0; page < 4; ++page) {
        e2e::VelmorProcess velmor;
        ASSERT_TRUE(velmor.PutFile(L"property.ini", "[Main]\r\nActivePage=" + std::to_string(page) +
                                                        "\r\nLeft=40\r\nTop=40\r\n"));
        ASSERT_TRUE(velmor.Start());
        ASSERT_TRUE(velmor.ShowSettings());
        testsupport::PumpFor(500ms);
        EXPECT_TRUE(testsupport::SaveWindowImage(velmor.MainWindow(), folder + L"\\" + names[page] + L".bmp"));
    }
}

}  // namespace
