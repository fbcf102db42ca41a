#pragma once
// A window that only takes messages (a message-only window): for an object
// that is no window itself but has private messages and timers of its own.
#include <functional>

#include "ui/Window.h"

namespace ui {

class MessageWindow : public Window {
public:
    void Create();
    // A message for the owner; true when it took it (and set result).
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace ui
