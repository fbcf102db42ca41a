#include "app/TrayIcon.h"

#include <cstring>

#include "platform/OutsideNames.h"
#include "platform/Text.h"
#include "platform/Trace.h"

namespace app {

namespace {


// Sent to every top-level window when the taskbar is made (again).
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage) : owner_(owner), callbackMessage_(callbackMessage) {
    ReloadIcon();
}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::ReloadIcon() {
    // The small-icon size of the current DPI; the old icon stays until the new one is had.
    if (const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0))) {
        icon_.reset(icon);
    }
}

NOTIFYICONDATAA TrayIcon::Record(UINT flags) const {
    NOTIFYICONDATAA data{};
    // The first, smallest form of the record; 88 bytes in a 32-bit process.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner_;
    data.uID = platform::kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_.get();
    memcpy(data.szTip, tip_.c_str(), tip_.size() + 1);
    return data;
}

void TrayIcon::Show() {
    NOTIFYICONDATAA data = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    shown_ = Shell_NotifyIconA(NIM_ADD, &data) || Shell_NotifyIconA(NIM_MODIFY, &data);
    // Not reported: the program goes on without its icon, as it always has.
    if (!shown_) platform::Trace(L"the tray icon could not be added", GetLastError());
}

void TrayIcon::Add() {
    // Not shown now (no taskbar yet): it still is wanted, and comes with the taskbar.
    if (presence_.Add()) Show();
}

void TrayIcon::Remove() noexcept {
    if (!presence_.Remove()) return;
    NOTIFYICONDATAA data = Record(0);
    // Asked also when the add seemed to fail: it may have taken effect late.
    // A delete that fails found nothing to delete; either way the icon is gone.
    Shell_NotifyIconA(NIM_DELETE, &data);
    shown_ = false;
}

void TrayIcon::SetTip(const std::wstring& tip) {
    std::string cut = CutToBytes(platform::WideToAnsi(tip), kTrayTipBytes,
                                 [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; });
    if (cut == tip_) return;
    tip_ = std::move(cut);
    if (!shown_) return;
    NOTIFYICONDATAA data = Record(NIF_TIP);
    if (!Shell_NotifyIconA(NIM_MODIFY, &data)) Show();
}

bool TrayIcon::OwnerMessage(UINT message, WPARAM wParam) {
    if (message == TaskbarCreatedMessage() && message != 0) {
        // Explorer restarted and forgot every icon; ours comes back if wanted.
        if (presence_.TaskbarRecreated()) Show();
        return true;
    }
    const bool metricsChanged = message == WM_DPICHANGED || message == WM_THEMECHANGED ||
                                (message == WM_SETTINGCHANGE &&
                                 (wParam == SPI_SETICONMETRICS || wParam == SPI_SETNONCLIENTMETRICS));
    if (!metricsChanged) return false;
    ReloadIcon();
    if (shown_) {
        NOTIFYICONDATAA data = Record(NIF_ICON);
        // An icon the taskbar lost meanwhile is added again.
        if (!Shell_NotifyIconA(NIM_MODIFY, &data)) Show();
    }
    return false;
}

}  // namespace app
