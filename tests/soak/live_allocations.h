#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>

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

using Clock = std::chrono::steady_clock;

double milliseconds_since(Clock::time_point start);

// Ticks of 100 ms: a simulated day is 864,000 of them.
inline constexpr int ticks_per_day = 24 * 60 * 60 * 10;

// Runs the clock ticks, setting the fake clock's text once a second. The text keeps one length
// all day, so it is written in place.
template <class Tick>
void run_ticks(int ticks, std::string& now, Tick tick) {
    for (int t = 0; t < ticks; ++t) {
        if (t % 10 == 0) {
            const int second = t / 10;
            char text[32];
            std::snprintf(text, sizeof text, "2026/12/06 %02d:%02d:%02d", second / 3600 % 24,
                          second / 60 % 60, second % 60);
            now = text;
        }
        tick();
    }
}

// Reports a day of ticks in two windows: its time and the heap and resident set around it.
void report_day(const char* windows, double elapsed_ms, LiveAllocations before,
                LiveAllocations after, long resident_before_kib);

}  // namespace soak
