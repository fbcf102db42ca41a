#include "ui/Form.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Dpi.h"

namespace ui {

namespace {

void StylesFor(const FormParams& options, DWORD& style, DWORD& exStyle) {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (options.border) {
        case BorderStyle::Sizeable:
            style |= WS_CAPTION | WS_THICKFRAME;
            break;
        case BorderStyle::Dialog:
            style |= WS_CAPTION | WS_DLGFRAME;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case BorderStyle::SizeToolWindow:
            style |= WS_CAPTION | WS_THICKFRAME;
            exStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (options.systemMenu) style |= WS_SYSMENU;
    const bool tool = options.border == BorderStyle::SizeToolWindow;
    if (!tool && options.minimizeBox) style |= WS_MINIMIZEBOX;
    if (!tool && options.maximizeBox) style |= WS_MAXIMIZEBOX;
    if (options.stayOnTop) exStyle |= WS_EX_TOPMOST;
    if (options.alphaBlend) exStyle |= WS_EX_LAYERED;
    if (options.dialogKeys) exStyle |= WS_EX_CONTROLPARENT;
}

int ScaledOrDefault(int value) { return value == CW_USEDEFAULT ? CW_USEDEFAULT : Scale(value); }

}  // namespace

Form::~Form() {
    if (Application::Get().MainForm() == this) Application::Get().SetMainForm(nullptr);
}

WNDCLASSEXW Form::FormClass(const wchar_t* name, HBRUSH background) {
    return OwnClass(name, CS_DBLCLKS, background ? background : GetSysColorBrush(COLOR_BTNFACE),
                    LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"));
}

void Form::CreateForm(const platform::WindowClass& windowClass, const FormParams& options) {
    Application& application = Application::Get();
    application.Initialize();
    DWORD style = 0;
    DWORD exStyle = 0;
    StylesFor(options, style, exStyle);
    CreateParams params;
    params.exStyle = exStyle;
    params.style = style;
    params.text = options.caption;
    params.pixels = {ScaledOrDefault(options.bounds.left), ScaledOrDefault(options.bounds.top),
                   Scale(options.bounds.width), Scale(options.bounds.height)};
    params.parent = application.Handle();
    CreateOwnWindow(windowClass, params);
    minWidth_ = Scale(options.minWidth);
    minHeight_ = Scale(options.minHeight);
    alphaBlend_ = options.alphaBlend;
    if (alphaBlend_) SetLayeredWindowAttributes(Handle(), 0, alpha_, LWA_ALPHA);
    if (!application.MainForm()) application.SetMainForm(this);
}

void Form::DoShow() {
    if (showing_) return;
    showing_ = true;
    if (OnShow) OnShow(*this);
}

void Form::Show() {
    DoShow();
    ShowWindow(Handle(), SW_SHOW);
}

void Form::ShowNoActivate() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    DoShow();
}

void Form::Hide() {
    showing_ = false;
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void Form::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(*this, canClose);
    if (!canClose) return;
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(*this, action);
    if (Application::Get().MainForm() == this) {
        if (action != CloseAction::None) {
            Hide();
            Application::Get().Terminate();
        }
        return;
    }
    switch (action) {
        case CloseAction::Hide:
            Hide();
            break;
        case CloseAction::Free:
            Hide();
            Application::Get().Release(*this);
            break;
        case CloseAction::None:
            break;
    }
}

void Form::SetAlpha(BYTE alpha) {
    if (alpha_ == alpha) return;
    alpha_ = alpha;
    if (alphaBlend_ && HandleAllocated()) SetLayeredWindowAttributes(Handle(), 0, alpha_, LWA_ALPHA);
}

void Form::SetMenu(MainMenu& menu, MenuBar bar) {
    menu_ = &menu;
    menu.SetOwner(Handle());
    ::SetMenu(Handle(), bar == MenuBar::Shown ? menu.Handle() : nullptr);
}

void Form::AddCaptionMenu(Menu& menu) {
    if (std::find(captionMenus_.begin(), captionMenus_.end(), &menu) == captionMenus_.end()) captionMenus_.push_back(&menu);
}

Captioned* Form::FindCaption(std::wstring_view key) {
    if (key.empty()) return nullptr;
    if (CaptionKey() == key) return this;
    struct Search {
        std::wstring_view key;
        Captioned* found = nullptr;
    } search{key};
    EnumChildWindows(
        Handle(),
        [](HWND child, LPARAM data) -> BOOL {
            auto& state = *reinterpret_cast<Search*>(data);
            Window* object = FromHandle(child);
            if (!object || object->CaptionKey() != state.key) return TRUE;
            state.found = object;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (menu_) {
        if (MenuItem* item = menu_->FindByKey(key)) return item;
    }
    for (Menu* menu : captionMenus_) {
        if (MenuItem* item = menu->FindByKey(key)) return item;
    }
    return nullptr;
}

void Form::SetFormFont(platform::FontHandle font) {
    if (!font) return;
    font_ = std::move(font);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    EnumChildWindows(
        Handle(),
        [](HWND child, LPARAM value) -> BOOL {
            SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(value), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font_.get()));
}

void Form::SetPosition(int left, int top) {
    // Where it is already (a clip window shown again at the same place): moving is a trip to the server.
    if (RECT now{}; GetWindowRect(Handle(), &now) && now.left == left && now.top == top) return;
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetClientSize(int width, int height) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    SetPositionAndClientSize(window.left, window.top, width, height);
}

void Form::SetPositionAndClientSize(int left, int top, int width, int height) {
    RECT window{};
    RECT client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    const bool moved = window.left != left || window.top != top;
    const bool sized = client.right - client.left != width || client.bottom - client.top != height;
    if (!moved && !sized) return;
    const int extraWidth = (window.right - window.left) - (client.right - client.left);
    const int extraHeight = (window.bottom - window.top) - (client.bottom - client.top);
    SetWindowPos(Handle(), nullptr, left, top, width + extraWidth, height + extraHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE));
}

SIZE Form::ClientSize() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return {client.right - client.left, client.bottom - client.top};
}

bool Form::IsShortCut(const MSG& message) {
    if (!menu_) return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    MenuItem* item = menu_->FindShortCut(static_cast<std::uint16_t>(message.wParam), ctrl, shift, alt);
    if (!item) return false;
    // Run before any window procedure: the form may release itself in it.
    const HandlerScope running(*this);
    item->Click();
    return true;
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) == 0) {
                if (MenuItem* item = MenuItem::FromCommand(LOWORD(wParam))) {
                    item->Click();
                    return 0;
                }
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && OnActivate) OnActivate(*this);
            break;
        case WM_SHOWWINDOW:
            // Hidden by ShowWindow from outside the toolkit: the next Show runs OnShow again.
            if (!wParam && lParam == 0) showing_ = false;
            break;
        case WM_SIZE:
            if (OnResize) OnResize(*this);
            break;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (minWidth_ > 0) info->ptMinTrackSize.x = minWidth_;
            if (minHeight_ > 0) info->ptMinTrackSize.y = minHeight_;
            return 0;
        }
        case WM_GETFONT:
            // Controls created on the form take its font from here.
            if (font_) return reinterpret_cast<LRESULT>(font_.get());
            break;
        default:
            break;
    }
    return Window::WndProc(message, wParam, lParam);
}

}  // namespace ui
