#pragma once
// Reads the clipboard on a thread of its own. A text of many megabytes takes
// seconds to arrive (under Wine GetClipboardData brings the whole block
// through the server), and an owner that renders on request may never
// answer: the GUI thread must go on meanwhile. It waits a moment for a read,
// which is all an ordinary text needs, and otherwise takes the result when
// the reader posts that it is done.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/ClipboardRead.h"
#include "platform/Handles.h"

namespace platform {

class ClipboardReader {
public:
    // Each read that ends posts doneMessage to the window, unless a Wait
    // saw it end.
    ClipboardReader(HWND window, UINT doneMessage);
    // Never waits for a read under way (an owner that never renders would
    // hold the program's end): its thread is left to end on its own and
    // posts nothing more.
    ~ClipboardReader();
    ClipboardReader(const ClipboardReader&) = delete;
    ClipboardReader& operator=(const ClipboardReader&) = delete;

    // Starts a read of the clipboard as it is now; false when one is under way.
    bool Start(std::uint64_t id, std::optional<long long> sizeLimit);
    // Waits up to timeoutMs for the read under way; true when none is under
    // way, and then no message comes for a read that ended meanwhile: Take it.
    bool Wait(DWORD timeoutMs) const;
    // The result of the read that ended, once; none while one runs.
    std::optional<ClipboardRead> Take();

private:
    struct Shared;
    static DWORD WINAPI Run(void* share) noexcept;

    std::shared_ptr<Shared> shared_;
    KernelHandle thread_;
};

}  // namespace platform
