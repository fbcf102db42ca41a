#include "ui/CommonControls.h"

#include "platform/Module.h"

namespace ui {

namespace {

struct Library {
    decltype(&::SetWindowSubclass) setSubclass = nullptr;
    decltype(&::RemoveWindowSubclass) removeSubclass = nullptr;
    decltype(&::DefSubclassProc) defSubclass = nullptr;
};

const Library& Loaded() noexcept {
    static const Library library = [] {
        constexpr wchar_t kDll[] = L"comctl32.dll";
        Library loaded;
        loaded.setSubclass = platform::SystemFunction<decltype(::SetWindowSubclass)>(kDll, "SetWindowSubclass");
        loaded.removeSubclass = platform::SystemFunction<decltype(::RemoveWindowSubclass)>(kDll, "RemoveWindowSubclass");
        loaded.defSubclass = platform::SystemFunction<decltype(::DefSubclassProc)>(kDll, "DefSubclassProc");
        if (const auto initialize = platform::SystemFunction<decltype(::InitCommonControlsEx)>(kDll, "InitCommonControlsEx")) {
            INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                               ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
            initialize(&controls);
        }
        return loaded;
    }();
    return library;
}

}  // namespace

void LoadCommonControls() noexcept { Loaded(); }

BOOL SetSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept {
    const Library& library = Loaded();
    return library.setSubclass && library.setSubclass(window, proc, id, data);
}

BOOL RemoveSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept {
    const Library& library = Loaded();
    return library.removeSubclass && library.removeSubclass(window, proc, id);
}

LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const Library& library = Loaded();
    return library.defSubclass ? library.defSubclass(window, message, wParam, lParam)
                               : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui
