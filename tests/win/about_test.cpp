// The About box with its animation worker, in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "about/AboutBox.h"
#include "app/Controller.h"
#include "platform/Error.h"
#include "platform/Module.h"
#include "settings/PropertyFile.h"
#include "ui/Application.h"

using namespace std::chrono_literals;
using testsupport::PumpUntil;

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(settings::PropertyFilePath().c_str());
        velmor = std::make_unique<app::Controller>();
        dialog = std::make_unique<about::AboutBox>(velmor->Window());
        velmor->SetAboutBox(dialog.get());
        about::AboutBox::SetWebPageOpener([this](const char* address) { opened.push_back(address); });
        about::AboutBox::SetBeeper([this] { ++beeps; });
    }
    void TearDown() override {
        about::AboutBox::SetWebPageOpener(nullptr);
        about::AboutBox::SetBeeper(nullptr);
        dialog.reset();
        velmor.reset();
    }
    // Waits for frames drawn after this moment.
    bool Frames(int count) {
        const int start = dialog->Worker() ? dialog->Worker()->Frames() : 0;
        return PumpUntil([&] { return dialog->Worker() && dialog->Worker()->Frames() >= start + count; }, 5s);
    }
    // The mean of the canvas's bytes: 0 is black, 255 white.
    double Brightness() {
        const about::PixelRows canvas = dialog->Worker()->Canvas();
        double sum = 0;
        for (int y = 0; y < canvas.height; ++y) {
            const std::uint8_t* row = canvas.bits + static_cast<std::ptrdiff_t>(y) * canvas.stride;
            sum = std::accumulate(row, row + canvas.width * 3, sum);
        }
        return sum / (canvas.width * 3.0 * canvas.height);
    }

    std::unique_ptr<app::Controller> velmor;
    std::unique_ptr<about::AboutBox> dialog;
    std::vector<std::string> opened;
    int beeps = 0;
};

RECT InParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(AboutBoxTest, ShowsAnimatesAndStartsAgainFromBlackWithTheWalkersWhereTheyStopped) {
    velmor->Window().Show();
    velmor->ShowAboutBox();
    EXPECT_TRUE(dialog->Visible());
    EXPECT_FALSE(velmor->Window().Enabled()) << "the main window waits while the box shows";
    EXPECT_EQ(dialog->Text(), L"Version");
    RECT client{};
    GetClientRect(dialog->Handle(), &client);
    EXPECT_EQ(client.right, 262);
    EXPECT_EQ(client.bottom, 186);
    ASSERT_TRUE(Frames(20));
    EXPECT_EQ(dialog->Worker()->Canvas().width, 233);

    dialog->Close();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(velmor->Window().Enabled());
    testsupport::PumpFor(100ms);
    const int frames = dialog->Worker()->Frames();
    testsupport::PumpFor(200ms);
    EXPECT_EQ(dialog->Worker()->Frames(), frames) << "paused while closed";
    const about::Walker walker = dialog->Worker()->State().walkers[7];
    const about::PixelRows canvas = dialog->Worker()->Canvas();
    std::fill(canvas.bits, canvas.bits + canvas.stride * canvas.height, std::uint8_t{255});

    velmor->ShowAboutBox();
    ASSERT_TRUE(Frames(1));
    EXPECT_LT(Brightness(), 128) << "cleared to black again";
    const about::Walker& now = dialog->Worker()->State().walkers[7];
    EXPECT_EQ(now.color, walker.color);
    EXPECT_LT(std::abs(static_cast<double>(now.x - walker.x)) + std::abs(static_cast<double>(now.y - walker.y)), 20)
        << "walkers go on from where they were";
    dialog->Close();
}

