#pragma once
// Tabbed pages: a tab control whose tabs wrap onto more rows when they do
// not fit, and one page window per tab, of which only the selected one shows.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Panel.h"

namespace ui {

class PageControl;

// One page: a container for the page's controls, filling the tab control's
// display area.
class TabSheet : public Panel {
public:
    int PageIndex() const noexcept { return index_; }
    // Also the tab's text.
    void SetCaption(std::wstring_view caption) override;

private:
    friend class PageControl;
    TabSheet(PageControl& owner, int index) : owner_(&owner), index_(index) {}

    PageControl* owner_;
    int index_;
};

struct PageControlParams {
    Bounds bounds;  // 96-dpi figures
};

class PageControl : public Control {
public:
    void Create(Window& parent, const PageControlParams& params);

    TabSheet& AddPage(std::wstring_view caption);
    int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
    TabSheet& Page(int index) const { return *pages_.at(static_cast<size_t>(index)); }
    // -1 with no pages. Setting from code runs no OnChange.
    int ActivePageIndex() const noexcept { return active_; }
    void SetActivePageIndex(int index);
    int RowCount() const;

    // The user picked another tab.
    std::function<void(PageControl& sender)> OnChange;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class TabSheet;
    void SetTabText(int index, const std::wstring& text);
    void ShowActive();
    void Layout();

    std::vector<std::unique_ptr<TabSheet>> pages_;
    int active_ = -1;
};

}  // namespace ui
