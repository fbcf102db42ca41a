#pragma once
// Reading the clipboard as another program may be holding it: opening is
// retried for a short while instead of losing the copy.
#include <windows.h>

#include <optional>
#include <string>

namespace platform {

// How long a clipboard held open by another program is waited for.
constexpr DWORD kClipboardWaitMs = 100;

// OpenClipboard, retried until it succeeds or waitMs pass; closes on destruction.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner, DWORD waitMs = kClipboardWaitMs) noexcept;
    ~ClipboardLock();
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool Opened() const noexcept { return opened_; }

private:
    bool opened_ = false;
};

struct ClipboardSnapshot {
    bool excluded = false;            // a password manager asked monitors to look away
    std::optional<std::string> text;  // CF_TEXT, system code page; none without text
};

// Reads the 8-bit text and the privacy marks; throws platform::Error when the
// clipboard cannot be opened or its text cannot be read.
ClipboardSnapshot ReadClipboardSnapshot(HWND owner);

// Waits (up to kClipboardWaitMs) until the clipboard can be opened, so that a
// control's own paste, which gives up at once, finds it free.
bool WaitForClipboard(HWND owner) noexcept;

}  // namespace platform
