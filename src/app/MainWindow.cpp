#include "app/MainWindow.h"

#include "platform/OutsideNames.h"
#include "ui/Application.h"
#include "ui/Dpi.h"

namespace app {

namespace {

// The strip along the bottom that holds "Task Tray".
constexpr int kStripHeight = 41;

}  // namespace

MainWindow::MainWindow(Host& host) : host_(host) {
    static const platform::WindowClass windowClass(FormClass(platform::kMainWindowClass));
    CreateForm(windowClass, {.caption = L"Velmor",
                             .bounds = {CW_USEDEFAULT, CW_USEDEFAULT, kDesignWidth, kDesignHeight},
                             .border = ui::BorderStyle::Sizeable,
                             .maximizeBox = false,
                             .stayOnTop = true,
                             .minWidth = kDesignWidth,
                             .minHeight = kDesignHeight,
                             .dialogKeys = true});
    CreateMenus();
    OnClose = [this](ui::Form&, ui::CloseAction&) { host_.OnClosing(); };
}

void MainWindow::BuildPages() {
    Pages.Create(*this);
    BottomPanel.Create(*this, {.bounds = {0, 268, 280, kStripHeight}});
    BottomPanel.AlignBottom(kStripHeight);
    TaskTrayButton.Create(BottomPanel, {.bounds = {191, 8, 83, 25}, .caption = L"Task Tray", .key = L"[Button]TaskTray"});
    TaskTrayButton.OnClick = [this](ui::Button&) { host_.Run(Command::HideToTray); };
    Pages.LanguageList.OnDblClick = [this](ui::ListBox&) { host_.Run(Command::ApplyChosenLanguage); };
    Pages.ReloadButton.OnClick = [this](ui::Button&) { host_.Run(Command::ReloadLanguages); };
    Pages.PutFileButton.OnClick = [this](ui::Button&) { host_.Run(Command::PutLanguageFile); };
    // The button keeps to the strip's right edge.
    BottomPanel.OnResize = [this](ui::Panel& strip) {
        const SIZE size = strip.ClientSize();
        const ui::Bounds button = TaskTrayButton.PixelBounds();
        TaskTrayButton.SetPixelBounds({size.cx - ui::Scale(6) - button.width, button.top, button.width, button.height});
    };
    OnResize = [this](ui::Form&) {
        const SIZE client = ClientSize();
        Pages.Fit(client.cx, client.cy, ui::Scale(kStripHeight));
    };
    OnResize(*this);
}

void MainWindow::CreateMenus() {
    // An item with its caption key and its command.
    const auto add = [this](ui::MenuItem& parent, const wchar_t* caption, const wchar_t* key,
                            std::optional<Command> command, ui::ShortCut shortCut = {}) -> ui::MenuItem* {
        ui::MenuItem& item = parent.Add(caption, shortCut);
        item.SetCaptionKey(key);
        if (command) item.OnClick = [this, run = *command](ui::MenuItem&) { host_.Run(run); };
        return &item;
    };
    FileMenu = add(MenuBar.Items(), L"&File", L"[MenuBar]File", std::nullopt);
    CloseAllClipsItem = add(*FileMenu, L"&Close All Clips", L"[MenuBar]CloseAllClips", Command::CloseAllClips);
    TaskTrayItem = add(*FileMenu, L"&Task Tray", L"[MenuBar]TaskTray", Command::GoToTray);
    SuspendItem = add(*FileMenu, L"&Suspend", L"[MenuBar]Suspend", Command::Suspend);
    ResumeItem = add(*FileMenu, L"&Resume", L"[MenuBar]Resume", Command::Resume);
    ResumeItem->SetVisible(false);
    FileMenu->AddSeparator();
    QuitItem = add(*FileMenu, L"&Quit", L"[MenuBar]Quit", Command::Quit, ui::ShortCut::Ctrl('Q'));
    HelpMenu = add(MenuBar.Items(), L"&Help", L"[MenuBar]Help", std::nullopt);
    VersionItem = add(*HelpMenu, L"&Version", L"[MenuBar]Version", Command::ShowVersion);
    SetMenu(MenuBar);

    PropertyTrayItem = add(TrayMenu.Items(), L"&Property", L"[MenuBar]Property", Command::ShowSettings);
    CloseAllClipsTrayItem = add(TrayMenu.Items(), L"&Close All Clips", L"[Tray]CloseAllClips", Command::CloseAllClips);
    SuspendTrayItem = add(TrayMenu.Items(), L"&Suspend", L"[Tray]Suspend", Command::Suspend);
    ResumeTrayItem = add(TrayMenu.Items(), L"&Resume", L"[Tray]Resume", Command::Resume);
    ResumeTrayItem->SetVisible(false);
    TrayMenu.AddSeparator();
    QuitTrayItem = add(TrayMenu.Items(), L"&Quit", L"[Tray]Quit", Command::Quit);
    AddCaptionMenu(TrayMenu);
}

void MainWindow::ShowWatching(bool watching) {
    SuspendItem->SetVisible(watching);
    ResumeItem->SetVisible(!watching);
    SuspendTrayItem->SetVisible(watching);
    ResumeTrayItem->SetVisible(!watching);
}

void MainWindow::ShowTrayMenu(POINT at) {
    ui::Application& application = ui::Application::Get();
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(application.Handle());
    application.ProcessMessages();
    TrayMenu.Popup(application.Handle(), at.x, at.y);
}

LRESULT MainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (host_.OnTrayIconMessage(message, wParam)) return 0;
    switch (message) {
        case platform::kTrayMessage:
            // Both buttons open the menu on the press, where the cursor is as it
            // arrives; releases and double clicks do nothing.
            if (lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN) {
                POINT cursor{};
                GetCursorPos(&cursor);
                ShowTrayMenu(cursor);
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) host_.OnEndingSession();
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam) {
                case SC_MINIMIZE:
                    host_.Run(Command::GoToTray);
                    return 0;
                case SC_RESTORE:
                    ui::Application::Get().Restore();
                    break;
                default:
                    break;
            }
            break;
        default:
            break;
    }
    return Form::WndProc(message, wParam, lParam);
}

}  // namespace app
