#pragma once
// Screen rectangles as plain numbers, so that portable rules (where a clip
// window is pulled back to, where the settings window is placed) can speak
// of them without <windows.h>.

namespace platform {

// A window's place and outer size.
struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A monitor's work area: the screen less the taskbar, edges as RECT gives them.
struct WorkArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A window's top-left corner.
struct Position {
    int left = 0;
    int top = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

}  // namespace platform
