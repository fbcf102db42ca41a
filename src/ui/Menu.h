#pragma once
// Menus as item trees. A change to an item rebuilds the menu's handle, so
// hidden items are simply left out of it; between BeginUpdate and EndUpdate
// the changes are gathered into one rebuild. Shortcuts work through the form
// (Form::IsShortCut), also for items that are hidden or in a menu bar that
// is not shown. Menus live on the GUI thread only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Handles.h"
#include "platform/Trace.h"
#include "ui/Captioned.h"
#include "ui/ShortCut.h"

namespace ui {

class Menu;

class MenuItem : public Captioned {
public:
    explicit MenuItem(std::wstring caption = {}, ShortCut shortCut = {});
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    static constexpr wchar_t kSeparator[] = L"-";

    // Adds a child and returns it.
    MenuItem& Add(std::wstring caption, ShortCut shortCut = {});
    MenuItem& AddSeparator() { return Add(kSeparator); }

    std::wstring Caption() const override { return caption_; }
    void SetCaption(std::wstring_view caption) override;
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
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
    MenuItem* FindByKey(std::wstring_view key);

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
    // The item with this caption key, searched depth-first, or nullptr.
    MenuItem* FindByKey(std::wstring_view key) { return root_.FindByKey(key); }

    // Changes between the two make one rebuild, at EndUpdate. They nest.
    void BeginUpdate() noexcept { ++updating_; }
    void EndUpdate();
    // How many times the handle was built (tests look at it).
    int Builds() const noexcept { return builds_; }

protected:
    explicit Menu(bool popup);
    // The handle as last built, without building.
    HMENU BuiltHandle() const noexcept { return handle_.get(); }
    virtual void Rebuilt() {}

private:
    friend class MenuItem;
    void Invalidate();
    void Build(HMENU target, const MenuItem& item);

    MenuItem root_;
    bool popup_;
    bool dirty_ = true;
    int updating_ = 0;
    int builds_ = 0;
    platform::MenuHandle handle_;
};

// BeginUpdate and EndUpdate for one scope.
class MenuUpdate {
public:
    explicit MenuUpdate(Menu& menu) noexcept : menu_(menu) { menu_.BeginUpdate(); }
    ~MenuUpdate() {
        try {
            menu_.EndUpdate();
        } catch (...) {
            // A menu that cannot be rebuilt keeps its old handle until the next change.
            platform::TraceCurrentException(L"a menu could not be rebuilt");
        }
    }
    MenuUpdate(const MenuUpdate&) = delete;
    MenuUpdate& operator=(const MenuUpdate&) = delete;

private:
    Menu& menu_;
};

// The menu bar of a form; the form attaches it (Form::SetMenu).
class MainMenu : public Menu {
public:
    MainMenu() : Menu(false) {}
    // Takes itself off its form's menu bar first: a window must never keep a destroyed menu.
    ~MainMenu() override;
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
