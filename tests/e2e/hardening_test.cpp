// Velmor under load, faults and bad input, driven from another process.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include <commctrl.h>

#include "VelmorProcess.h"
#include "WinTestSupport.h"

using e2e::ClipText;
using e2e::kClipWindowClass;
using e2e::VelmorProcess;
using e2e::VisibleWindowsOf;
using e2e::WindowsOf;
using namespace std::chrono_literals;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::SetClipboardText;

namespace {

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
}

TEST(Hardening, ABurstOfTenThousandCopiesKeepsTheLimitsAndShowsTheLast) {
    VelmorProcess velmor;
    SetCursorPos(300, 200);
    ASSERT_TRUE(velmor.Start());
    // Ten rounds of a thousand copies as fast as they go; between rounds,
    // once Velmor has caught up, its windows are counted (a count taken
    // while windows come and go by the thousand would be no count).
    bool lastPlaced = false;
    for (int round = 0; round < 10; ++round) {
        std::thread copier([round, &lastPlaced] {
            for (int i = 1; i <= 1000; ++i) lastPlaced = SetClipboardText(L"burst " + std::to_wstring(round * 1000 + i));
        });
        PumpUntil([&] { return false; }, 0ms);
        copier.join();
        ASSERT_TRUE(velmor.Running());
        EXPECT_TRUE(Answers(velmor.MainWindow())) << "the main window answers within a second";
        // Notifications still queued when the copier stops may show a clip
        // before the oldest is trimmed; at rest the limit holds.
        EXPECT_TRUE(PumpUntil([&] { return VisibleWindowsOf(velmor.Pid(), kClipWindowClass).size() <= 3u; }, 5s))
            << "round " << round;
        EXPECT_LE(WindowsOf(velmor.Pid(), kClipWindowClass).size(), 51u) << "round " << round;
    }
    EXPECT_TRUE(PumpUntil(
        [&] {
            const auto clips = VisibleWindowsOf(velmor.Pid(), kClipWindowClass);
            return std::any_of(clips.begin(), clips.end(), [](HWND clip) { return ClipText(clip) == L"burst 10000"; });
        },
        10s))
        << "the last text is shown; it was " << (lastPlaced ? "" : "not ") << "placed, and the clips show:"
        << ::testing::PrintToString([&] {
               std::vector<std::wstring> texts;
               for (HWND clip : VisibleWindowsOf(velmor.Pid(), kClipWindowClass)) texts.push_back(ClipText(clip));
               return texts;
           }());
}

// A copy after which another program keeps the clipboard open for a while,
// as clipboard managers and remote-desktop bridges do.
void CopyAndHold(const std::wstring& text, DWORD holdMs) {
    SetClipboardText(text);
    if (!OpenClipboard(nullptr)) return;
    Sleep(holdMs);
    CloseClipboard();
}

int ClipsShowing(const VelmorProcess& velmor, const std::wstring& text) {
    const auto clips = VisibleWindowsOf(velmor.Pid(), kClipWindowClass);
    return static_cast<int>(std::count_if(clips.begin(), clips.end(), [&](HWND clip) { return ClipText(clip) == text; }));
}

bool Shows(const VelmorProcess& velmor, const std::wstring& text) { return ClipsShowing(velmor, text) > 0; }

TEST(Hardening, AClipboardHeldOpenAfterACopyStillGivesTheClip) {
    VelmorProcess velmor;
    ASSERT_TRUE(velmor.Start());
    // Held for longer than any read may wait: the read is tried again until
    // the holder lets go, and gives exactly one clip.
    for (const DWORD holdMs : {50u, 150u, 500u, 2000u}) {
        const std::wstring text = L"held " + std::to_wstring(holdMs) + L" ms";
        std::thread holder([&] { CopyAndHold(text, holdMs); });
        EXPECT_TRUE(PumpUntil([&] { return Shows(velmor, text); }, std::chrono::milliseconds(holdMs) + 3s)) << holdMs;
        holder.join();
        PumpFor(200ms);
        EXPECT_EQ(ClipsShowing(velmor, text), 1) << holdMs;
    }
    // A burst in which every tenth copy is held.
    std::thread copier([] {
        for (int i = 1; i <= 200; ++i) {
            const std::wstring text = L"mixed " + std::to_wstring(i);
            if (i % 10 == 0) CopyAndHold(text, 50);
            else SetClipboardText(text);
        }
    });
    copier.join();
    EXPECT_TRUE(PumpUntil([&] { return Shows(velmor, L"mixed 200"); }, 5s));
    EXPECT_TRUE(Answers(velmor.MainWindow()));
}

