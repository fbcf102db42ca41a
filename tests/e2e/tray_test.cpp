// The tray icon, its menu and the ways of closing, driven from outside.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using e2e::VelmorProcess;
using namespace std::chrono_literals;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::TrayIconExists;

namespace {

class Tray : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(velmor.Start());
        main = velmor.MainWindow();
        ASSERT_TRUE(PumpUntil([&] { return TrayIconExists(main); }, 3s));
    }
    HWND OpenMenu(LPARAM mouse) {
        PostMessageW(main, e2e::kTrayMessage, 1, mouse);
        HWND menu = nullptr;
        PumpUntil([&] { return (menu = velmor.ShownMenu()) != nullptr; }, 3s);
        return menu;
    }
    // Chooses a menu item by its underlined letter.
    void Choose(HWND menu, wchar_t letter) { PostMessageW(menu, WM_CHAR, letter, 0); }
    bool MainShown() { return IsWindowVisible(main); }

    VelmorProcess velmor;
    HWND main = nullptr;
};

TEST_F(Tray, APressOfEitherButtonOpensTheMenuAndOtherMouseMessagesDoNot) {
    EXPECT_FALSE(MainShown());
    for (const LPARAM ignored : {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}) {
        PostMessageW(main, e2e::kTrayMessage, 1, ignored);
        PumpFor(150ms);
        EXPECT_EQ(velmor.ShownMenu(), nullptr) << "mouse message " << ignored;
    }
    for (const LPARAM press : {WM_RBUTTONDOWN, WM_LBUTTONDOWN}) {
        const HWND menu = OpenMenu(press);
        ASSERT_NE(menu, nullptr) << "mouse message " << press;
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(PumpUntil([&] { return velmor.ShownMenu() == nullptr; }, 3s));
    }
}

TEST_F(Tray, PropertyLeavesTheTrayAndEveryWayBackReturnsToIt) {
    Choose(OpenMenu(WM_RBUTTONDOWN), L'p');
    ASSERT_TRUE(PumpUntil([&] { return MainShown(); }, 3s));
    EXPECT_FALSE(TrayIconExists(main));

    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !MainShown() && TrayIconExists(main); }, 3s));
    EXPECT_FALSE(IsIconic(main)) << "hidden, not minimised";

    Choose(OpenMenu(WM_LBUTTONDOWN), L'p');
    ASSERT_TRUE(PumpUntil([&] { return MainShown() && !TrayIconExists(main); }, 3s));
    const HWND taskTray = testsupport::FindChild(main, L"Button", L"Task Tray");
    ASSERT_NE(taskTray, nullptr);
    PostMessageW(taskTray, BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !MainShown() && TrayIconExists(main); }, 3s));
}

TEST_F(Tray, SuspendStopsClipsAndResumeIgnoresWhatWasCopiedMeanwhile) {
    Choose(OpenMenu(WM_RBUTTONDOWN), L's');
    PumpFor(200ms);
    ASSERT_TRUE(testsupport::SetClipboardText(L"while suspended"));
    PumpFor(400ms);
    EXPECT_EQ(velmor.VisibleClips().size(), 0u);

    // Only Resume is offered now: the same letter that suspended does nothing.
    Choose(OpenMenu(WM_RBUTTONDOWN), L'r');
    PumpFor(300ms);
    EXPECT_EQ(velmor.VisibleClips().size(), 0u) << "the text copied while suspended is not shown";
    ASSERT_TRUE(testsupport::SetClipboardText(L"after resume"));
    EXPECT_TRUE(PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 3s));
}

TEST_F(Tray, QuitFromTheTrayLeavesNoIconAndEndsTheProgram) {
    Choose(OpenMenu(WM_RBUTTONDOWN), L'q');
    EXPECT_EQ(velmor.WaitForExit(), 0);
    EXPECT_FALSE(TrayIconExists(main));
}

TEST_F(Tray, TheCloseBoxEndsTheProgram) {
    Choose(OpenMenu(WM_RBUTTONDOWN), L'p');
    ASSERT_TRUE(PumpUntil([&] { return MainShown(); }, 3s));
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(velmor.WaitForExit(), 0);
}

TEST_F(Tray, TheIconComesBackWhenTheTaskbarIsRecreated) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = main;
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));  // as a restarting Explorer loses it
    ASSERT_FALSE(TrayIconExists(main));
    PostMessageW(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconExists(main); }, 3s));
}

}  // namespace
