#include "ui/Thread.h"

#include <exception>

#include "platform/Error.h"
#include "ui/Application.h"

namespace ui {

Thread::Thread()
    : running_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      pausing_(CreateEventW(nullptr, TRUE, TRUE, nullptr)),
      terminate_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!running_ || !pausing_ || !terminate_) throw platform::OutOfResources(L"Cannot create the events of a thread");
    handle_.reset(CreateThread(nullptr, 0, &Thread::Entry, this, CREATE_SUSPENDED, nullptr));
    if (!handle_) throw platform::OutOfResources(L"Cannot create a thread");
}

Thread::~Thread() { Stop(); }

void Thread::SetPriority(int priority) { SetThreadPriority(handle_.get(), priority); }

void Thread::Resume() {
    paused_ = false;
    ResetEvent(pausing_.get());
    SetEvent(running_.get());
    if (!started_) {
        started_ = true;
        ResumeThread(handle_.get());
    }
}

void Thread::Pause() {
    paused_ = true;
    ResetEvent(running_.get());
    SetEvent(pausing_.get());
}

void Thread::Terminate() noexcept {
    terminated_ = true;
    SetEvent(terminate_.get());
    Application::Get().CancelHandOffs(this);
}

void Thread::WaitFor() noexcept {
    if (!handle_) return;
    if (!started_) {
        // Still suspended since its creation: let it run just to see it should end.
        started_ = true;
        ResumeThread(handle_.get());
    }
    WaitForSingleObject(handle_.get(), INFINITE);
}

bool Thread::Synchronize(const std::function<void()>& call) { return Application::Get().Synchronize(call, this); }

bool Thread::WaitWhilePaused() {
    const HANDLE events[] = {terminate_.get(), running_.get()};
    return WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1 && !terminated_;
}

bool Thread::Rest(std::chrono::microseconds duration) {
    if (duration.count() > 0) {
        const HANDLE events[] = {terminate_.get(), pausing_.get()};
        WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>((duration.count() + 999) / 1000));
    }
    return !terminated_;
}

DWORD WINAPI Thread::Entry(void* self) noexcept {
    auto* thread = static_cast<Thread*>(self);
    try {
        if (!thread->Terminated()) thread->Execute();
    } catch (...) {
        // Reported through this thread's own hand-off, which a GUI thread
        // waiting for it to end has refused: the report never blocks the end.
        const std::exception_ptr error = std::current_exception();
        thread->Synchronize([&] {
            try {
                std::rethrow_exception(error);
            } catch (...) {
                ReportCurrentException();
            }
        });
    }
    return 0;
}

}  // namespace ui
