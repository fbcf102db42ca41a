#pragma once
// Menus as item trees. A change to an item rebuilds the menu's handle, so
// hidden items are simply left out of it. Shortcuts work through the form
// (Form::IsShortCut), also for items that are hidden or in a menu bar that
// is not shown.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "ui/ShortCut.h"

namespace ui {

class Menu;

class MenuItem {
public:
    explicit MenuItem(std::wstring caption = {}, ShortCut shortCut = {});
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    static constexpr wchar_t kSeparator[] = L"-";

    // Adds a child and returns it.
    MenuItem& Add(std::wstring caption, ShortCut shortCut = {});
    MenuItem& AddSeparator() { return Add(kSeparator); }

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    const ShortCut& GetShortCut() const noexcept { return shortCut_; }
    bool IsSeparator() const noexcept { return caption_ == kSeparator; }
    UINT Command() const noexcept { return command_; }
    const std::vector<std::unique_ptr<MenuItem>>& Items() const noexcept { return items_; }

    // Runs OnClick, as choosing the item does.
    void Click();
    std::function<void(MenuItem& sender)> OnClick;

    // The item that carries a menu command id, or nullptr.
    static MenuItem* FromCommand(UINT command) noexcept;

private:
    friend class Menu;
    void Changed();
    MenuItem* FindShortCut(std::uint16_t key, bool ctrl, bool shift, bool alt);

    std::wstring caption_;
    ShortCut shortCut_;
    bool visible_ = true;
    bool checked_ = false;
    bool enabled_ = true;
    UINT command_;
    MenuItem* parent_ = nullptr;
    Menu* menu_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class Menu {
public:
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    virtual ~Menu() = default;

    MenuItem& Items() noexcept { return root_; }
    MenuItem& Add(std::wstring caption, ShortCut shortCut = {}) { return root_.Add(std::move(caption), shortCut); }
    MenuItem& AddSeparator() { return root_.AddSeparator(); }
    HMENU Handle();
    // The enabled item with this shortcut, searched depth-first, or nullptr.
    MenuItem* FindShortCut(std::uint16_t key, bool ctrl, bool shift, bool alt);

protected:
    explicit Menu(bool popup);
    virtual void Rebuilt() {}

private:
    friend class MenuItem;
    void Invalidate();
    void Build(HMENU target, const MenuItem& item);

    MenuItem root_;
    bool popup_;
    bool dirty_ = true;
    platform::MenuHandle handle_;
};

// The menu bar of a form; the form attaches it (Form::SetMenu).
class MainMenu : public Menu {
public:
    MainMenu() : Menu(false) {}
    void SetOwner(HWND form) noexcept;

protected:
    void Rebuilt() override;

private:
    HWND owner_ = nullptr;
};

class PopupMenu : public Menu {
public:
    PopupMenu() : Menu(true) {}
    // Shows the menu at screen point (x, y) and runs the chosen item's OnClick.
    void Popup(HWND owner, int x, int y);
};

}  // namespace ui
