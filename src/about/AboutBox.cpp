#include "about/AboutBox.h"

#include <shellapi.h>

#include "platform/Handles.h"
#include "platform/OutsideNames.h"
#include "platform/Text.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

namespace about {

namespace {

constexpr int kClientWidth = 262;
constexpr int kClientHeight = 186;
constexpr int kLogoWidth = 88;
constexpr int kLogoHeight = 31;

std::function<void(const char*)>& Opener() {
    static std::function<void(const char*)> opener;
    return opener;
}

std::function<void()>& Beeper() {
    static std::function<void()> beeper;
    return beeper;
}

}  // namespace

AboutBox::AboutBox(ui::Form& mainWindow) : mainWindow_(mainWindow) {
    static const platform::WindowClass windowClass(
        FormClass(platform::kAboutBoxClass, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    CreateForm(windowClass, {.caption = L"Version",
                .bounds = {CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth, kClientHeight},
                .border = ui::BorderStyle::Dialog,
                .minimizeBox = false,
                .maximizeBox = false,
                .stayOnTop = true,
                .dialogKeys = true});
    SetClientSize(ui::Scale(kClientWidth), ui::Scale(kClientHeight));
    FinishCreation();

    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    AnimationBox.Create(*this, {.bounds = {14, 24, 233, 89}});
    AnimationBox.SetCursor(hand);
    AnimationBox.OnPaint = [this](ui::PaintBox&, HDC dc, const RECT& area) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        if (animation_) animation_->PaintTo(dc);
    };
    MakerLabel.Create(*this, {.bounds = {99, 120, 65, 12}, .caption = L"- Brimvale -"});
    LinkLabel.Create(*this, {.bounds = {49, 136, 164, 12}, .caption = platform::AnsiToWide(kMakerWebPage)});
    for (ui::Label* label : {&MakerLabel, &LinkLabel}) {
        label->SetFontColor(ui::Rgb(255, 255, 255));
        label->SetColor(ui::Rgb(0, 0, 0));
        label->SetCursor(hand);
    }
    OkButton.Create(*this, {.bounds = {93, 152, 75, 25}, .caption = L"&Ok"});
    // Below the visible client area: the source of the logo, never seen in place.
    LogoImage.Create(*this, {.bounds = {6, 224, kLogoWidth, kLogoHeight}});
    LoadLogo();
    LogoImage.OnPaint = [this](ui::PaintBox&, HDC dc, const RECT&) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, kLogoWidth, -kLogoHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(dc, 0, 0, kLogoWidth, kLogoHeight, 0, 0, 0, kLogoHeight, logo_.data(), &info, DIB_RGB_COLORS);
    };

    const auto click = [this] { OpenWebPage(); };
    AnimationBox.OnClick = [click](ui::PaintBox&) { click(); };
    LogoImage.OnClick = [click](ui::PaintBox&) { click(); };
    MakerLabel.OnClick = [click](ui::Label&) { click(); };
    LinkLabel.OnClick = [click](ui::Label&) { click(); };
    OkButton.OnClick = [this](ui::Button&) { Close(); };
    OnShow = [this](ui::Form&) { OnShown(); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { OnClosing(action); };
}

void AboutBox::FinishCreation() { SetFormFont(ui::CreateMenuFont()); }

void AboutBox::LoadLogo() {
    // The 256-colour picture in the resources, as the 24-bit rows the frames are stamped from.
    const int stride = (kLogoWidth * 3 + 3) & ~3;
    logo_.assign(static_cast<std::size_t>(stride * kLogoHeight), 0);
    logoRows_ = {logo_.data(), kLogoWidth, kLogoHeight, stride};
    const platform::BitmapHandle picture(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), L"LOGO", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!picture) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, kLogoWidth, -kLogoHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const platform::WindowDC screen(nullptr);
    GetDIBits(screen.Get(), picture.get(), 0, kLogoHeight, logo_.data(), &info, DIB_RGB_COLORS);
}

void AboutBox::OnShown() {
    // Centred over the main window.
    const ui::Bounds main = mainWindow_.PixelBounds();
    const ui::Bounds self = PixelBounds();
    SetPosition(main.left + (main.width - self.width) / 2, main.top + (main.height - self.height) / 2);
    mainWindow_.SetEnabled(false);
    try {
        StartAnimation();
    } catch (...) {
        // No box without its worker; above all, the main window must not
        // stay disabled behind a box that never showed.
        Hide();
        mainWindow_.SetEnabled(true);
        throw;
    }
}

void AboutBox::StartAnimation() {
    if (!animation_) {
        if (Beeper()) Beeper()();
        else MessageBeep(0);
        animation_ = AnimationFactory ? AnimationFactory(AnimationBox, logoRows_)
                                      : std::make_unique<Animation>(AnimationBox, logoRows_);
        animation_->SetPriority(THREAD_PRIORITY_LOWEST);
    }
    if (animation_->Paused()) animation_->ResumeFromBlack();
}

void AboutBox::OnClosing(ui::CloseAction&) {
    if (animation_ && !animation_->Paused()) animation_->Pause();
    mainWindow_.SetEnabled(true);
}

void AboutBox::OpenWebPage() {
    if (Opener()) {
        Opener()(kMakerWebPage);
        return;
    }
    ShellExecuteA(Handle(), "OPEN", kMakerWebPage, "", "", SW_SHOW);
}

void AboutBox::SetWebPageOpener(std::function<void(const char* address)> opener) { Opener() = std::move(opener); }

void AboutBox::SetBeeper(std::function<void()> beeper) { Beeper() = std::move(beeper); }

void AboutBox::BeforeDestruction() {
    // The worker ends before the paint box and the bitmap it draws on.
    animation_.reset();
}

}  // namespace about
