// The About box of the real program.
#include <gtest/gtest.h>
#include <windows.h>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using namespace std::chrono_literals;

namespace {

TEST(About, QuittingFromTheTrayWhileTheBoxAnimatesEndsTheProgramCleanly) {
    e2e::VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    const HWND about = velmor.ShowAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(velmor.MainWindow()));
    testsupport::PumpFor(300ms);  // the worker is drawing
    PostMessageW(velmor.MainWindow(), e2e::kTrayMessage, 1, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] { return (menu = velmor.ShownMenu()) != nullptr; }, 3s));
    PostMessageW(menu, WM_CHAR, L'q', 0);
    EXPECT_EQ(velmor.WaitForExit(10s), 0);
}

}  // namespace
