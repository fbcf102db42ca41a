// Text copied in a Linux program (through Wine's bridge to the X clipboard)
// reaches Velmor like a copy in a Windows program.
#include <gtest/gtest.h>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using namespace std::chrono_literals;

namespace {

// Starts a Unix command line; Wine starts ELF programs like its own, but
// their handles are not signalled when they end, so this does not wait.
bool StartUnix(std::string command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return true;
}

TEST(XClipboard, TextCopiedWithXclipReachesVelmor) {
    testsupport::ChainViewer after;  // hears changes only through Velmor, which joins in front of it
    e2e::VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    ASSERT_TRUE(StartUnix("/bin/sh -c \"printf 'from X' | /usr/bin/xclip -selection clipboard\""));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return after.Changes() >= 1; }, 10s));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::ClipboardText() == L"from X"; }, 5s));
    // Wine reports one X copy twice, the second maybe while the first is read: still one clip.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return velmor.VisibleClips().size() == 1; }, 5s));
    testsupport::PumpFor(300ms);
    const auto clips = velmor.VisibleClips();
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(e2e::ClipText(clips.front().handle), L"from X");
    // Taking the clipboard back ends the xclip process that held the selection.
    testsupport::SetClipboardText(L"back to Windows");
}

}  // namespace
