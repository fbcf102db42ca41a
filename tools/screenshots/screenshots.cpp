// Pictures for the documentation, made by scripts/screenshots.sh into the
// folder VELMOR_SCREENSHOTS names: the real program from outside (settings
// pages, About box, clips), and the controls and the colour picker on forms
// of this program. Not tests: nothing here checks the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "TestForm.h"
#include "VelmorProcess.h"
#include "WinTestSupport.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Dpi.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/Graphics.h"
#include "ui/OwnerDrawCombo.h"
#include "ui/PageControl.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/SpinEdit.h"
#include "widgets/ColorComboBox.h"

using namespace std::chrono_literals;

namespace {

// The pictures go into the folder VELMOR_SCREENSHOTS names. Those without
// text of the system's code page are made on the English system only.
class Screenshots : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t named[MAX_PATH] = {};
        if (!GetEnvironmentVariableW(L"VELMOR_SCREENSHOTS", named, MAX_PATH)) {
            GTEST_FAIL() << "VELMOR_SCREENSHOTS names no folder";
        }
        folder = named;
    }
    static bool JapaneseSystem() { return GetACP() == 932; }
    std::wstring folder;
};

// What the screen shows of an area, or of a window, as a 24-bit BMP file.
bool SaveScreenImage(const RECT& rect, const std::wstring& path) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(stride * height);
    bool saved = false;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        saved = WriteFile(file, &header, sizeof header, &written, nullptr) &&
                WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
                WriteFile(file, bits, static_cast<DWORD>(stride * height), &written, nullptr);
        CloseHandle(file);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

bool SaveWindowImage(HWND window, const std::wstring& path) {
    RECT rect{};
    return GetWindowRect(window, &rect) && SaveScreenImage(rect, path);
}

// Has windows (of any process) and their controls paint now, then gives the
// picture time to reach the screen: on a busy machine a fixed wait alone
// caught controls not yet drawn.
void Settle(std::initializer_list<HWND> windows) {
    for (HWND window : windows) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    testsupport::PumpFor(500ms);
}

// The program under a busy machine may take longer than a test allows.
constexpr auto kStartTimeout = 60s;

// Each page, in English and German, or in Japanese on a Japanese system.
TEST_F(Screenshots, SettingsPages) {
    const wchar_t* pages[] = {L"property", L"cliptext", L"clipwindow", L"other"};
    const std::vector<std::pair<std::wstring, std::string>> languages =
        JapaneseSystem() ? std::vector<std::pair<std::wstring, std::string>>{{L"-ja", "lang/Japanese.lng"}}
                         : std::vector<std::pair<std::wstring, std::string>>{{L"", ""}, {L"-de", "lang/Deutsch.lng"}};
    for (const auto& [suffix, file] : languages) {
        for (int page = 0; page < 4; ++page) {
            e2e::VelmorProcess velmor;
            ASSERT_TRUE(velmor.PutFile(L"property.ini", "[Main]\r\nActivePage=" + std::to_string(page) +
                                                            "\r\nLeft=40\r\nTop=40\r\n"));
            if (!file.empty()) {
                ASSERT_TRUE(velmor.PutFile(L"Default.lng", testsupport::SourceFile(file)));
            }
            ASSERT_TRUE(velmor.Start(kStartTimeout));
            ASSERT_TRUE(velmor.ShowSettings());
            Settle({velmor.MainWindow()});
            EXPECT_TRUE(SaveWindowImage(velmor.MainWindow(), folder + L"\\settings-" + pages[page] + suffix + L".bmp"));
        }
    }
}

TEST_F(Screenshots, AboutBox) {
    if (JapaneseSystem()) GTEST_SKIP();
    e2e::VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"property.ini", "[Main]\r\nLeft=40\r\nTop=40\r\n"));
    ASSERT_TRUE(velmor.Start(kStartTimeout));
    ASSERT_TRUE(velmor.ShowSettings());
    const HWND about = velmor.ShowAbout();
    ASSERT_NE(about, nullptr);
    testsupport::PumpFor(2000ms);  // let the walkers leave their trails
    Settle({about});
    EXPECT_TRUE(SaveWindowImage(about, folder + L"\\about.bmp"));
}

