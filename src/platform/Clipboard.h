#pragma once
// Reading the clipboard as another program may be holding it. The read never
// waits for the holder (it runs on the GUI thread): it says the clipboard was
// held, and the caller tries again later.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// OpenClipboard, tried once; closes on destruction.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner) noexcept;
    ~ClipboardLock();
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool Opened() const noexcept { return opened_; }

private:
    bool opened_ = false;
};

struct ClipboardSnapshot {
    bool held = false;                     // another program had it open: nothing was read
    bool excluded = false;                 // a password manager asked monitors to look away
    bool tooLarge = false;                 // over the size limit: neither text was read
    std::optional<std::string> text;       // CF_TEXT, system code page; none without text
    std::optional<std::wstring> wideText;  // CF_UNICODETEXT, what a paste would insert
};

// Reads the text in both forms and the privacy marks, with one read of the
// clipboard; throws platform::Error when it cannot be read once opened. With
// a size limit, a text that would take more bytes than that in the ANSI code
// page is measured in its clipboard block and neither converted nor copied.
ClipboardSnapshot ReadClipboardSnapshot(HWND owner, std::optional<long long> sizeLimit = std::nullopt);

// Puts the text on the clipboard as an edit control's copy does (CF_UNICODETEXT
// alone; the system makes the other forms); throws platform::Error when it cannot.
void WriteClipboardText(HWND owner, std::wstring_view text);

}  // namespace platform
