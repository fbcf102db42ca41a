#pragma once
// One Velmor per session: a named mutex marks the running instance.
#include "platform/Handles.h"

namespace app {

struct InstanceClaim {
    bool otherRuns = false;          // another instance holds the name: this one ends
    platform::KernelHandle mutex;    // held while this instance runs; empty if none could be made
};

// Opens or creates the mutex of this name. A mutex that exists but may not
// be opened (the running instance is elevated, this one is not) marks a
// running instance too: both calls then fail with ERROR_ACCESS_DENIED.
InstanceClaim ClaimInstance(const char* name);

}  // namespace app