TEST(Hardening, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
    // Written differently from how a save writes it, so that the save changes
    // every key; a long section of its own makes each write take a while.
    std::string old =
        "[Main]\r\nActivePage=$1\r\nLeft=x10\r\nTop=0x20\r\nWidth=+300\r\nHeight= 400\r\n"
        "[property]\r\nMaxClipCount=$7\r\nWidth=x0FA\r\nMaxHeight=+90\r\nIgnoreLargeText=yes\r\nSizeOfText=$4D\r\n"
        "CloseClipTimer=2\r\nCountDown=-$5\r\nHideGradually=7\r\nDoubleCopy=0x0\r\n"
        "[ClipText]\r\nClipFont='Liberation Mono'\r\nClipFontSize=$B\r\nClipFontCharset=0x0\r\nScrollBar=x0\r\n"
        "LeftMargin=-$3\r\nRightMargin=+4\r\n"
        "[ClipWindow]\r\nStandardColor=$FF\r\nFixedColor=$FF00\r\nStandardTextColor=$FF00000F\r\nFixedTextColor=$FF0000\r\n"
        "TimeFormat='hh:mm'\r\n[Other]\r\nLoadLanguage=9\r\nLoadFile='Deutsch.lng'\r\n[Padding]\r\n";
    for (int line = 0; line < 3000; ++line) old += "line" + std::to_string(line) + "=kept as it was\r\n";

    std::map<std::string, std::string> saved;
    DWORD saveMs = 0;
    {
        VelmorProcess velmor;
        ASSERT_TRUE(velmor.PutFile(L"property.ini", old));
        ASSERT_TRUE(velmor.Start());
        const DWORD start = GetTickCount();
        PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
        ASSERT_EQ(velmor.WaitForExit(), 0);
        saveMs = GetTickCount() - start;
        saved = testsupport::IniKeys(velmor.FileBytes(L"property.ini"));
    }
    const std::map<std::string, std::string> before = testsupport::IniKeys(old);
    ASSERT_NE(saved, before);
    ASSERT_EQ(saved.size(), before.size());

    std::mt19937 random(2026);
    int oldFiles = 0;
    int newFiles = 0;
    for (int trial = 0; trial < 100; ++trial) {
        VelmorProcess velmor;
        ASSERT_TRUE(velmor.PutFile(L"property.ini", old));
        ASSERT_TRUE(velmor.Start());
        const auto killAfter = std::chrono::milliseconds(std::uniform_int_distribution<DWORD>(0, saveMs + 10)(random));
        PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
        std::this_thread::sleep_for(killAfter);
        TerminateProcess(velmor.Process(), 1);
        velmor.WaitForExit();
        const auto keys = testsupport::IniKeys(velmor.FileBytes(L"property.ini"));
        EXPECT_TRUE(keys == before || keys == saved) << "trial " << trial << " left a mixed file";
        (keys == before ? oldFiles : newFiles) += 1;
    }
    // Both outcomes occur, so the kills did land during saves.
    EXPECT_GT(oldFiles, 0);
    EXPECT_GT(newFiles, 0);

    VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"property.ini.saving", "[property]\r\nMaxClipCount=1\r\n"));
    ASSERT_TRUE(velmor.Start());
    EXPECT_TRUE(velmor.FileBytes(L"property.ini.saving").empty()) << "what a cut save left is removed";
}

// Answers every message box of the process with OK; returns the texts shown.
// The answer is sent, not posted: the box has hidden itself when it returns,
// so that a busy program's box is not seen and counted again.
std::vector<std::wstring> AnswerMessageBoxes(const VelmorProcess& velmor) {
    std::vector<std::wstring> texts;
    for (const auto& window : velmor.Windows()) {
        if (window.className != L"#32770" || !window.visible) continue;
        wchar_t text[512] = {};
        GetDlgItemTextW(window.handle, 0xFFFF, text, 512);
        texts.emplace_back(text);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window.handle, WM_COMMAND, IDOK, 0, SMTO_NORMAL, 5000, &result);
    }
    return texts;
}

// Answers the process's message boxes, adding their texts to shown, until done() holds.
bool AnswerMessageBoxesUntil(const VelmorProcess& velmor, std::vector<std::wstring>& shown,
                             const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return PumpUntil(
        [&] {
            for (auto& text : AnswerMessageBoxes(velmor)) shown.push_back(std::move(text));
            return done();
        },
        timeout);
}

TEST(Hardening, AReadOnlySettingsFileIsLeftAsItWasWithAMessageAndVelmorStillEnds) {
    VelmorProcess velmor;
    const std::string old = "[property]\r\nMaxClipCount=$7\r\n";
    ASSERT_TRUE(velmor.PutFile(L"property.ini", old));
    const std::wstring path = velmor.Folder() + L"\\property.ini";
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(velmor.Start());
    PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
    std::vector<std::wstring> shown;
    EXPECT_TRUE(AnswerMessageBoxesUntil(velmor, shown, [&] { return !velmor.Running(); }, 10s));
    EXPECT_EQ(velmor.WaitForExit(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(L"property.ini に書き込めません"), std::wstring::npos) << shown[0];
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(velmor.FileBytes(L"property.ini"), old);
}

TEST(Hardening, ASettingsFileHeldByAnotherProgramAtStartIsSaidSoAndNeverOverwritten) {
    VelmorProcess velmor;
    const std::string old = "[property]\r\nMaxClipCount=7\r\nCountDown=77\r\n";
    ASSERT_TRUE(velmor.PutFile(L"property.ini", old));
    const std::wstring path = velmor.Folder() + L"\\property.ini";
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(velmor.Launch());
    std::vector<std::wstring> shown;
    EXPECT_TRUE(AnswerMessageBoxesUntil(velmor, shown, [&] { return !shown.empty(); }, 20s));
    CloseHandle(held);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], path + L" を読み込めません。上書きしません");
    ASSERT_TRUE(PumpUntil([&] { return testsupport::TrayIconExists(velmor.MainWindow()); }, 20s));
    PostMessageW(velmor.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(AnswerMessageBoxesUntil(velmor, shown, [&] { return !velmor.Running(); }, 10s));
    EXPECT_EQ(shown.size(), 1u) << "nothing more to say at the close";
    EXPECT_EQ(velmor.FileBytes(L"property.ini"), old);
}

