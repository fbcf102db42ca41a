#pragma once
// The main window: the settings window that lives hidden behind the tray
// icon, owner of the clipboard watcher and of every clip window.
#include <cstdint>
#include <memory>

#include "app/LocalisedTexts.h"
#include "clipboard/VxClipDetector.h"
#include "ui/Form.h"

namespace app {

class TVelmor : public ui::Form {
public:
    // Creates the window hidden and runs FormCreate; an error in it propagates.
    TVelmor();
    ~TVelmor() override;

    const LocalisedTexts& Texts() const noexcept { return texts_; }
    clipboard::TVxClipDetector* ClipDetector() noexcept { return clipDetector_.get(); }
    std::int32_t ClipCounter() const noexcept { return clipCounter_; }

    void ClipboardChanged(clipboard::TVxClipDetector& sender);
    void GoToTray();

private:
    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormClose(ui::CloseAction& action);

    std::uint32_t lastChangeTime_ = 0;
    std::int32_t clipCounter_ = 0;
    LocalisedTexts texts_;
    std::unique_ptr<clipboard::TVxClipDetector> clipDetector_;
};

}  // namespace app