// Three clips: one pinned, one ordinary, one fading as it counts down. Xvfb
// has no compositor, so the fading clip's alpha is written beside the
// picture for the script to apply.
TEST_F(Screenshots, Clips) {
    if (JapaneseSystem()) GTEST_SKIP();
    e2e::VelmorProcess velmor;
    ASSERT_TRUE(velmor.PutFile(L"property.ini",
                               "[property]\r\nCloseClipTimer=1\r\nHideGradually=1\r\nCountDown=12\r\n"));
    ASSERT_TRUE(velmor.Start(kStartTimeout));
    const auto copyAt = [&](int x, int y, const wchar_t* text) -> HWND {
        SetCursorPos(x, y);
        const std::set<HWND> shown = e2e::VisibleWindowsOf(velmor.Pid(), e2e::kClipWindowClass);
        testsupport::SetClipboardText(text);
        HWND clip = nullptr;
        testsupport::PumpUntil(
            [&] {
                for (HWND window : e2e::VisibleWindowsOf(velmor.Pid(), e2e::kClipWindowClass)) {
                    if (!shown.contains(window)) clip = window;
                }
                return clip != nullptr;
            },
            3s);
        // Without a window manager, Wine sometimes gives a program the pointer's
        // place from before another program moved it; the picture wants the clip here.
        if (clip) SetWindowPos(clip, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return clip;
    };
    const HWND fading = copyAt(400, 300, L"This clip fades out\r\nas it counts down.");
    ASSERT_NE(fading, nullptr);
    testsupport::PumpFor(6500ms);
    const HWND pinned = copyAt(400, 100, L"A pinned clip keeps\r\nits own colours.");
    ASSERT_NE(pinned, nullptr);
    PostMessageW(pinned, WM_NCRBUTTONDOWN, HTCAPTION, 0);
    HWND menu = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] { return (menu = velmor.ShownMenu()) != nullptr; }, 3s));
    PostMessageW(menu, WM_CHAR, L'd', 0);
    const HWND ordinary = copyAt(400, 200, L"An ordinary clip, copied\r\na moment ago.");
    ASSERT_NE(ordinary, nullptr);
    testsupport::PumpFor(700ms);
    Settle({fading, pinned, ordinary});
    BYTE alpha = 255;
    GetLayeredWindowAttributes(fading, nullptr, &alpha, nullptr);
    RECT rect{};
    GetWindowRect(fading, &rect);
    const RECT area{380, 80, 640, 400};
    EXPECT_TRUE(SaveScreenImage(area, folder + L"\\clips.bmp"));
    std::ofstream(std::filesystem::path(folder + L"\\clips-fading.txt")) << rect.right - rect.left << "x" << rect.bottom - rect.top << "+"
                                                  << rect.left - area.left << "+" << rect.top - area.top << " "
                                                  << static_cast<int>(alpha) << "\n";
}

