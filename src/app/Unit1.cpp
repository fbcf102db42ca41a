#include "app/Unit1.h"

#include "ui/Application.h"
#include "ui/Graphics.h"

namespace app {

namespace {
constexpr int kDesignWidth = 288;
constexpr int kDesignHeight = 363;
}  // namespace

TVelmor::TVelmor() {
    ui::FormOptions options;
    options.className = L"TVelmor";
    options.caption = L"Velmor";
    options.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, kDesignWidth, kDesignHeight};
    options.border = ui::BorderStyle::Sizeable;
    options.maximizeBox = false;
    options.stayOnTop = true;
    options.minWidth = kDesignWidth;
    options.minHeight = kDesignHeight;
    options.dialogKeys = true;
    CreateForm(options);
    OnCloseQuery = [this](ui::Form&, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](ui::Form&, ui::CloseAction& action) { FormClose(action); };
    FormCreate();
}

TVelmor::~TVelmor() {
    // Leave the viewer chain before the window goes.
    clipDetector_.reset();
}

void TVelmor::FormCreate() {
    lastChangeTime_ = 0;
    texts_ = LocalisedTexts{};
    SetFormFont(ui::CreateMenuFont());
    clipCounter_ = 0;
    // TODO(settings file): LoadSettings goes here, before the watcher joins the chain.
    clipDetector_ = std::make_unique<clipboard::TVxClipDetector>();
    clipDetector_->SetOnClipChange([this](clipboard::TVxClipDetector& sender) { ClipboardChanged(sender); });
    // TODO(language files): ListLanguageFiles, then the chosen file or Default.lng.
    ui::Application::Get().SetTitle(texts_.titleText);
    GoToTray();
}

void TVelmor::ClipboardChanged(clipboard::TVxClipDetector&) {
    // TODO(clip manager): read the clipboard text and make the clip window.
}

void TVelmor::GoToTray() {
    // TODO(tray): AddTrayIcon before hiding.
    Hide();
}

void TVelmor::FormCloseQuery(bool& canClose) { canClose = true; }

void TVelmor::FormClose(ui::CloseAction&) {
    // TODO(settings file): SaveSettings.
}

}  // namespace app
