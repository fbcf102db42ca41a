// The toolkit's lifetimes and threads: how window objects are torn down and
// released, worker hand-offs, GUI-thread-only state, timers that fail,
// captions found by key, composite controls moved as one, and system DLLs
// loaded where the system refuses the search flag.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "TestForm.h"
#include "WinTestSupport.h"
#include "platform/Error.h"
#include "platform/Module.h"
#include "platform/WindowClass.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/Menu.h"
#include "ui/SpinEdit.h"
#include "ui/Thread.h"
#include "ui/Timer.h"

using namespace std::chrono_literals;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::TestForm;

namespace {

// A form whose handler notes every message that reaches it once its own
// destructor has begun, when its members may be gone already.
class ProbeForm : public TestForm {
public:
    static inline int lateMessages = 0;
    ProbeForm() {
        memo.Create(*this, {.bounds = {8, 8, 100, 40}});
        menu.Add(L"&File");
        SetMenu(menu);
        ::SetFocus(memo.Handle());
    }
    ~ProbeForm() override { destroying_ = true; }

    ui::Memo memo;
    ui::MainMenu menu;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (destroying_) ++lateMessages;
        return TestForm::WndProc(message, wParam, lParam);
    }

private:
    bool destroying_ = false;
};

TEST(Teardown, AFormLosesItsWindowBeforeAnyPartOfItIsDestroyed) {
    ProbeForm::lateMessages = 0;
    auto form = std::make_unique<ProbeForm>();
    form->Show();
    const HWND window = form->Handle();
    const HWND memo = form->memo.Handle();
    form.reset();
    EXPECT_EQ(ProbeForm::lateMessages, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(memo));
}

TEST(Teardown, AMenuBarOutlivesEveryWindowThatShowedIt) {
    ui::MainMenu menu;
    menu.Add(L"&File");
    const HMENU bar = menu.Handle();
    {
        TestForm onStack;  // its window goes in ~Window, after its parts
        onStack.SetMenu(menu);
    }
    EXPECT_TRUE(IsMenu(bar));
    auto onHeap = std::make_unique<TestForm>();  // its window goes before its parts
    onHeap->SetMenu(menu);
    onHeap.reset();
    EXPECT_TRUE(IsMenu(bar));
}

TEST(WindowClasses, AClassIsRegisteredOnceAndUnregisteredWithItsObject) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    WNDCLASSEXW description{};
    description.lpfnWndProc = &DefWindowProcW;
    description.lpszClassName = L"VelmorTestClass";
    {
        const platform::WindowClass registered(description);
        EXPECT_TRUE(GetClassInfoExW(module, L"VelmorTestClass", &info));
        EXPECT_THROW(platform::WindowClass{description}, platform::OutOfResources);
    }
    EXPECT_FALSE(GetClassInfoExW(module, L"VelmorTestClass", &info));
    // The toolkit's own classes: one registration, however many windows.
    const TestForm first;
    const TestForm second;
    EXPECT_TRUE(GetClassInfoExW(module, L"TVelmorTestForm", &info));
}

TEST(Release, AFormClosedToBeFreedGoesOnlyOnceItsHandlerReturns) {
    auto& application = ui::Application::Get();
    TestForm& form = application.CreateForm<TestForm>();
    if (application.MainForm() == &form) application.SetMainForm(nullptr);  // its close would end the run
    form.OnClose = [](ui::Form&, ui::CloseAction& action) { action = ui::CloseAction::Free; };
    ui::Button button;
    button.Create(form, {.bounds = {8, 8, 75, 25}, .caption = L"Close"});
    const HWND window = form.Handle();
    bool aliveAfterClose = false;
    button.OnClick = [&](ui::Button&) {
        form.Close();
        aliveAfterClose = IsWindow(window) && !IsWindowVisible(window);
    };
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(button.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(button.Handle()));
    EXPECT_TRUE(aliveAfterClose);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 2s));
    EXPECT_EQ(application.ReleasedCount(), 0u);
}

