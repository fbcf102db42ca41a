#include "app/SingleInstance.h"

#include <windows.h>

namespace app {

InstanceClaim ClaimInstance(const char* name) {
    InstanceClaim claim;
    if (const HANDLE running = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name)) {
        CloseHandle(running);
        claim.otherRuns = true;
        return claim;
    }
    if (GetLastError() == ERROR_ACCESS_DENIED) {
        claim.otherRuns = true;
        return claim;
    }
    // Two starts at the same instant both miss OpenMutexA; only one creates the mutex.
    claim.mutex.reset(CreateMutexA(nullptr, FALSE, name));
    const DWORD error = GetLastError();
    claim.otherRuns = error == ERROR_ALREADY_EXISTS || (!claim.mutex && error == ERROR_ACCESS_DENIED);
    if (claim.otherRuns) claim.mutex.reset();
    return claim;
}

}  // namespace app
