#pragma once
// A worker thread. It is created suspended; Resume starts it, and later
// pauses and resumes it between units of work through a wait object, never by
// suspending it from outside (it could hold a lock the GUI thread needs).
// Its work on windows is handed to the GUI thread with Synchronize.
//
// Stop it (Terminate, then WaitFor) before the objects its Execute uses are
// destroyed; a derived class stops it in its own destructor.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>

#include "platform/Handles.h"

namespace ui {

class Thread {
public:
    Thread();
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    void SetPriority(int priority);  // THREAD_PRIORITY_*
    int Priority() const noexcept { return GetThreadPriority(handle_.get()); }
    // Starts the thread the first time, and lets a paused one go on after that.
    void Resume();
    // Execute waits at its next WaitWhilePaused until Resume or Terminate.
    void Pause();
    bool Paused() const noexcept { return paused_; }

    // Asks Execute to end: a pause or a hand-off it waits for returns at once.
    void Terminate() noexcept;
    bool Terminated() const noexcept { return terminated_; }
    // Returns once Execute has returned (or never started).
    void WaitFor() noexcept;
    void Stop() noexcept {
        Terminate();
        WaitFor();
    }

protected:
    virtual void Execute() = 0;
    // Runs call on the GUI thread and waits for it; false when it was not run
    // because the thread was told to end or the application is closing.
    bool Synchronize(const std::function<void()>& call);
    // Between units of work: waits while paused; false when told to end.
    bool WaitWhilePaused();
    // A timed rest between units of work that Pause and Terminate cut short;
    // false when told to end. Whole milliseconds, rounded up; the system may
    // round it up further to its timer tick (15.6 ms by default on Windows),
    // so a worker that keeps a rate measures its rests on a fine clock.
    bool Rest(std::chrono::microseconds duration);

private:
    static DWORD WINAPI Entry(void* self) noexcept;

    platform::KernelHandle handle_;
    platform::KernelHandle running_;    // manual reset: set while not paused
    platform::KernelHandle pausing_;    // manual reset: set while paused, so that a rest ends
    platform::KernelHandle terminate_;  // manual reset: set by Terminate
    std::atomic<bool> terminated_{false};
    std::atomic<bool> paused_{true};
    bool started_ = false;
};

}  // namespace ui
