#pragma once
// A whole-number edit box with up/down arrows. The edit's text is the state:
// the arrows and SetValue write text, and Value reads it back through the
// range (see SpinValue.h).
#include <functional>

#include "ui/Control.h"
#include "ui/SpinValue.h"

namespace ui {

struct SpinEditParams {
    Bounds bounds;     // 96-dpi figures
    int minValue = 0;  // equal limits: no range, any whole number (negative ones too)
    int maxValue = 0;
    int value = 0;
    int increment = 1;
};

class SpinEdit : public Control {
public:
    void Create(Window& parent, const SpinEditParams& params);

    int Value() const;
    // Clamps; OnChange runs when the text changes as a result.
    void SetValue(int value);
    HWND UpDownHandle() const noexcept { return arrows_.Handle(); }

    // The arrows travel with the edit box.
    void SetPixelBounds(const Bounds& pixels) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;

    // Typing, pasting, the arrows and SetValue, whenever the text changes.
    std::function<void(SpinEdit& sender)> OnChange;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The up/down control: its notifications come back to the spin edit.
    class Arrows : public Control {
    public:
        void Create(SpinEdit& owner, Window& parent);
        void Attach();

    protected:
        bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    private:
        SpinEdit* owner_ = nullptr;
    };

    void Step(int steps);
    void ClampText();

    Arrows arrows_;
    SpinRange range_;
    int increment_ = 1;
};

}  // namespace ui
