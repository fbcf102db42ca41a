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

#include "widgets/FontList.h"
#include "widgets/FontListModel.h"
#include "widgets/PickerComboBox.h"

namespace widgets {

class FontNameComboBox : public PickerComboBox, private FontListHost {
public:
    using ChangeHandler = std::function<void(FontNameComboBox& sender)>;

    // A picker over the process-wide font table.
    FontNameComboBox();
    // A picker over another table, which must outlive it.
    explicit FontNameComboBox(const std::vector<FontEntry>& table);

    // Fills the list, which selects the value given before or else the first
    // entry, raising OnChange.
    void Create(ui::Window& parent, const PickerParams& params);

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
    // (Create, EndLoading).
    void SetChangeControl(ui::Window* control);

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
    void DrawEntry(HDC dc, const RECT& area, int index) override;
    void Change() override;
    void LinkGone() noexcept override { linkedNameUnread_ = false; }

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

    // Value becomes the linked control's font name, when it can be known.
    void ReadLinkedName();

    FontListModel model_;
    bool sharedTable_ = false;  // the process-wide table, taken when the window is made
    bool linkedNameUnread_ = false;
};

}  // namespace widgets