TEST_F(AboutBoxTest, TakesTheVersionCaptionAndOpensThePageFromAnythingButOk) {
    const std::wstring language = platform::ExeFolder() + L"A.lng";
    std::ofstream(std::filesystem::path(language), std::ios::binary) << "\xEF\xBB\xBF" "A\r\n[All]Version=\xC3\x9C" "ber Velmor\r\n";
    velmor->ApplyLanguageFile(language);
    DeleteFileW(language.c_str());
    velmor->ShowAboutBox();
    EXPECT_EQ(dialog->Text(), L"Über Velmor");
    dialog->OpenWebPage();
    SendMessageW(dialog->MakerLabel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(dialog->MakerLabel.Handle(), WM_LBUTTONUP, 0, 0);
    SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(dialog->LinkLabel.Id(), STN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog->LinkLabel.Handle()));
    EXPECT_EQ(opened, std::vector<std::string>(3, about::kMakerWebPage));
    dialog->OkButton.Click();
    EXPECT_EQ(opened.size(), 3u) << "Ok only closes";
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(AboutBoxTest, LooksAsBuiltOnTopCentredOverTheMainWindowAndBeepsOnlyTheFirstTime) {
    velmor->Window().Show();
    velmor->ShowAboutBox();
    const HWND box = dialog->Handle();
    enum Look { kPlain, kHand, kLink };  // a link: hand cursor, white text on black, sized to its text
    struct Part {
        const char* name;
        const ui::Window& control;
        RECT rect;
        Look look;
    };
    for (const Part& part : {Part{"animation", dialog->AnimationBox, {14, 24, 247, 113}, kHand},
                             Part{"maker", dialog->MakerLabel, {99, 120}, kLink},
                             Part{"link", dialog->LinkLabel, {49, 136}, kLink},
                             Part{"ok", dialog->OkButton, {93, 152, 168, 177}, kPlain},
                             Part{"logo", dialog->LogoImage, {6, 224, 94, 255}, kPlain}}) {
        RECT rect = InParent(part.control.Handle());
        if (part.look == kLink) {
            rect.right = rect.bottom = 0;
            const RECT shown = InParent(part.control.Handle());
            EXPECT_GE(shown.right - shown.left, dynamic_cast<const ui::Control&>(part.control).CaptionSize().cx) << part.name;
        }
        EXPECT_TRUE(EqualRect(&rect, &part.rect)) << part.name << " at " << rect.left << "," << rect.top << " to "
                                                  << rect.right << "," << rect.bottom;
        if (part.look == kPlain) continue;
        SetCursor(nullptr);
        SendMessageW(part.control.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(part.control.Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND)) << part.name;
        if (part.look != kLink) continue;
        const HDC dc = GetDC(part.control.Handle());
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(part.control.Handle())));
        LOGBRUSH fill{};
        GetObjectW(brush, sizeof fill, &fill);
        EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255)) << part.name;
        EXPECT_EQ(fill.lbColor, RGB(0, 0, 0)) << part.name;
        ReleaseDC(part.control.Handle(), dc);
    }
    EXPECT_EQ(GetClassLongPtrW(box, GCLP_HBRBACKGROUND), reinterpret_cast<LONG_PTR>(GetStockObject(BLACK_BRUSH)));
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT main{}, self{};
    GetWindowRect(velmor->Window().Handle(), &main);
    GetWindowRect(box, &self);
    EXPECT_LE(std::abs((main.left + main.right) - (self.left + self.right)), 1);
    EXPECT_LE(std::abs((main.top + main.bottom) - (self.top + self.bottom)), 1);
    ASSERT_NE(dialog->Worker(), nullptr);
    EXPECT_EQ(dialog->Worker()->Priority(), THREAD_PRIORITY_LOWEST);
    dialog->Close();
    velmor->ShowAboutBox();
    EXPECT_EQ(beeps, 1) << "the second showing is silent";
    dialog->Close();
}

// The worker or its events cannot be made: the error is reported, and the
// main window (visible in window mode, with no tray icon) is usable again.
TEST_F(AboutBoxTest, AWorkerThatCannotBeMadeLeavesTheMainWindowEnabled) {
    dialog->AnimationFactory = [](ui::PaintBox&, about::ConstPixelRows) -> std::unique_ptr<about::Animation> {
        throw platform::OutOfResources(L"Cannot create a thread");
    };
    velmor->ShowFromTray();
    std::vector<std::wstring> reported;
    ui::Application::Get().SetErrorReporter([&](const std::wstring& message) { reported.push_back(message); });
    SendMessageW(velmor->Window().Handle(), WM_COMMAND, MAKEWPARAM(velmor->Window().VersionItem->Command(), 0), 0);  // Help, "&Version"
    ui::Application::Get().SetErrorReporter(nullptr);
    EXPECT_EQ(reported, std::vector<std::wstring>(1, L"Cannot create a thread"));
    EXPECT_TRUE(velmor->Window().Enabled());
    EXPECT_FALSE(dialog->Visible());
}

}  // namespace
