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

class TversionDialog : public ui::Form {
public:
    // mainWindow is disabled while the box shows and is what it is centred over.
    explicit TversionDialog(ui::Form& mainWindow);

    ui::PaintBox PaintBox1;
    ui::Label LMaker;
    ui::Label LLink;
    ui::Button BOk;
    ui::PaintBox Image1;

    void FormShow();
    void FormClose(ui::CloseAction& action);
    void Label1Click();
    void StartAnimation();

    // Null until the box is first shown.
    TAnimation* Animation() const noexcept { return animation_.get(); }
    // Opens the web page in place of ShellExecuteA (tests); empty restores it.
    static void SetWebPageOpener(std::function<void(const char* address)> opener);

protected:
    void BeforeDestruction() override;

private:
    void FormCreate();
    void LoadLogo();

    ui::Form& mainWindow_;
    std::unique_ptr<TAnimation> animation_;
    std::vector<std::uint8_t> logo_;  // 24-bit rows of the logo picture
    ConstPixelRows logoRows_;
};

}  // namespace about
