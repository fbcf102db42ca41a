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
    bool excluded = false;                 // a password manager asked monitors to look away
    std::optional<std::string> text;       // CF_TEXT, system code page; none without text
    std::optional<std::wstring> wideText;  // CF_UNICODETEXT, what a paste would insert
};

// Reads the text in both forms and the privacy marks, with one read of the
// clipboard; throws platform::Error when it cannot be opened or read.
ClipboardSnapshot ReadClipboardSnapshot(HWND owner);

}  // namespace platform
