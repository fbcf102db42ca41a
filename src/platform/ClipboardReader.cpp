#include "platform/ClipboardReader.h"

#include <mutex>
#include <utility>

#include "platform/Error.h"
#include "platform/Handles.h"

namespace platform {

// Held by the object and by its thread, so that a thread left behind by the
// destructor never touches freed memory.
struct ClipboardReader::Shared {
    HWND window = nullptr;
    UINT doneMessage = 0;
    KernelHandle request{CreateEventW(nullptr, FALSE, FALSE, nullptr)};  // a read is asked for, or the end
    KernelHandle idle{CreateEventW(nullptr, TRUE, TRUE, nullptr)};       // set while no read runs
    std::mutex lock;
    bool quit = false;
    bool busy = false;
    ClipboardReadResult asked;
    std::optional<ClipboardReadResult> done;
};

ClipboardReader::ClipboardReader(HWND window, UINT doneMessage) : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->doneMessage = doneMessage;
    if (!shared_->request || !shared_->idle) throw Error(L"Cannot make the clipboard reader");
    auto* threadShare = new std::shared_ptr<Shared>(shared_);
    thread_.reset(CreateThread(nullptr, 0, &Run, threadShare, 0, nullptr));
    if (!thread_) {
        delete threadShare;
        throw Error(L"Cannot make the clipboard reader");
    }
}

ClipboardReader::~ClipboardReader() {
    {
        const std::lock_guard guard(shared_->lock);
        shared_->quit = true;
    }
    SetEvent(shared_->request.get());
    WaitForSingleObject(thread_.get(), kEndWaitMs);
}

bool ClipboardReader::Start(DWORD sequence, std::optional<long long> sizeLimit) {
    {
        const std::lock_guard guard(shared_->lock);
        if (shared_->busy) return false;
        shared_->busy = true;
        shared_->done.reset();
        shared_->asked = ClipboardReadResult{};
        shared_->asked.sequence = sequence;
        shared_->asked.sizeLimit = sizeLimit;
        ResetEvent(shared_->idle.get());
    }
    SetEvent(shared_->request.get());
    return true;
}

bool ClipboardReader::Wait(DWORD timeoutMs) const {
    return WaitForSingleObject(shared_->idle.get(), timeoutMs) == WAIT_OBJECT_0;
}

std::optional<ClipboardReadResult> ClipboardReader::Take() {
    const std::lock_guard guard(shared_->lock);
    if (shared_->busy) return std::nullopt;
    return std::exchange(shared_->done, std::nullopt);
}

DWORD WINAPI ClipboardReader::Run(void* share) noexcept {
    const std::unique_ptr<std::shared_ptr<Shared>> own(static_cast<std::shared_ptr<Shared>*>(share));
    Shared& shared = **own;
    for (;;) {
        WaitForSingleObject(shared.request.get(), INFINITE);
        ClipboardReadResult result;
        {
            const std::lock_guard guard(shared.lock);
            if (shared.quit) return 0;
            if (!shared.busy) continue;
            result.sequence = shared.asked.sequence;
            result.sizeLimit = shared.asked.sizeLimit;
        }
        try {
            result.snapshot = ReadClipboardSnapshot(nullptr, result.sizeLimit);
        } catch (...) {
            result.error = std::current_exception();
        }
        bool quit = false;
        {
            const std::lock_guard guard(shared.lock);
            shared.done = std::move(result);
            shared.busy = false;
            quit = shared.quit;
        }
        SetEvent(shared.idle.get());
        if (quit) return 0;
        PostMessageW(shared.window, shared.doneMessage, 0, 0);
    }
}

}  // namespace platform