// A form that releases itself from a handler reached outside its window
// procedure: it must outlive that handler.
TEST(Release, AFormReleasedByItsTimerTickShortcutOrHandOffOutlivesTheHandler) {
    enum class Path { TimerTick, ShortCut, HandOff };
    for (const Path path : {Path::TimerTick, Path::ShortCut, Path::HandOff}) {
        SCOPED_TRACE(static_cast<int>(path));
        struct SelfReleasing : TestForm {
            ui::Timer timer{*this, 10};
            ui::MainMenu menu;
        };
        auto owned = std::make_unique<SelfReleasing>();
        SelfReleasing& form = *owned;
        form.timer.SetEnabled(false);
        bool destroyed = false;
        form.WatchDestroy([&] { destroyed = true; });
        bool ran = false;
        bool aliveAfterRelease = false;
        const auto release = [&] {
            ran = true;
            ui::Application::Get().Release(std::move(owned));
            aliveAfterRelease = !destroyed;
        };
        switch (path) {
            case Path::TimerTick:
                form.timer.OnTimer = [&](ui::Timer& timer) {
                    timer.SetEnabled(false);
                    release();
                };
                form.timer.SetEnabled(true);
                PumpUntil([&] { return ran; }, 2s);
                break;
            case Path::ShortCut: {
                form.menu.Add(L"&Release", ui::ShortCut::Ctrl('R')).OnClick = [&](ui::MenuItem&) { release(); };
                form.SetMenu(form.menu, ui::MenuBar::Hidden);
                BYTE keys[256] = {};
                GetKeyboardState(keys);
                keys[VK_CONTROL] = 0x80;
                SetKeyboardState(keys);
                PostMessageW(form.Handle(), WM_KEYDOWN, 'R', 0);
                ui::Application::Get().ProcessMessages();  // as the message loop does: shortcuts first
                keys[VK_CONTROL] = 0;
                SetKeyboardState(keys);
                break;
            }
            case Path::HandOff: {
                std::thread worker([&] { ui::Application::Get().Synchronize(release); });
                PumpUntil([&] { return ran; }, 2s);
                worker.join();
                break;
            }
        }
        ASSERT_TRUE(ran);
        EXPECT_TRUE(aliveAfterRelease) << "freed inside its own handler";
        EXPECT_TRUE(PumpUntil([&] { return destroyed; }, 2s)) << "freed once the handler returned";
    }
}

class Counter : public ui::Thread {
public:
    std::atomic<int> handedOff{0};
    std::atomic<int> refused{0};
    std::atomic<bool> ended{false};

protected:
    void Execute() override {
        while (WaitWhilePaused()) {
            if (Synchronize([this] { ++handedOff; })) continue;
            ++refused;
        }
        ended = true;
    }
};

TEST(WorkerHandOff, CallsRunOnTheGuiThreadAndTheEndNeverWaitsOnEachOther) {
    Counter worker;
    worker.SetPriority(THREAD_PRIORITY_LOWEST);
    worker.Resume();
    ASSERT_TRUE(PumpUntil([&] { return worker.handedOff > 20; }, 5s));
    worker.Pause();
    PumpFor(50ms);
    const int paused = worker.handedOff;
    PumpFor(100ms);
    EXPECT_LE(worker.handedOff - paused, 1) << "a paused worker asks for nothing";
    worker.Resume();
    ASSERT_TRUE(PumpUntil([&] { return worker.handedOff > paused + 5; }, 5s));
    // Stopped without pumping: the hand-off it waits for is withdrawn.
    worker.Stop();
    EXPECT_TRUE(worker.ended);
}

TEST(WorkerHandOff, AClosedApplicationRefusesHandOffs) {
    auto& application = ui::Application::Get();
    application.Initialize();  // a live application, whichever test ran before
    std::atomic<int> result{-1};
    application.StopHandOffs();
    std::thread worker([&] { result = application.Synchronize([] {}) ? 1 : 0; });
    worker.join();
    application.Initialize();  // the tests go on with a live application
    EXPECT_EQ(result, 0);
}

TEST(WorkerHandOff, TimersAndMenusBelongToTheGuiThread) {
    bool timerRefused = false;
    bool menuRefused = false;
    TestForm form;
    std::thread worker([&] {
        try {
            ui::Timer timer(form);
        } catch (const platform::Error&) {
            timerRefused = true;
        }
        try {
            ui::PopupMenu menu;
        } catch (const platform::Error&) {
            menuRefused = true;
        }
    });
    worker.join();
    EXPECT_TRUE(timerRefused);
    EXPECT_TRUE(menuRefused);
}

TEST(Timers, AFailingHandlerShowsOneErrorAtATime) {
    auto& application = ui::Application::Get();
    int reports = 0;
    int deepest = 0;
    int depth = 0;
    // Like the message box, the report runs a message loop while it is up.
    application.SetErrorReporter([&](const std::wstring&) {
        ++reports;
        deepest = std::max(deepest, ++depth);
        PumpFor(150ms);
        --depth;
    });
    TestForm form;
    ui::Timer timer(form, 10);
    timer.OnTimer = [](ui::Timer&) { throw std::runtime_error("always"); };
    PumpFor(400ms);
    timer.SetEnabled(false);
    application.SetErrorReporter(nullptr);
    EXPECT_GE(reports, 1);
    EXPECT_EQ(deepest, 1);
}

