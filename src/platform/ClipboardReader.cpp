#include "platform/ClipboardReader.h"

#include <mutex>
#include <utility>

#include "platform/Clipboard.h"
#include "platform/Error.h"
#include "platform/SlimLock.h"

namespace platform {

// Held by the object and by its thread, so that a thread left behind by the
// destructor never touches freed memory. The hand-over is a slim lock and
// condition: each copy passes through it twice, and kernel events would make
// every pass a trip to the server under Wine.
struct ClipboardReader::Shared {
    HWND window = nullptr;  // none once the object is gone: nobody to tell
    UINT doneMessage = 0;
    SlimLock lock;
    SlimCondition changed;  // a read is asked for, one ended, or the end
    bool quit = false;
    bool busy = false;
    bool asking = false;  // a read is asked for and not yet taken up
    bool waited = false;  // the owner waits for the read: it needs no message
    std::uint64_t id = 0;
    std::optional<long long> sizeLimit;
    std::optional<ClipboardRead> done;
};

ClipboardReader::ClipboardReader(HWND window, UINT doneMessage) : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->doneMessage = doneMessage;
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
        shared_->window = nullptr;
    }
    shared_->changed.NotifyAll();
}

bool ClipboardReader::Start(std::uint64_t id, std::optional<long long> sizeLimit) {
    {
        const std::lock_guard guard(shared_->lock);
        if (shared_->busy) return false;
        shared_->busy = true;
        shared_->asking = true;
        shared_->done.reset();
        shared_->id = id;
        shared_->sizeLimit = sizeLimit;
    }
    shared_->changed.NotifyAll();
    return true;
}

bool ClipboardReader::Wait(DWORD timeoutMs) const {
    const std::lock_guard guard(shared_->lock);
    shared_->waited = true;
    const bool done = shared_->changed.WaitFor(shared_->lock, timeoutMs, [&] { return !shared_->busy; });
    shared_->waited = false;
    return done;
}

std::optional<ClipboardRead> ClipboardReader::Take() {
    const std::lock_guard guard(shared_->lock);
    if (shared_->busy) return std::nullopt;
    return std::exchange(shared_->done, std::nullopt);
}

DWORD WINAPI ClipboardReader::Run(void* share) noexcept {
    const std::unique_ptr<std::shared_ptr<Shared>> own(static_cast<std::shared_ptr<Shared>*>(share));
    Shared& shared = **own;
    for (;;) {
        std::uint64_t id = 0;
        std::optional<long long> sizeLimit;
        {
            const std::lock_guard guard(shared.lock);
            shared.changed.Wait(shared.lock, [&] { return shared.quit || shared.asking; });
            if (shared.quit) return 0;
            shared.asking = false;
            id = shared.id;
            sizeLimit = shared.sizeLimit;
        }
        ClipboardRead read;
        try {
            read = ReadClipboard(nullptr, sizeLimit);
        } catch (...) {
            read = ClipboardRead{};
            read.status = ReadStatus::Failed;
            read.error = ERROR_GEN_FAILURE;
        }
        read.id = id;
        HWND window = nullptr;
        UINT doneMessage = 0;
        bool waited = false;
        {
            const std::lock_guard guard(shared.lock);
            shared.done = std::move(read);
            shared.busy = false;
            window = shared.window;
            doneMessage = shared.doneMessage;
            waited = shared.waited;
        }
        shared.changed.NotifyAll();
        if (!window) return 0;
        // An owner that waits takes the read as it wakes; a message would be
        // a trip to the server on the way to the clip.
        if (!waited) PostMessageW(window, doneMessage, 0, 0);
    }
}

}  // namespace platform
