#pragma once
// The About box: a black dialog with the animated panel, the maker's label,
// the link to the maker's web page and "&Ok". It is made at start, hidden,
// and shown without being modal; the main window is disabled meanwhile.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "about/Animation.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/PaintBox.h"

namespace about {

// The maker's web page, shown by the link label and opened by a click.
inline constexpr char kMakerWebPage[] = "https://brimvale.example/velmor";

class AboutBox : public ui::Form {
public:
    // mainWindow is disabled while the box shows and is what it is centred over.
    explicit AboutBox(ui::Form& mainWindow);

    ui::PaintBox AnimationBox;
    ui::Label MakerLabel;
    ui::Label LinkLabel;
    ui::Button OkButton;
    ui::PaintBox LogoImage;

    void OnShown();
    void OnClosing(ui::CloseAction& action);
    void OpenWebPage();
    void StartAnimation();

    // Makes the worker in place of the default (tests make it fail); empty: the default.
    std::function<std::unique_ptr<Animation>(ui::PaintBox& paintBox, ConstPixelRows logo)> AnimationFactory;

    // Null until the box is first shown.
    Animation* Worker() const noexcept { return animation_.get(); }
    // Opens the web page in place of ShellExecuteA (tests); empty restores it.
    static void SetWebPageOpener(std::function<void(const char* address)> opener);
    // Sounds the first showing's beep in place of MessageBeep (tests); empty restores it.
    static void SetBeeper(std::function<void()> beeper);

protected:
    void BeforeDestruction() override;

private:
    void FinishCreation();
    void LoadLogo();

    ui::Form& mainWindow_;
    std::unique_ptr<Animation> animation_;
    std::vector<std::uint8_t> logo_;  // 24-bit rows of the logo picture
    ConstPixelRows logoRows_;
};

}  // namespace about
