#pragma once
// A top-level window owned by the application window. Closing it asks
// OnCloseQuery, then OnClose with the close action (hide by default); closing
// the application's main form ends the application.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Handles.h"
#include "ui/Menu.h"
#include "ui/Window.h"

namespace ui {

// What a close does after OnClose: nothing, hide the form, or hide it and
// destroy it once its messages are done (forms the application owns).
enum class CloseAction { None, Hide, Free };

// Whether a form shows its menu bar or keeps it only for its shortcuts.
enum class MenuBar { Shown, Hidden };

enum class BorderStyle {
    Sizeable,        // caption, sizing border
    Dialog,          // caption, dialog frame
    SizeToolWindow,  // small caption, sizing border
};

struct FormParams {
    std::wstring caption;
    Bounds bounds{CW_USEDEFAULT, CW_USEDEFAULT, 300, 300};  // 96-dpi outer bounds
    BorderStyle border = BorderStyle::Sizeable;
    bool systemMenu = true;
    bool minimizeBox = true;
    bool maximizeBox = true;
    bool stayOnTop = false;
    bool alphaBlend = false;  // per-window alpha (layered window)
    int minWidth = 0;         // 96-dpi outer minimum size; 0 = none
    int minHeight = 0;
    bool dialogKeys = false;  // Tab and arrow keys move between controls
};

class Form : public Window {
public:
    Form() = default;
    ~Form() override;

    void Show();
    // Shows the window without activating it; OnShow runs as for Show.
    void ShowNoActivate();
    void Hide();
    // Asks OnCloseQuery, then OnClose, then acts on the close action.
    void Close();

    void SetAlpha(BYTE alpha);
    BYTE Alpha() const noexcept { return alpha_; }
    void SetMenu(MainMenu& menu, MenuBar bar = MenuBar::Shown);
    // Menus whose items FindCaption also searches (the menu bar is one already).
    void AddCaptionMenu(Menu& menu);
    // The form itself, a control on it or a menu item with this caption key; nullptr if none.
    Captioned* FindCaption(std::wstring_view key);
    // A null font (one that could not be made) keeps the current font.
    void SetFormFont(platform::FontHandle font);
    HFONT FormFont() const noexcept { return font_.get(); }
    void SetPosition(int left, int top);  // screen pixels
    void SetClientSize(int width, int height);  // screen pixels
    // Both in one move: each is a trip to the server and the X server.
    void SetPositionAndClientSize(int left, int top, int width, int height);
    SIZE ClientSize() const;

    // True when the key message was a shortcut of this form's menu (and ran it).
    bool IsShortCut(const MSG& message);

    std::function<void(Form& sender)> OnShow;
    std::function<void(Form& sender)> OnActivate;
    std::function<void(Form& sender, bool& canClose)> OnCloseQuery;
    std::function<void(Form& sender, CloseAction& action)> OnClose;
    std::function<void(Form& sender)> OnResize;

protected:
    // The window class of a form of this program: double clicks, the program's
    // icon, and the background brush (one that outlives the class: a system or
    // stock one), the button face unless given. A class of forms registers its
    // own once (Window::OwnClass).
    static WNDCLASSEXW FormClass(const wchar_t* name, HBRUSH background = nullptr);
    void CreateForm(const platform::WindowClass& windowClass, const FormParams& params);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DoShow();

    platform::FontHandle font_;
    MainMenu* menu_ = nullptr;
    std::vector<Menu*> captionMenus_;
    BYTE alpha_ = 255;
    bool alphaBlend_ = false;
    bool showing_ = false;
    int minWidth_ = 0;
    int minHeight_ = 0;
};

}  // namespace ui
