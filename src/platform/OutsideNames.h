#pragma once
// The names by which other programs know Velmor: the registered classes of
// its windows, the mutex of its single instance and its tray icon. They must
// not change: a second start finds the first by the mutex, other programs
// (window rules of a desktop, automation scripts, this project's own tests
// from outside) find its windows by their classes, and the shell answers the
// icon with its callback message.
#include <windows.h>

namespace platform {

inline constexpr wchar_t kMainWindowClass[] = L"TVelmor";
inline constexpr wchar_t kClipWindowClass[] = L"TForm2";
inline constexpr wchar_t kAboutBoxClass[] = L"TversionDialog";
inline constexpr wchar_t kApplicationClass[] = L"TApplication";
inline constexpr wchar_t kWatcherClass[] = L"TVxClipDetectorWindow";

inline constexpr char kInstanceMutex[] = "Velmor";

inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayMessage = WM_USER + 100;  // 1124

}  // namespace platform
