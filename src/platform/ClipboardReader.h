#pragma once
// Reads the clipboard on a thread of its own. A text of many megabytes takes
// seconds to arrive (under Wine GetClipboardData brings the whole block
// through the server), and the GUI thread must answer meanwhile: it waits a
// moment for the read, which is all an ordinary text needs, and otherwise
// goes on and takes the result when the reader posts that it is done.
#include <windows.h>

#include <exception>
#include <memory>
#include <optional>

#include "platform/Clipboard.h"
#include "platform/Handles.h"

namespace platform {

struct ClipboardReadResult {
    DWORD sequence = 0;                  // the clipboard's sequence number when the read was asked for
    std::optional<long long> sizeLimit;  // as asked for
    ClipboardSnapshot snapshot;
    std::exception_ptr error;  // what the read threw, if it threw
};

class ClipboardReader {
public:
    // Each read that ends posts doneMessage to the window.
    ClipboardReader(HWND window, UINT doneMessage);
    // Waits a few seconds for a read under way; one that hangs (a clipboard
    // owner that never renders) is left to end on its own.
    ~ClipboardReader();
    ClipboardReader(const ClipboardReader&) = delete;
    ClipboardReader& operator=(const ClipboardReader&) = delete;

    // Starts a read of the clipboard as it is now; false when one is under way.
    bool Start(DWORD sequence, std::optional<long long> sizeLimit);
    // Waits up to timeoutMs for the read under way; true when none is under way.
    bool Wait(DWORD timeoutMs) const;
    // The result of the read that ended last, once; none while one runs.
    std::optional<ClipboardReadResult> Take();

private:
    struct Shared;
    static DWORD WINAPI Run(void* share) noexcept;
    static constexpr DWORD kEndWaitMs = 5000;

    std::shared_ptr<Shared> shared_;
    KernelHandle thread_;
};

}  // namespace platform