TEST(Captions, EveryCaptionIsFoundByItsKeyAndMenuChangesRebuildOnce) {
    TestForm form;
    ui::Label label;
    label.Create(form, {.bounds = {8, 8, 100, 13}, .caption = L"Max Clip Count :", .key = L"[property]MaxClipCount"});
    ui::MainMenu menu;
    ui::MenuItem& file = menu.Add(L"&File");
    file.SetCaptionKey(L"[MenuBar]File");
    ui::MenuItem& quit = file.Add(L"&Quit");
    quit.SetCaptionKey(L"[MenuBar]Quit");
    form.SetMenu(menu);
    ui::PopupMenu tray;
    tray.Add(L"&Property").SetCaptionKey(L"[MenuBar]Property");
    form.AddCaptionMenu(tray);

    ASSERT_NE(form.FindCaption(L"[property]MaxClipCount"), nullptr);
    form.FindCaption(L"[property]MaxClipCount")->SetCaption(L"Höchstzahl :");
    EXPECT_EQ(label.Text(), L"Höchstzahl :");
    EXPECT_EQ(form.FindCaption(L"[MenuBar]Property")->Caption(), L"&Property");
    EXPECT_EQ(form.FindCaption(L"[Nowhere]Key"), nullptr);

    const int builds = menu.Builds();
    {
        const ui::MenuUpdate batch(menu);
        form.FindCaption(L"[MenuBar]File")->SetCaption(L"&Datei");
        form.FindCaption(L"[MenuBar]Quit")->SetCaption(L"&Beenden");
    }
    EXPECT_EQ(menu.Builds(), builds + 1);
    wchar_t text[32] = {};
    GetMenuStringW(GetMenu(form.Handle()), 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Datei");
}

TEST(Geometry, ASpinEditMovesShowsAndHidesWithItsArrowsThroughTheBase) {
    TestForm form;
    ui::SpinEdit spin;
    spin.Create(form, {.bounds = {8, 8, 57, 22}, .minValue = 1, .maxValue = 50, .value = 3});
    const HWND arrows = spin.UpDownHandle();
    ui::Window& base = spin;
    base.SetPixelBounds({100, 60, 80, 22});
    RECT edit{};
    RECT arrow{};
    GetWindowRect(spin.Handle(), &edit);
    GetWindowRect(arrows, &arrow);
    EXPECT_EQ(arrow.top, edit.top);
    EXPECT_NEAR(arrow.left, edit.right, 2) << "the arrows sit at the edit's right";
    base.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(arrows));
    base.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(arrows));
}

}  // namespace

namespace {

TEST(Fonts, AFontThatCouldNotBeMadeKeepsTheFormsFont) {
    TestForm form;
    const HFONT before = form.FormFont();
    ASSERT_NE(before, nullptr);
    form.SetFormFont(platform::FontHandle{});
    EXPECT_EQ(form.FormFont(), before);
}

// The first load fails with the case's error: ERROR_INVALID_PARAMETER is how
// Windows 7 without KB2533623 refuses LOAD_LIBRARY_SEARCH_SYSTEM32.
DWORD firstLoadError = 0;
int firstLoads = 0;
HMODULE WINAPI FailingFirstLoad(const wchar_t*, HANDLE, DWORD flags) {
    ++firstLoads;
    EXPECT_NE(flags & LOAD_LIBRARY_SEARCH_SYSTEM32, 0u);
    SetLastError(firstLoadError);
    return nullptr;
}

TEST(SystemLibraries, AreFoundWhereTheSearchFlagIsRefusedAndComctl32IsTheManifestsVersion6) {
    struct RestoreLoader {
        platform::LoadLibraryExFunction original = platform::ReplaceSystemLibraryLoader(&FailingFirstLoad);
        ~RestoreLoader() { platform::ReplaceSystemLibraryLoader(original); }
    } restore;
    const struct {
        const wchar_t* dll;
        const char* function;
        DWORD error;
        bool found;
    } cases[] = {
        {L"comctl32.dll", "SetWindowSubclass", ERROR_INVALID_PARAMETER, true},
        {L"comdlg32.dll", "ChooseColorW", ERROR_INVALID_PARAMETER, true},
        {L"winspool.drv", "EnumPrintersA", ERROR_INVALID_PARAMETER, true},
        {L"comdlg32.dll", "ChooseColorW", ERROR_MOD_NOT_FOUND, false},  // any other failure is final
    };
    for (const auto& c : cases) {
        firstLoadError = c.error;
        firstLoads = 0;
        const HMODULE module = platform::LoadSystemLibrary(c.dll);
        EXPECT_EQ(firstLoads, 1) << c.function;
        ASSERT_EQ(module != nullptr, c.found) << c.function;
        if (module) {
            EXPECT_NE(GetProcAddress(module, c.function), nullptr) << c.function;
        }
    }
    // comctl32 is loaded in this process already, so which one a first load
    // takes is seen in a process that has none. Its exit code: 1 no module,
    // 2 no function, 3 not the manifest's version 6, 4 loaded before.
    std::wstring probe(MAX_PATH, L'\0');
    probe.resize(GetModuleFileNameW(nullptr, probe.data(), MAX_PATH));
    probe.replace(probe.find_last_of(L'\\') + 1, std::wstring::npos, L"velmor_loader_probe.exe");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(probe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
