#pragma once
// A single-selection list.
#include <functional>
#include <string>

#include "ui/Control.h"

namespace ui {

struct ListBoxParams {
    Bounds bounds;  // 96-dpi figures
};

class ListBox : public Control {
public:
    void Create(Window& parent, const ListBoxParams& params);

    void AddItem(std::wstring_view text);
    void ClearItems();
    int ItemCount() const;
    std::wstring Item(int index) const;
    // -1 when nothing is selected; setting runs no event.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // The user moved the selection (mouse or keys).
    std::function<void(ListBox& sender)> OnClick;
    std::function<void(ListBox& sender)> OnDblClick;

protected:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
