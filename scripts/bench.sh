#!/usr/bin/env bash
# Measures Kirune beside its references in one run and writes bench/RESULTS.md:
#   start-up (exec to window map) and memory against a minimal Qt 6 program and xcalc,
#   key to screen (XTest press to XDamage) against the minimal Qt program,
#   engine keys per second and number conversions against snprintf/strtod.
# Builds Release in its own directory, starts its own Xvfb (no window manager) and stops it.
#
# Usage: scripts/bench.sh
# Environment: BENCH_BUILD_DIR (default build-bench/ in the repository); BENCH_QUICK=1 for a
# short trial run (fewer rounds, results not meant for keeping); BENCH_STRICT=1 to fail when
# a target is missed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BENCH_BUILD_DIR:-$root/build-bench}

# What the measurement needs beyond building and running the program: the X server, xcalc
# with its fonts, the X11 libraries of the probe, Google Benchmark.
"$root/scripts/install-deps.sh" build run bench

# The program exactly as it ships (the release preset's settings), and the measuring tools
# beside it.
if [ ! -f "$build/build.ninja" ]; then
    cmake --preset bench -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" -- -j2

# The programs' environment: Japanese if the machine has the locale, xcb, no desktop.
if locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    export LANG=ja_JP.UTF-8
else
    export LANG=C.UTF-8
fi
locale_note="LANG=$LANG"
[ "$LANG" = C.UTF-8 ] && locale_note="LANG=C.UTF-8 (ja_JP.UTF-8 is not installed)"
unset LC_ALL LANGUAGE
export QT_QPA_PLATFORM=xcb
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime

display_file=$runtime/display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$display_file" \
    2>"$runtime/xvfb.log" &
xvfb_pid=$!
cleanup() {
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
if [ ! -s "$display_file" ]; then
    echo "bench: Xvfb did not start:" >&2
    cat "$runtime/xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$(cat "$display_file")

version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo "?"; }
versions="Qt $(version libqt6core6), xcalc (x11-apps) $(version x11-apps), Xvfb $(version xvfb)"
versions+=", $(c++ --version | head -n 1), Release build"

command="scripts/bench.sh"
[ -n "${MAKELEVEL:-}" ] && command="make bench"
rounds=()
if [ "${BENCH_QUICK:-0}" = 1 ]; then
    rounds=(--startup-rounds 3 --memory-rounds 1 --keys 20 --key-rounds 2 --engine-repetitions 2)
    command+=" (BENCH_QUICK=1)"
fi

status=0
python3 "$root/bench/run_bench.py" \
    --app "$build/app/kirune" \
    --qt "$build/bench/qt_minimal" \
    --probe "$build/bench/x11_probe" \
    --engine-bench "$build/bench/kirune_engine_bench" \
    --results "$root/bench/RESULTS.md" \
    --command "$command" \
    --locale-note "$locale_note" \
    --versions "$versions" \
    --raw "$build/samples.json" \
    "${rounds[@]}" || status=$?
if [ "$status" -eq 3 ]; then
    echo "bench: some targets were missed (see the table)"
    [ "${BENCH_STRICT:-0}" = 1 ] && exit 3
    exit 0
fi
exit "$status"
