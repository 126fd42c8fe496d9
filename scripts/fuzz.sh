#!/usr/bin/env bash
# Builds the form fuzzer with clang (libFuzzer, AddressSanitizer, UBSan) and runs it on a
# headless form: every event is followed by a check of the window's state.
#
# Usage: scripts/fuzz.sh [ci|long]
#   ci    the seed corpus once, then 30 seconds of fuzzing (the CTest test "form_fuzzer")
#   long  10 minutes of fuzzing (make fuzz); the default
# Environment: FUZZ_BUILD_DIR (default build-fuzz/ in the repository), FUZZ_SECONDS to change
# the fuzzing time.
#
# fuzz/corpus holds the named seeds and, named by their hashes, 43 inputs of a 15-minute run
# that together reach every edge it reached (libFuzzer's -set_cover_merge without counters). It is
# read, never written: new inputs go to <build>/corpus, which
# later runs start from. A failing input is saved in <build>/artifacts/ and the script fails.
# It ends with the executions, the executions per second and the peak memory (RSS) of the run.
set -euo pipefail

mode=${1:-long}
case "$mode" in
    ci) seconds=${FUZZ_SECONDS:-30} ;;
    long) seconds=${FUZZ_SECONDS:-600} ;;
    *)
        echo "usage: $0 [ci|long]" >&2
        exit 2
        ;;
esac

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

# The build needs clang with its libFuzzer runtime besides what every build needs.
"$root/scripts/install-deps.sh" build fuzz

# A tree configured from elsewhere (the fuzzer once had a project of its own) starts afresh.
if ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$root" "$build/CMakeCache.txt" 2>/dev/null; then
    rm -rf "$build"
    mkdir -p "$build"
    cmake --preset fuzz -S "$root" -B "$build" >"$build/configure.log" 2>&1 ||
        {
            cat "$build/configure.log" >&2
            rm -f "$build/CMakeCache.txt"
            exit 1
        }
fi
cmake --build "$build" --target kirune_form_fuzzer -- -j2

fuzzer=$build/fuzz/kirune_form_fuzzer
mkdir -p "$build/corpus" "$build/artifacts"
# -max_len: inputs of up to 128 bytes, some 60 to 128 events each. Every state the windows can
# be in is reached in fewer (the corpus carries longer histories on), and four times the inputs
# of 512-byte ones run in the same time, each event as closely checked. The dictionary holds
# the opcodes and the key bytes.
options=(-timeout=10 -max_len=128 -dict="$root/fuzz/form.dict"
    -artifact_prefix="$build/artifacts/" -print_final_stats=1)

report_failure() {
    echo "fuzz: FAILED; the last lines of $1:" >&2
    tail -n 40 "$1" >&2
    ls -1 "$build/artifacts" >&2 || true
    exit 1
}

if [ "$mode" = ci ]; then
    # Every seed once: a seed that fails is a regression, whatever the fuzzing finds.
    "$fuzzer" "${options[@]}" -runs=0 "$root/fuzz/corpus" >"$build/seeds.log" 2>&1 ||
        report_failure "$build/seeds.log"
    echo "fuzz: the $(find "$root/fuzz/corpus" -type f | wc -l) seeds pass"
fi

# The seeds run with the caller's sanitizer options, the fuzzing without stack-use-after-return
# checks (make test turns them on; make fuzz never had them): each fault the form catches makes
# ASan sweep its fake stack, and frames level with the catch are never freed, so within a few
# thousand inputs every call scans a full fake stack: under 100 inputs a second. Freed memory
# waits in a quarantine of 64 MB instead of 256 before it is reused, as fuzzing farms run
# ASan: an hour's run then stays within 512 MB.
log=$build/fuzz-$mode.log
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_stack_use_after_return=0:quarantine_size_mb=64" \
    "$fuzzer" "${options[@]}" -max_total_time="$seconds" "$build/corpus" "$root/fuzz/corpus" \
    >"$log" 2>&1 || report_failure "$log"

final() { sed -n "s/^stat::$1: *//p" "$log"; }
coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
echo "fuzz: $(final number_of_executed_units) executions in ${seconds} s," \
    "$(final average_exec_per_sec) executions per second, peak RSS $(final peak_rss_mb) MB;" \
    "$(final new_units_added) new inputs, ${coverage:-cov: ?}; corpus" \
    "$(find "$build/corpus" -type f | wc -l) inputs; no failure"
