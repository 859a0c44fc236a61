// SPDX-License-Identifier: MIT
#pragma once

#include <sys/resource.h>

// The largest resident memory of this process so far, in MiB.
inline double PeakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}
