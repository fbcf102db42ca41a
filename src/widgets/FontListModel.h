#pragma once
// What the font name picker decides, apart from the window that shows it:
// which table entries the list offers, which entry Value selects, and the
// order in which the picker reports changes. The list itself (its items and
// its selection) lives in the host, the control that shows it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/FontList.h"

namespace widgets {

class FontListHost {
public:
    // Whether the list exists; without it nothing can be selected.
    virtual bool HasWindow() const = 0;
    // Replaces the list's items (which clears its selection), with the list's
    // updates suspended.
    virtual void ReplaceItems(const std::vector<FontEntry>& items) = 0;
    // -1 when nothing is selected.
    virtual int SelectedIndex() const = 0;
    // Selects from code; raises nothing.
    virtual void SelectIndex(int index) = 0;
    // Gives the linked control the font name, when there is one.
    virtual void PushToLinked(const std::wstring& name) = 0;
    virtual void RaiseChange() = 0;
    virtual void RaiseClick() = 0;
    virtual void Repaint() = 0;

protected:
    ~FontListHost() = default;
};

class FontListModel {
public:
    FontListModel(const std::vector<FontEntry>& table, NameCompare compare, FontListHost& host) noexcept;
    FontListModel(const FontListModel&) = delete;
    FontListModel& operator=(const FontListModel&) = delete;

    // The selected entry's name; empty when nothing is selected.
    std::wstring Value() const;
    // Selects the entry of that name (ignoring case), or the first entry when
    // none has it, and reports a change when the selection moved. While
    // loading, or before the list exists, the name is kept until then.
    void SetValue(std::wstring_view name);

    FontNameFilters CollectFilters() const noexcept { return collect_; }
    void SetCollectFilters(FontNameFilters filters);
    FontNameFilters ExclusiveFilters() const noexcept { return exclusive_; }
    void SetExclusiveFilters(FontNameFilters filters);
    const std::vector<std::wstring>& VisibleFontNames() const noexcept { return names_.Visible(); }
    void SetVisibleFontNames(std::vector<std::wstring> names);
    const std::vector<std::wstring>& InvisibleFontNames() const noexcept { return names_.Invisible(); }
    void SetInvisibleFontNames(std::vector<std::wstring> names);

    bool IconVisible() const noexcept { return iconVisible_; }
    void SetIconVisible(bool visible);
    FontIconPriority IconPriority() const noexcept { return iconPriority_; }
    void SetIconPriority(FontIconPriority priority);
    bool TextFontFace() const noexcept { return textFontFace_; }
    void SetTextFontFace(bool on);

    // Loading from the form: Value only keeps the name; the list is filled
    // and the kept name applied when loading ends.
    void BeginLoading() noexcept { loading_ = true; }
    void EndLoading();
    bool Loading() const noexcept { return loading_; }
    // The host's list was just made (and is empty).
    void WindowCreated();
    // Offers another table from now on, which must outlive the model.
    void SetTable(const std::vector<FontEntry>& table) noexcept { table_ = &table; }
    // The user picked an entry (the host's selection is already the new one).
    void UserSelected();

    const std::vector<FontEntry>& Items() const noexcept { return items_; }
    // The entry's mark as the current settings draw it.
    FontMark MarkFor(int index) const noexcept;
    // Fills the list again from the table, keeping the selected name.
    void Fill();

private:
    void ReplaceItems();
    void RunChange();

    const std::vector<FontEntry>* table_;
    NameCompare compare_;
    FontListHost& host_;
    std::vector<FontEntry> items_;
    FontNameFilters collect_ = kDefaultCollectFilters;
    FontNameFilters exclusive_;
    FontNameLists names_;
    bool iconVisible_ = true;
    FontIconPriority iconPriority_ = fipTrueType;
    bool textFontFace_ = false;
    bool loading_ = false;
    std::optional<std::wstring> pending_;
};

}  // namespace widgets