// Starts Velmor with these files beside it, answers what it reports, and
// says whether it reached the tray and lives on.
bool ReachesTheTray(const std::vector<std::pair<std::wstring, std::string>>& files) {
    VelmorProcess velmor;
    for (const auto& [name, bytes] : files) {
        if (!velmor.PutFile(name, bytes)) return false;
    }
    if (!velmor.Start(60s)) return false;
    const bool tray = PumpUntil(
        [&] {
            AnswerMessageBoxes(velmor);
            return testsupport::TrayIconExists(velmor.MainWindow());
        },
        60s);
    return tray && velmor.Running() && Answers(velmor.MainWindow());
}

TEST(Hardening, BadSettingsAndLanguageFilesNeverStopTheStart) {
    std::mt19937 random(7);
    std::string garbage(4096, '\0');
    for (char& byte : garbage) byte = static_cast<char>(random());
    const std::string settings = garbage + "\r\n[property]\r\nMaxClipCount=" + std::string(1 << 20, '9') +
                                 "\r\nCountDown=-99999999999999999999\r\nWidth=$FFFFFFFFFF\r\n[Main]\r\nLeft=" +
                                 std::string(3000, '-') + "\r\n";
    EXPECT_TRUE(ReachesTheTray({{L"property.ini", settings}}));

    std::string huge = "Huge\r\n";
    while (huge.size() < 50u * 1024 * 1024) huge += "[Nowhere]key=a line of text that no key wants\r\n";
    for (const std::string& language :
         {std::string("\xFF\xFEO\0d\0d", 7),                         // UTF-16, odd byte count
          std::string("\xEF\xBB\xBF\xC3(\xE2\x82\r\n[All]title=\xF0\x9F\r\n"),  // invalid UTF-8
          std::string("No line end, no key"), huge}) {
        EXPECT_TRUE(ReachesTheTray({{L"Default.lng", language}, {L"property.ini", settings}}))
            << "a language file of " << language.size() << " bytes";
    }
}

// A clipboard viewer on a thread of its own that misbehaves: it hangs on
// every notification until released, or it vanishes without leaving the chain.
class BadViewer {
public:
    enum class Fault { Hangs, Vanishes };
    explicit BadViewer(Fault fault) : fault_(fault), release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = std::thread([this] { Run(); });
        while (!window_) Sleep(5);
    }
    ~BadViewer() {
        SetEvent(release_);
        if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
        CloseHandle(release_);
    }
    void Vanish() { SendMessageW(window_, WM_APP, 0, 0); }

private:
    void Run() {
        const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        SetWindowSubclass(window, &Proc, 1, reinterpret_cast<DWORD_PTR>(this));
        next_ = SetClipboardViewer(window);
        joined_ = true;
        window_ = window;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<BadViewer*>(data);
        switch (message) {
            case WM_DRAWCLIPBOARD:
                // The notification of its own joining is answered; every later one hangs.
                if (self->fault_ == Fault::Hangs && self->joined_) WaitForSingleObject(self->release_, 30000);
                return 0;
            case WM_APP:  // gone without a word to the chain
            case WM_CLOSE:
                DestroyWindow(window);
                PostQuitMessage(0);
                return 0;
            default:
                return DefSubclassProc(window, message, wParam, lParam);
        }
    }
    Fault fault_;
    HANDLE release_;
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
    HWND next_ = nullptr;
    bool joined_ = false;
};

TEST(Hardening, AViewerAfterVelmorThatHangsOrVanishesStopsNeitherCopiesNorTheTray) {
    for (const BadViewer::Fault fault : {BadViewer::Fault::Hangs, BadViewer::Fault::Vanishes}) {
        BadViewer viewer(fault);  // joins first, so it follows Velmor in the chain
        VelmorProcess velmor;
        ASSERT_TRUE(velmor.Start());
        if (fault == BadViewer::Fault::Vanishes) viewer.Vanish();
        for (const wchar_t* text : {L"first after the bad viewer", L"second after the bad viewer"}) {
            ASSERT_TRUE(SetClipboardText(text));
            EXPECT_TRUE(PumpUntil([&] { return Shows(velmor, text); }, 5s)) << text;
        }
        // Not only the chain's messages: the program's own (the tray's) go on too.
        EXPECT_TRUE(velmor.ShowSettings());
    }
}

}  // namespace
