#include "platform/Clipboard.h"

#include <cstring>

#include "platform/Error.h"

namespace platform {

namespace {

// Registered formats that clipboard managers and password managers use to
// keep secrets out of clipboard monitors.
UINT ExcludeFormat() {
    static const UINT format = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    return format;
}
UINT HistoryFormat() {
    static const UINT format = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
    return format;
}

bool HistoryForbidden() {
    if (!IsClipboardFormatAvailable(HistoryFormat())) return false;
    const HANDLE data = GetClipboardData(HistoryFormat());
    if (!data || GlobalSize(data) < sizeof(DWORD)) return false;
    const auto* value = static_cast<const DWORD*>(GlobalLock(data));
    const bool forbidden = value && *value == 0;
    if (value) GlobalUnlock(data);
    return forbidden;
}

}  // namespace

ClipboardLock::ClipboardLock(HWND owner, DWORD waitMs) noexcept {
    const DWORD start = GetTickCount();
    for (;;) {
        if (OpenClipboard(owner)) {
            opened_ = true;
            return;
        }
        if (GetTickCount() - start >= waitMs) return;
        Sleep(10);
    }
}

ClipboardLock::~ClipboardLock() {
    if (opened_) CloseClipboard();
}

ClipboardSnapshot ReadClipboardSnapshot(HWND owner) {
    ClipboardSnapshot snapshot;
    const bool hasText = IsClipboardFormatAvailable(CF_TEXT);
    const bool mayBeExcluded = IsClipboardFormatAvailable(ExcludeFormat()) || IsClipboardFormatAvailable(HistoryFormat());
    if (!hasText && !mayBeExcluded) return snapshot;
    ClipboardLock lock(owner);
    if (!lock.Opened()) throw Error(L"Cannot open the clipboard");
    if (IsClipboardFormatAvailable(ExcludeFormat()) || HistoryForbidden()) {
        snapshot.excluded = true;
        return snapshot;
    }
    if (!hasText) return snapshot;
    const HANDLE data = GetClipboardData(CF_TEXT);
    // Another change may have emptied the clipboard meanwhile.
    if (!data) throw Error(L"Cannot read the clipboard text");
    const auto* chars = static_cast<const char*>(GlobalLock(data));
    if (!chars) throw Error(L"Cannot read the clipboard text");
    // Never read past the block, even when the text lacks its terminator.
    const size_t size = GlobalSize(data);
    snapshot.text = std::string(chars, strnlen(chars, size));
    GlobalUnlock(data);
    return snapshot;
}

bool WaitForClipboard(HWND owner) noexcept {
    ClipboardLock lock(owner);
    return lock.Opened();
}

}  // namespace platform
