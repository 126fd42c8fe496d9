#pragma once

#include <cstddef>

namespace soak {

// What the program holds on the heap through operator new right now. The soak tests replace
// the global operator new and delete to count, so a leak shows as a count that does not come
// back, with or without a sanitizer (AddressSanitizer's own allocator hides from mallinfo2).
struct LiveAllocations {
    long long blocks;
    long long bytes;
    bool operator==(const LiveAllocations&) const = default;
};

LiveAllocations live_allocations();

// The resident set of the process, from /proc/self/statm, for the report only: it moves with
// the allocator's caches and is no measure of a leak.
long resident_kib();

}  // namespace soak
