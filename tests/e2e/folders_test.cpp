// Velmor in a folder whose name the system code page cannot spell, and with
// files past MAX_PATH: its settings and language files still work.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using e2e::VelmorProcess;
using namespace std::chrono_literals;

namespace {

// Folders that put velmor.exe just short of MAX_PATH (a program cannot be
// started from a longer path), so that the files beside it, a language file
// with a long name and the copy a save makes, lie past it.
std::wstring DeepFolders() {
    const std::size_t root = VelmorProcess().Folder().size();
    constexpr std::size_t kFolder = MAX_PATH - 16;  // "\\velmor.exe" and a little room
    std::wstring path;
    for (wchar_t name = L'a'; root + path.size() < kFolder; ++name) {
        path += std::wstring(path.empty() ? L"" : L"\\") + std::wstring(std::min<std::size_t>(40, kFolder - root - path.size()), name);
    }
    return path;
}

TEST(Folders, SettingsAndLanguageFilesWorkInAnyFolder) {
    for (const std::wstring& subfolders : {std::wstring(L"Настройки 設定 ü"), DeepFolders()}) {
        VelmorProcess velmor(subfolders);
        SCOPED_TRACE(testing::Message() << velmor.Folder().size() << " characters");
        ASSERT_TRUE(velmor.PutFile(L"property.ini", "[property]\r\nMaxClipCount=7\r\nCountDown=77\r\n"));
        ASSERT_TRUE(velmor.PutFile(L"Deutsch " + std::wstring(60, L'x') + L".lng", "Deutsch\r\n"));
        ASSERT_TRUE(velmor.Start());
        const HWND list = testsupport::FindChild(velmor.MainWindow(), L"ListBox");
        ASSERT_NE(list, nullptr);
        wchar_t row[64] = {};
        EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
        SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
        EXPECT_STREQ(row, L"Deutsch");
        PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
        ASSERT_EQ(velmor.WaitForExit(), 0);
        const auto keys = testsupport::IniKeys(velmor.FileBytes(L"property.ini"));
        EXPECT_EQ(keys.size(), 27u);
        EXPECT_EQ(keys.at("property/MaxClipCount"), "7");
        EXPECT_EQ(keys.at("property/CountDown"), "77");
    }
}

}  // namespace
