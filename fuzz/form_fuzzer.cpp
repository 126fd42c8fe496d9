// libFuzzer's entry: each input runs through the form driver on a fresh main window, and a
// fault the driver's check finds ends the run as a crash, its input saved.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "fuzz/form_driver.h"

// The check around every event compares the whole state of every window; past a few hundred
// events an input only repeats what shorter ones reach, so the rest of it is not run.
constexpr std::size_t max_input = 512;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    support::HeadlessForm main;
    const std::string problem = fuzz::run_events(main, {data, std::min(size, max_input)});
    if (!problem.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
