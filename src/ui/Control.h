#pragma once
// Base of the child controls: creation inside a parent window at 96-dpi
// bounds, with the parent's font.
#include <windows.h>

#include <string_view>

#include "ui/Window.h"

namespace ui {

class Control : public Window {
public:
    int Id() const noexcept { return id_; }

protected:
    Control() = default;
    void CreateControl(Window& parent, const wchar_t* className, DWORD style, DWORD exStyle, const Bounds& design,
                       std::wstring_view text = {}, std::wstring_view captionKey = {});

private:
    int id_ = 0;
};

}  // namespace ui
