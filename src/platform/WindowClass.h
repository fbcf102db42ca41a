#pragma once
// A window class registered for as long as the object lives.
#include <windows.h>

#include <string>

namespace platform {

class WindowClass {
public:
    // Registers the class (hInstance null: this module's; hCursor null: the
    // arrow). Throws OutOfResources when it cannot, also when a class of that
    // name is already there: its window procedure would not be ours.
    explicit WindowClass(WNDCLASSEXW description);
    // Unregisters it; while windows of the class are still there the class stays.
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    const wchar_t* Name() const noexcept { return name_.c_str(); }

private:
    std::wstring name_;
    HINSTANCE instance_;
};

}  // namespace platform