// The toolkit's controls together, as the settings pages use them.
TEST_F(Screenshots, Controls) {
    if (JapaneseSystem()) GTEST_SKIP();
    testsupport::TestForm form(288, 363);
    ui::Panel strip;
    strip.Create(form, {.bounds = {0, 0, 100, 41}});
    strip.AlignBottom(41);
    ui::Button tray;
    tray.Create(strip, {.bounds = {191, 8, 83, 25}, .caption = L"Task Tray"});
    ui::PageControl pages;
    const SIZE client = form.ClientSize();
    pages.Create(form, {.bounds = {0, 0, 280, 260}});
    pages.SetPixelBounds({0, 0, client.cx, client.cy - ui::Scale(41)});
    ui::TabSheet& property = pages.AddPage(L"Property");
    pages.AddPage(L"ClipText");
    pages.AddPage(L"Clip Window");
    pages.AddPage(L"Other");

    ui::Label historyLabel;
    historyLabel.Create(property, {.bounds = {8, 12, 120, 13}, .caption = L"Max Clip Count :", .alignRight = true});
    ui::SpinEdit history;
    history.Create(property, {.bounds = {136, 8, 57, 22}, .minValue = 1, .maxValue = 50, .value = 3});
    ui::Label widthLabel;
    widthLabel.Create(property, {.bounds = {8, 40, 120, 13}, .caption = L"width :", .alignRight = true});
    ui::SpinEdit width;
    width.Create(property, {.bounds = {136, 36, 57, 22}, .value = 200});
    ui::GroupBox scrollBars;
    scrollBars.Create(property, {.bounds = {8, 70, 121, 73}, .caption = L"ScrollBar"});
    ui::RadioButton vertical;
    vertical.Create(property, {.bounds = scrollBars.ChildBounds({8, 20, 105, 17}), .caption = L"Vertical", .groupStart = true, .checked = true});
    ui::RadioButton none;
    none.Create(property, {.bounds = scrollBars.ChildBounds({8, 44, 105, 17}), .caption = L"None"});
    ui::ComboBox format;
    format.Create(property, {.bounds = {136, 80, 120, 21}});
    format.AddItem(L"hh:mm ss");
    format.AddItem(L"hh:mm");
    format.SetText(L"hh:mm ss");
    ui::ComboBox charset;
    charset.Create(property, {.bounds = {136, 110, 120, 21}, .style = ui::ComboStyle::DropDownList});
    charset.AddItem(L"ANSI_CHARSET");
    charset.SetItemIndex(0);
    ui::OwnerDrawCombo colours;
    colours.Create(property, {.bounds = {8, 160, 121, 25}, .itemHeight = 19});
    colours.AddItem(L"Black");
    colours.SetItemIndex(0);
    ui::PaintBox box;
    box.Create(property, {.bounds = {136, 150, 120, 40}});
    box.OnPaint = [](ui::PaintBox&, HDC dc, const RECT& area) {
        DrawEdge(dc, const_cast<RECT*>(&area), EDGE_SUNKEN, BF_RECT);
        TextOutW(dc, 6, 6, L"PaintBox", 8);
    };

    // As the program does: the font reaches every control once they all exist.
    form.SetFormFont(ui::CreateMenuFont());
    form.SetPosition(40, 40);
    form.Show();
    UpdateWindow(form.Handle());
    Settle({form.Handle()});
    EXPECT_TRUE(SaveWindowImage(form.Handle(), folder + L"\\controls.bmp"));
}

// Two colour pickers, one with its list dropped down.
TEST_F(Screenshots, ColourPicker) {
    if (JapaneseSystem()) GTEST_SKIP();
    testsupport::TestForm form(320, 420);
    form.SetPosition(40, 40);
    widgets::ColorComboBox picker;
    picker.Create(form, {.bounds = {8, 8, 121, 25}});
    picker.SetJapaneseText(false);
    picker.SetShowSysColor(true);
    picker.SetShowExtraColor(true);
    picker.SetDropDownCount(15);
    picker.SetValue(ui::Rgb(0xFF, 0, 0xFF));
    widgets::ColorComboBox japanese;
    japanese.Create(form, {.bounds = {150, 8, 140, 25}});
    japanese.SetShowDefaultColor(true);
    japanese.SetShowSysColor(true);
    japanese.SetHintIsOtherLanguage(true);
    japanese.SetValue(ui::Rgb(0x12, 0x34, 0x56));
    form.Show();
    SetForegroundWindow(form.Handle());
    SendMessageW(picker.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    testsupport::PumpFor(300ms);
    RECT area{};
    RECT list{};
    GetWindowRect(form.Handle(), &area);
    SendMessageW(picker.Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
    UnionRect(&area, &area, &list);
    EXPECT_TRUE(SaveScreenImage(area, folder + L"\\colour-picker.bmp"));
    SendMessageW(picker.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace
