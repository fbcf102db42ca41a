#pragma once
// A lock and a condition of the system's own slim kind. The standard ones of
// this toolchain go through its POSIX threads layer, whose waits and wakes
// are kernel objects: under Wine each is a trip to the server, several per
// hand-off between two threads. Slim locks wait in the process while they can.
#include <windows.h>

namespace platform {

// Meets BasicLockable, for std::lock_guard and std::unique_lock.
class SlimLock {
public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;
    void lock() noexcept { AcquireSRWLockExclusive(&lock_); }
    void unlock() noexcept { ReleaseSRWLockExclusive(&lock_); }

private:
    friend class SlimCondition;
    SRWLOCK lock_ = SRWLOCK_INIT;
};

class SlimCondition {
public:
    SlimCondition() = default;
    SlimCondition(const SlimCondition&) = delete;
    SlimCondition& operator=(const SlimCondition&) = delete;
    // Waits, with the lock held by the caller, until done() holds.
    template <typename Done>
    void Wait(SlimLock& lock, Done done) noexcept {
        while (!done()) SleepConditionVariableSRW(&condition_, &lock.lock_, INFINITE, 0);
    }
    // As Wait, for at most timeoutMs; what done() holds at the end.
    template <typename Done>
    bool WaitFor(SlimLock& lock, DWORD timeoutMs, Done done) noexcept {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        while (!done()) {
            const ULONGLONG now = GetTickCount64();
            if (now >= end) return false;
            SleepConditionVariableSRW(&condition_, &lock.lock_, static_cast<DWORD>(end - now), 0);
        }
        return true;
    }
    void NotifyAll() noexcept { WakeAllConditionVariable(&condition_); }

private:
    CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};

}  // namespace platform
