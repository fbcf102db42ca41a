#pragma once
// A combo box: editable (drop-down) or a pick-only drop-down list. The item
// list is read from and written to the control itself.
#include <functional>
#include <string>

#include "ui/Control.h"

namespace ui {

enum class ComboStyle {
    DropDown,      // edit field plus list: any text
    DropDownList,  // list only: the text is the selected item's
};

struct ComboBoxParams {
    Bounds bounds;  // 96-dpi figures
    ComboStyle style = ComboStyle::DropDown;
};

class ComboBox : public Control {
public:
    void Create(Window& parent, const ComboBoxParams& params);

    void AddItem(std::wstring_view text);
    void ClearItems();
    int ItemCount() const;
    std::wstring Item(int index) const;
    int IndexOf(std::wstring_view text) const;  // exact, ignoring case; -1 when absent

    // -1 when nothing is selected. Setting -1 clears the selection (and the
    // edit field). Setters from code run no OnChange, as the program runs the
    // handler itself when it needs to.
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::wstring Text() const;
    // Editable: the field's text. List: selects the item with that text, or nothing.
    void SetText(std::wstring_view text);
    // How many rows the dropped list shows before it scrolls.
    void SetDropDownCount(int count);

    // The user typed in the field or picked an item (Text is already the new one).
    std::function<void(ComboBox& sender)> OnChange;

protected:
    void CreateCombo(Window& parent, const Bounds& design, DWORD style);
    // Runs on every change made by the user; raises OnChange.
    virtual void Change();
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Sizes the dropped list for the current item and field heights.
    void ApplyDropDownHeight();

private:

    bool editable_ = false;
    bool settingText_ = false;
    int dropDownCount_ = 8;
};

}  // namespace ui
