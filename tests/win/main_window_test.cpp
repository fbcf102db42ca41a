// The main window's menus, tray icon and commands, in this process.
#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "WinTestSupport.h"
#include "app/Controller.h"
#include "app/SingleInstance.h"
#include "platform/Error.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"

using namespace std::chrono_literals;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::TrayIconExists;

namespace {


std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(settings::PropertyFilePath().c_str());
        velmor = std::make_unique<app::Controller>();
    }
    void TearDown() override {
        velmor.reset();
        DeleteFileW(settings::PropertyFilePath().c_str());
    }
    HMENU FileMenu() { return GetSubMenu(GetMenu(velmor->Window().Handle()), 0); }
    std::unique_ptr<app::Controller> velmor;
};

TEST_F(MainWindowTest, StartsInTheTrayWithBothMenusAsBuilt) {
    EXPECT_TRUE(velmor->TrayIconPresent());
    EXPECT_TRUE(TrayIconExists(velmor->Window().Handle()));
    EXPECT_FALSE(velmor->Window().Visible());
    EXPECT_EQ(MenuTexts(GetMenu(velmor->Window().Handle())), (std::vector<std::wstring>{L"&File", L"&Help"}));
    EXPECT_EQ(MenuTexts(FileMenu()),
              (std::vector<std::wstring>{L"&Close All Clips", L"&Task Tray", L"&Suspend", L"", L"&Quit\tCtrl+Q"}));
    EXPECT_EQ(MenuTexts(velmor->Window().TrayMenu.Handle()),
              (std::vector<std::wstring>{L"&Property", L"&Close All Clips", L"&Suspend", L"", L"&Quit"}));
    EXPECT_EQ(ui::Application::Get().Title(), L"Velmor");
}

TEST_F(MainWindowTest, AddingAndRemovingTheIconTwiceActsOnce) {
    velmor->AddTrayIcon();
    EXPECT_TRUE(TrayIconExists(velmor->Window().Handle()));
    velmor->RemoveTrayIcon();
    EXPECT_FALSE(TrayIconExists(velmor->Window().Handle()));
    EXPECT_FALSE(velmor->TrayIconPresent());
    velmor->RemoveTrayIcon();
    velmor->GoToTray();
    velmor->GoToTray();
    EXPECT_TRUE(TrayIconExists(velmor->Window().Handle()));
    velmor->RemoveTrayIcon();
    EXPECT_FALSE(TrayIconExists(velmor->Window().Handle())) << "one removal took the only icon";
}

TEST_F(MainWindowTest, TheIconComesBackAtMetricChangesAndLeavesWithTheWindowObject) {
    const HWND window = velmor->Window().Handle();
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    RECT suggested{0, 0, 400, 400};
    const std::pair<UINT, WPARAM> changes[] = {
        {WM_THEMECHANGED, 0}, {WM_SETTINGCHANGE, SPI_SETICONMETRICS}, {WM_DPICHANGED, MAKEWPARAM(120, 120)}};
    for (const auto& [message, wParam] : changes) {
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data)) << "the taskbar lost it meanwhile";
        SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(&suggested));
        EXPECT_TRUE(TrayIconExists(window)) << "message " << message;
    }
    velmor->ShowFromTray();
    SendMessageW(window, WM_THEMECHANGED, 0, 0);
    EXPECT_FALSE(TrayIconExists(window)) << "no icon comes back in window mode";
    velmor->GoToTray();
    velmor.reset();
    EXPECT_FALSE(TrayIconExists(window));
}

TEST_F(MainWindowTest, SuspendAndResumeSwapTheirItemsInBothMenusAndTheWatcher) {
    velmor->Clips().Suspend();
    EXPECT_EQ(MenuTexts(FileMenu()),
              (std::vector<std::wstring>{L"&Close All Clips", L"&Task Tray", L"&Resume", L"", L"&Quit\tCtrl+Q"}));
    EXPECT_EQ(MenuTexts(velmor->Window().TrayMenu.Handle()),
              (std::vector<std::wstring>{L"&Property", L"&Close All Clips", L"&Resume", L"", L"&Quit"}));
    EXPECT_EQ(velmor->Watcher()->WindowHandle(), nullptr);
    velmor->Clips().Resume();
    EXPECT_EQ(MenuTexts(FileMenu())[2], L"&Suspend");
    EXPECT_EQ(MenuTexts(velmor->Window().TrayMenu.Handle())[2], L"&Suspend");
    EXPECT_NE(velmor->Watcher()->WindowHandle(), nullptr);
}

