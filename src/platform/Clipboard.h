#pragma once
// Reading and writing the clipboard as another program may be holding it.
// Neither waits for the holder: each says the clipboard was held, and the
// caller tries again later.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ClipboardRead.h"

namespace platform {

// OpenClipboard, tried once; closes on destruction.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner) noexcept;
    ~ClipboardLock() { Close(); }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool Opened() const noexcept { return opened_; }
    void Close() noexcept;

private:
    bool opened_ = false;
};

// Reads the text in both forms and the privacy marks with one read of the
// clipboard, which is closed before anything is converted. With a size
// limit, a text that takes more bytes than that in its code page is
// measured in its clipboard block and neither copied nor converted.
ClipboardRead ReadClipboard(HWND owner, std::optional<long long> sizeLimit = std::nullopt);

// The text as the sample memo takes it (its 8-bit form read back in the
// system code page), in pieces; stops when `each` returns false, and says
// whether it ran to the end.
bool ForEachMemoPiece(const ClipboardText& text, const std::function<bool(std::wstring_view)>& each);

// A CF_UNICODETEXT block that is the clipboard's once placed.
class ClipboardTextBlock {
public:
    // Throws std::bad_alloc when there is no memory for it.
    ClipboardTextBlock(const CompactText& whole);
    explicit ClipboardTextBlock(std::wstring_view text);
    ~ClipboardTextBlock();
    ClipboardTextBlock(const ClipboardTextBlock&) = delete;
    ClipboardTextBlock& operator=(const ClipboardTextBlock&) = delete;

    // Puts the text on the clipboard, as an edit control's copy does
    // (CF_UNICODETEXT alone; the system makes the other forms).
    // aroundWrite(true) runs before the clipboard is opened and
    // aroundWrite(false) once it is closed again, so that a viewer can look away.
    WriteOutcome Place(HWND owner, const std::function<void(bool before)>& aroundWrite = nullptr);

private:
    void Allocate(std::size_t units);
    HGLOBAL block_ = nullptr;
};

}  // namespace platform
