// Start-up and shutdown of the real program, seen from another process.
#include <gtest/gtest.h>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using e2e::VelmorProcess;
using namespace std::chrono_literals;

namespace {

TEST(Startup, ShowsNoWindowEvenWithTextOnTheClipboard) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"on the clipboard before start"));
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    testsupport::PumpFor(300ms);
    for (const auto& window : velmor.Windows()) {
        // Wine's own helper windows (IME) are never shown either.
        EXPECT_FALSE(window.visible) << "visible window of class " << testing::PrintToString(window.className);
    }
    const auto main = velmor.WindowsOfClass(e2e::kMainWindowClass);
    ASSERT_EQ(main.size(), 1u);
    EXPECT_EQ(main[0].title, L"Velmor");
    EXPECT_TRUE(main[0].exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(main[0].style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(main[0].style & WS_MINIMIZEBOX);
}

// The icon comes before the settings pages are built; a copy made in between
// waits for them, and is neither lost nor shown twice.
TEST(Startup, ACopyAsSoonAsTheIconIsThereShowsItsClip) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Launch());
    HWND main = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        if (!main) main = velmor.MainWindow();
        return main && testsupport::TrayIconExists(main);
    }, 20s));
    ASSERT_TRUE(testsupport::SetClipboardText(L"copied at the start"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 20s));
    EXPECT_EQ(e2e::ClipText(velmor.VisibleClips()[0].handle), L"copied at the start");
    testsupport::PumpFor(500ms);
    EXPECT_EQ(velmor.VisibleClips().size(), 1u);
}

// A box of the start-up (a bad Default.lng) leaves the tray menu working
// while the settings load: a Quit chosen then ends the program once the
// start-up is over, and the file keeps the settings it had.
TEST(Startup, AQuitChosenWhileAStartUpBoxIsUpEndsTheProgramWithTheSettingsItRead) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"property.ini", "[property]\r\nMaxClipCount=7\r\nCountDown=77\r\n"));
    ASSERT_TRUE(velmor.PutFile(L"Default.lng", "Bad\r\n[All]FontSize=big\r\n"));
    ASSERT_TRUE(velmor.Launch());
    HWND box = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        for (const auto& window : velmor.Windows()) {
            if (window.className == L"#32770" && window.visible) box = window.handle;
        }
        return box != nullptr;
    }, 20s));
    PostMessageW(velmor.MainWindow(), e2e::kTrayMessage, 1, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] { return (menu = velmor.ShownMenu()) != nullptr; }, 5s));
    PostMessageW(menu, WM_CHAR, L'q', 0);  // "&Quit"
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(menu); }, 5s));
    testsupport::PumpFor(300ms);
    EXPECT_TRUE(velmor.Running()) << "the box is still up";
    // Each report waits for its OK; the quit comes after the last.
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        for (const auto& window : velmor.Windows()) {
            if (window.className == L"#32770" && window.visible) PostMessageW(window.handle, WM_COMMAND, IDOK, 0);
        }
        return !velmor.Running();
    }, 10s));
    const auto keys = testsupport::IniKeys(velmor.FileBytes(L"property.ini"));
    EXPECT_EQ(keys.at("property/MaxClipCount"), "7");
    EXPECT_EQ(keys.at("property/CountDown"), "77");
}

TEST(Startup, ApplicationWindowCarriesExactlyTheToolWindowStyle) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    const auto application = velmor.WindowsOfClass(platform::kApplicationClass);
    ASSERT_EQ(application.size(), 1u);
    EXPECT_EQ(application[0].exStyle, WS_EX_TOOLWINDOW);
    EXPECT_EQ(application[0].title, L"Velmor");
    // Forms are owned by it, so none of them gets a task-bar button either.
    EXPECT_EQ(GetWindow(velmor.MainWindow(), GW_OWNER), application[0].handle);
}

TEST(Startup, ASecondStartEndsAtOnceWithoutAWindow) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    const size_t windowsBefore = velmor.Windows().size();
    const HANDLE second = velmor.StartAnother();
    ASSERT_NE(second, nullptr);
    DWORD secondPid = GetProcessId(second);
    size_t secondWindows = 0;
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        secondWindows = std::max(secondWindows, e2e::WindowsOfProcess(secondPid).size());
        return WaitForSingleObject(second, 0) == WAIT_OBJECT_0;
    }, 20s));
    DWORD code = 99;
    GetExitCodeProcess(second, &code);
    CloseHandle(second);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(secondWindows, 0u);
    EXPECT_TRUE(velmor.Running());
    EXPECT_EQ(velmor.Windows().size(), windowsBefore);
}

TEST(Startup, JoinsTheViewerChainAndACleanExitLeavesIt) {
    testsupport::ChainViewer before;  // Velmor joins in front of this viewer
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    const auto watcher = velmor.WindowsOfClass(platform::kWatcherClass);
    ASSERT_EQ(watcher.size(), 1u);
    EXPECT_EQ(GetClipboardViewer(), watcher[0].handle);

    // Velmor passes changes on to the viewer after it.
    ASSERT_TRUE(testsupport::SetClipboardText(L"passed along"));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return before.Changes() == 1; }));

    PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(velmor.WaitForExit(), 0);
    EXPECT_EQ(GetClipboardViewer(), before.Handle());
    EXPECT_EQ(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "Velmor"), nullptr) << "the instance mutex is gone";
    ASSERT_TRUE(testsupport::SetClipboardText(L"after exit"));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return before.Changes() == 2; }));
}

}  // namespace