TEST_F(MainWindowTest, ACopyBackWhileSuspendedLeavesTheWatcherSuspended) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"a clip"));
    ASSERT_TRUE(PumpUntil([&] { return velmor->ClipWindowCount() == 1; }, 3s));
    velmor->Clips().Suspend();
    clipwindow::ClipWindow* clip = velmor->Clip(0);
    ASSERT_NE(clip, nullptr);
    SendMessageW(clip->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(velmor->Watcher()->WindowHandle(), nullptr);
    EXPECT_FALSE(velmor->Watching());
    ASSERT_TRUE(testsupport::SetClipboardText(L"not watched"));
    PumpFor(200ms);
    EXPECT_EQ(velmor->ClipWindowCount(), 1);
}

// A watcher whose window cannot be made while failing is set.
class FailingWatcher : public clipboard::ClipboardWatcher {
public:
    bool failing = false;

protected:
    platform::WindowHandle AllocateWindow() override { return failing ? nullptr : ClipboardWatcher::AllocateWindow(); }
};

TEST_F(MainWindowTest, WhenTheChainCannotBeJoinedTheMenusShowWatchingSuspended) {
    auto owned = std::make_unique<FailingWatcher>();
    FailingWatcher& watcher = *owned;
    velmor->UseWatcher(std::move(owned));
    ASSERT_TRUE(testsupport::SetClipboardText(L"a clip"));
    ASSERT_TRUE(PumpUntil([&] { return velmor->ClipWindowCount() == 1; }, 3s));
    const auto shownState = [&] {
        return std::vector<std::wstring>{MenuTexts(FileMenu())[2], MenuTexts(velmor->Window().TrayMenu.Handle())[2]};
    };
    const std::vector<std::wstring> suspended{L"&Resume", L"&Resume"};

    int reported = 0;
    ui::Application::Get().SetErrorReporter([&](const std::wstring&) { ++reported; });
    watcher.failing = true;
    // The copy back leaves the chain and cannot join it again.
    SendMessageW(velmor->Clip(0)->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    ui::Application::Get().SetErrorReporter(nullptr);
    EXPECT_EQ(reported, 1);
    EXPECT_FALSE(velmor->Watching());
    EXPECT_EQ(shownState(), suspended);

    EXPECT_THROW(velmor->Clips().Resume(), platform::OutOfResources);
    EXPECT_FALSE(velmor->Watching());
    EXPECT_EQ(shownState(), suspended);

    watcher.failing = false;
    velmor->Clips().Resume();
    EXPECT_TRUE(velmor->Watching());
    EXPECT_EQ(shownState(), (std::vector<std::wstring>{L"&Suspend", L"&Suspend"}));
}

TEST(SingleInstance, AnInstanceThatRunsOrThatMayNotBeOpenedRefusesTheNext) {
    app::InstanceClaim first = app::ClaimInstance("VelmorInstanceTest");
    EXPECT_FALSE(first.otherRuns);
    EXPECT_TRUE(first.mutex);
    const app::InstanceClaim second = app::ClaimInstance("VelmorInstanceTest");
    EXPECT_TRUE(second.otherRuns);
    EXPECT_FALSE(second.mutex);

    // An elevated first instance: its mutex denies this one every access.
    PSECURITY_DESCRIPTOR denyAll = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;GA;;;WD)", SDDL_REVISION_1, &denyAll, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, denyAll, FALSE};
    const platform::KernelHandle elevated(CreateMutexA(&attributes, FALSE, "VelmorElevatedTest"));
    LocalFree(denyAll);
    ASSERT_TRUE(elevated);
    const app::InstanceClaim refused = app::ClaimInstance("VelmorElevatedTest");
    EXPECT_TRUE(refused.otherRuns);
    EXPECT_FALSE(refused.mutex);
}

TEST_F(MainWindowTest, FileCloseAllClipsClosesTheClips) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"to be closed"));
    ASSERT_TRUE(PumpUntil([&] { return velmor->ClipWindowCount() == 1; }, 3s));
    velmor->Window().CloseAllClipsItem->Click();
    EXPECT_EQ(velmor->ClipWindowCount(), 0);
}

TEST_F(MainWindowTest, PropertyShowsTheWindowAndTheTaskTrayCommandsHideIt) {
    velmor->ShowFromTray();
    EXPECT_TRUE(velmor->Window().Visible());
    EXPECT_FALSE(TrayIconExists(velmor->Window().Handle()));
    velmor->Window().TaskTrayItem->Click();
    EXPECT_FALSE(velmor->Window().Visible());
    EXPECT_TRUE(TrayIconExists(velmor->Window().Handle()));
    velmor->ShowFromTray();
    velmor->Window().TaskTrayButton.Click();
    EXPECT_FALSE(velmor->Window().Visible());
    EXPECT_TRUE(TrayIconExists(velmor->Window().Handle()));
}

TEST_F(MainWindowTest, CtrlQClosesTheMainWindowAndEndsTheApplication) {
    velmor->ShowFromTray();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const MSG press{velmor->Window().Handle(), WM_KEYDOWN, 'Q', 0, 0, {}};
    EXPECT_TRUE(velmor->Window().IsShortCut(press));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(velmor->Window().Visible());
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
}

}  // namespace
