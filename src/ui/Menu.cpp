#include "ui/Menu.h"

#include <unordered_map>
#include <vector>

#include "platform/Error.h"
#include "ui/Application.h"

namespace ui {

namespace {

std::unordered_map<UINT, MenuItem*>& Commands() {
    static std::unordered_map<UINT, MenuItem*> commands;
    return commands;
}

// Menu command ids share WM_COMMAND with controls, whose ids stay below
// 0x8000, and WM_COMMAND carries only 16 bits: ids of destroyed items are
// given out again, so a program that makes and drops menus all day (a
// clip window has four items) never runs out.
constexpr UINT kFirstCommand = 0x8000;
constexpr UINT kLastCommand = 0xFFFF;
std::vector<UINT>& FreeCommands() {
    static std::vector<UINT> free;
    return free;
}

UINT NextCommand() {
    static UINT next = kFirstCommand;
    auto& free = FreeCommands();
    if (!free.empty()) {
        const UINT command = free.back();
        free.pop_back();
        return command;
    }
    if (next > kLastCommand) throw platform::OutOfResources(L"Too many menu items");
    return next++;
}

}  // namespace

MenuItem::MenuItem(std::wstring caption, ShortCut shortCut)
    : caption_(std::move(caption)), shortCut_(shortCut), command_((RequireGuiThread(L"A menu"), NextCommand())) {
    Commands()[command_] = this;
}

MenuItem::~MenuItem() {
    Commands().erase(command_);
    FreeCommands().push_back(command_);
}

MenuItem* MenuItem::FromCommand(UINT command) noexcept {
    const auto found = Commands().find(command);
    return found == Commands().end() ? nullptr : found->second;
}

MenuItem& MenuItem::Add(std::wstring caption, ShortCut shortCut) {
    auto item = std::make_unique<MenuItem>(std::move(caption), shortCut);
    item->parent_ = this;
    item->menu_ = menu_;
    items_.push_back(std::move(item));
    Changed();
    return *items_.back();
}

void MenuItem::SetCaption(std::wstring_view caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}

void MenuItem::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Changed();
}

void MenuItem::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Changed();
}

void MenuItem::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed();
}

void MenuItem::Click() {
    if (OnClick) OnClick(*this);
}

void MenuItem::Changed() {
    if (menu_) menu_->Invalidate();
}

MenuItem* MenuItem::FindShortCut(std::uint16_t key, bool ctrl, bool shift, bool alt) {
    for (const auto& item : items_) {
        if (!item->enabled_) continue;
        if (item->shortCut_.Matches(key, ctrl, shift, alt)) return item.get();
        if (MenuItem* found = item->FindShortCut(key, ctrl, shift, alt)) return found;
    }
    return nullptr;
}

MenuItem* MenuItem::FindByKey(std::wstring_view key) {
    for (const auto& item : items_) {
        if (item->CaptionKey() == key) return item.get();
        if (MenuItem* found = item->FindByKey(key)) return found;
    }
    return nullptr;
}

Menu::Menu(bool popup) : popup_(popup) { root_.menu_ = this; }

void Menu::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0 && dirty_ && handle_) Handle();
}

MenuItem* Menu::FindShortCut(std::uint16_t key, bool ctrl, bool shift, bool alt) {
    return root_.FindShortCut(key, ctrl, shift, alt);
}

void Menu::Invalidate() {
    dirty_ = true;
    // A shown menu bar must follow at once, or at the end of the update.
    if (handle_ && updating_ == 0) Handle();
}

HMENU Menu::Handle() {
    if (dirty_ || !handle_) {
        platform::MenuHandle fresh(popup_ ? CreatePopupMenu() : CreateMenu());
        Build(fresh.get(), root_);
        // Detach the old handle from its window before it is destroyed.
        std::swap(handle_, fresh);
        dirty_ = false;
        ++builds_;
        Rebuilt();
    }
    return handle_.get();
}

void Menu::Build(HMENU target, const MenuItem& item) {
    for (const auto& child : item.items_) {
        // Items added later see the menu they belong to.
        child->menu_ = this;
        if (!child->visible_) continue;
        if (child->IsSeparator()) {
            AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = child->caption_;
        if (!child->shortCut_.Empty()) text += L"\t" + child->shortCut_.Text();
        UINT flags = MF_STRING | (child->checked_ ? MF_CHECKED : 0) | (child->enabled_ ? 0 : MF_GRAYED);
        if (!child->items_.empty()) {
            const HMENU sub = CreatePopupMenu();
            Build(sub, *child);
            AppendMenuW(target, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            AppendMenuW(target, flags, child->command_, text.c_str());
        }
    }
}

MainMenu::~MainMenu() {
    if (owner_ && BuiltHandle() && IsWindow(owner_) && GetMenu(owner_) == BuiltHandle()) SetMenu(owner_, nullptr);
}

void MainMenu::SetOwner(HWND form) noexcept { owner_ = form; }

void MainMenu::Rebuilt() {
    if (owner_ && GetMenu(owner_)) {
        SetMenu(owner_, Handle());
        DrawMenuBar(owner_);
    }
}

void PopupMenu::Popup(HWND owner, int x, int y) {
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    // Let the menu's window go before the command runs, as a posted command would.
    if (owner) PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen != 0) {
        if (MenuItem* item = MenuItem::FromCommand(chosen)) item->Click();
    }
}

}  // namespace ui
