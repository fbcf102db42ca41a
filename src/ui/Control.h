#pragma once
// Base of the child controls: creation inside a parent window at 96-dpi
// bounds, with the parent's font. Every form and control is made from one
// parameter struct of its kind (FormParams, ButtonParams, MemoParams, ...),
// written with designated initialisers: Create(parent, {.bounds = ..., .caption = ...}).
#include <windows.h>

#include <string_view>

#include "ui/Window.h"

namespace ui {

class Control : public Window {
public:
    int Id() const noexcept { return id_; }
    // The size of the caption on one line in the control's font, in pixels.
    SIZE CaptionSize() const;
    // Widens the control to its caption plus `extra` pixels (a check mark,
    // a button's edges), never narrower than now and never past maxRight
    // (pixels in the parent's client area). A right-anchored control keeps
    // its right edge and grows to the left, never past minLeft.
    void FitCaption(int extra, int maxRight);
    void FitCaptionLeftwards(int extra, int minLeft);

protected:
    Control() = default;
    void CreateControl(Window& parent, const wchar_t* className, DWORD style, DWORD exStyle, const Bounds& design,
                       std::wstring_view text = {}, std::wstring_view captionKey = {});

private:
    int id_ = 0;
};

}  // namespace ui
