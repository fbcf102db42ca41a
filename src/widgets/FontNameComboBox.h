#pragma once
// A drop-down list of the installed font family names, each drawn with a mark
// that tells a TrueType family from a printer family. The names come from the
// process-wide font table; the filters and the two name lists choose which of
// them this picker offers. The selected name can follow into a linked
// control's font.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Handles.h"
#include "ui/Color.h"
#include "ui/OwnerDrawCombo.h"
#include "widgets/FontList.h"
#include "widgets/FontListModel.h"

namespace widgets {

class FontNameComboBox : public ui::OwnerDrawCombo, private FontListHost {
public:
    using ChangeHandler = std::function<void(FontNameComboBox& sender)>;

    // A picker over the process-wide font table.
    FontNameComboBox();
    // A picker over another table, which must outlive it.
    explicit FontNameComboBox(const std::vector<FontEntry>& table);
    ~FontNameComboBox() override;

    // The item height follows the control height (height - 6) when that is
    // above 6 pixels, else ItemHeight. Fills the list, which selects the
    // value given before or else the first entry, raising OnChange.
    void Create(ui::Window& parent, const ui::Bounds& design);

    // The selected family's name; empty when nothing is selected. Setting a
    // name no entry has selects the first entry.
    std::wstring Value() const { return model_.Value(); }
    void SetValue(std::wstring_view name) { model_.SetValue(name); }

    FontNameFilters CollectFilters() const noexcept { return model_.CollectFilters(); }
    void SetCollectFilters(FontNameFilters filters) { model_.SetCollectFilters(filters); }
    // Adding a font type keeps only that one: at most one type is required.
    FontNameFilters ExclusiveFilters() const noexcept { return model_.ExclusiveFilters(); }
    void SetExclusiveFilters(FontNameFilters filters) { model_.SetExclusiveFilters(filters); }
    // Names offered whatever the filters say, and names never offered; a name
    // set into one list leaves the other.
    const std::vector<std::wstring>& VisibleFontNames() const noexcept { return model_.VisibleFontNames(); }
    void SetVisibleFontNames(std::vector<std::wstring> names) { model_.SetVisibleFontNames(std::move(names)); }
    const std::vector<std::wstring>& InvisibleFontNames() const noexcept { return model_.InvisibleFontNames(); }
    void SetInvisibleFontNames(std::vector<std::wstring> names) { model_.SetInvisibleFontNames(std::move(names)); }

    bool IconVisible() const noexcept { return model_.IconVisible(); }
    void SetIconVisible(bool visible) { model_.SetIconVisible(visible); }
    FontIconPriority IconPriority() const noexcept { return model_.IconPriority(); }
    void SetIconPriority(FontIconPriority priority) { model_.SetIconPriority(priority); }
    // Each name drawn in its own font.
    bool TextFontFace() const noexcept { return model_.TextFontFace(); }
    void SetTextFontFace(bool on) { model_.SetTextFontFace(on); }

    // The control whose font name follows the selection; linking takes its
    // font name as Value. A control whose font is not known yet (no window,
    // and not a memo) gives its name when this picker next applies its value
    // (Create, EndLoading). The link ends when the control object is
    // destroyed; its window may come and go before that.
    ui::Window* ChangeControl() const noexcept { return linked_; }
    void SetChangeControl(ui::Window* control);

    // The list's background, on which unselected rows are drawn.
    ui::ColorValue Color() const noexcept { return color_; }
    void SetColor(ui::ColorValue color);

    // Screen pixels. A font taller than the new height comes down to it (not
    // below 12 pixels); the selection stays.
    void SetItemHeight(int height);
    // New bounds also set the item height, as Create does.
    void SetPixelBounds(const ui::Bounds& pixels) override;

    // Loading the form: Value only keeps the name until EndLoading, which
    // fills the list and applies it.
    void BeginLoading() noexcept { model_.BeginLoading(); }
    void EndLoading();

    // The flag word of an offered entry, 0 for none.
    std::uint32_t ItemFlags(int index) const;
    const std::vector<FontEntry>& Items() const noexcept { return model_.Items(); }

    // The selection changed (from code or by the user), after the linked
    // control's font followed. A pick by the user raises OnChange, OnClick,
    // OnChange.
    ChangeHandler OnChange;
    ChangeHandler OnClick;

protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void Change() override;
    void FontChanged() override;

private:
    // FontListHost
    bool HasWindow() const override { return HandleAllocated(); }
    void ReplaceItems(const std::vector<FontEntry>& items) override;
    int SelectedIndex() const override { return ItemIndex(); }
    void SelectIndex(int index) override { SetItemIndex(index); }
    void PushToLinked(const std::wstring& name) override;
    void RaiseChange() override;
    void RaiseClick() override;
    void Repaint() override { Invalidate(); }

    void Unlink() noexcept;
    // Value becomes the linked control's font name, when it can be known.
    void ReadLinkedName();

    FontListModel model_;
    ui::Window* linked_ = nullptr;
    int linkWatch_ = 0;
    bool linkedNameUnread_ = false;
    ui::ColorValue color_ = ui::kColorWindow;
    platform::FontHandle ownFont_;  // made when ItemHeight shrinks the font
};

}  // namespace widgets
