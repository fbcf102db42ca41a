#pragma once
// The program's icon in the notification area: id 1 of its owner window,
// callbacks as kTrayMessage, the tip in the system code page cut to 63
// bytes. It is sent in the first, smallest form of the record
// (NOTIFYICONDATAA_V1_SIZE) and taken out of the tray when the object goes.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/TrayLogic.h"
#include "platform/Handles.h"

namespace app {

class TrayIcon {
public:
    TrayIcon(HWND owner, UINT callbackMessage);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Whether the icon is wanted in the tray (whether or not a taskbar holds it now).
    bool Present() const noexcept { return presence_.Present(); }
    // Adding twice adds once, removing twice removes once.
    void Add();
    void Remove() noexcept;
    // The tip, also on an icon already shown.
    void SetTip(const std::wstring& tip);

    // Looks at a message of the owner window: brings the icon back when the
    // taskbar is made again (Explorer restarted) and loads it anew at a DPI,
    // theme or icon-metrics change. True when the message was for the icon
    // alone and needs no further handling.
    bool OwnerMessage(UINT message, WPARAM wParam);

private:
    NOTIFYICONDATAA Record(UINT flags) const;
    // NIM_ADD; when that fails, NIM_MODIFY tells whether the icon is there
    // all the same (an add that timed out may still have taken effect).
    void Show();
    void ReloadIcon();

    HWND owner_;
    UINT callbackMessage_;
    std::string tip_;  // cut, in the system code page
    platform::IconHandle icon_;
    TrayPresence presence_;
    bool shown_ = false;  // a taskbar holds it, as far as the calls' results tell
};

}  // namespace app
