#include "platform/WindowClass.h"

#include "platform/Error.h"

namespace platform {

WindowClass::WindowClass(WNDCLASSEXW description)
    : name_(description.lpszClassName ? description.lpszClassName : L""),
      instance_(description.hInstance ? description.hInstance : GetModuleHandleW(nullptr)) {
    description.cbSize = sizeof description;
    description.hInstance = instance_;
    if (!description.hCursor) description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!RegisterClassExW(&description)) throw OutOfResources(L"Cannot register window class " + name_);
}

WindowClass::~WindowClass() { UnregisterClassW(name_.c_str(), instance_); }

}  // namespace platform
