#pragma once
// The common controls library, loaded when the first control is made rather
// than with the program: under Wine loading it costs some 45 ms before the
// program's first line runs, and the tray icon does not need it. Subclassing
// goes through it too.
#include <windows.h>
#include <commctrl.h>

namespace ui {

// Loads the library and registers its control classes, once.
void LoadCommonControls() noexcept;
// SetWindowSubclass, RemoveWindowSubclass and DefSubclassProc of the library.
BOOL SetSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept;
BOOL RemoveSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept;
LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace ui
