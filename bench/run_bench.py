#!/usr/bin/env python3
"""Runs the benchmarks side by side and writes the table.

Every figure is a median over interleaved runs (A B C A B C ...), so a slow moment of the
machine hits every program alike, and it is given as a ratio to a reference measured in the
same run. scripts/bench.sh builds the programs and starts the X server; this script only
measures and reports.
"""

import argparse
import datetime
import json
import math
import os
import platform
import re
import statistics
import subprocess
import sys
import time


def run(command, timeout=120, attempts=3):
    """Runs a measuring command; a failed start (a display refused under load, a program that
    did not map in time) is tried again, so one hiccup does not cost the whole run."""
    for attempt in range(attempts):
        result = subprocess.run(command, capture_output=True, text=True, timeout=timeout)
        if result.returncode == 0:
            return result.stdout
        if attempt + 1 < attempts:
            sys.stderr.write(f"bench: {os.path.basename(command[0])} failed "
                             f"({result.stderr.strip()}); trying again\n")
    if result.returncode != 0:
        sys.stderr.write(result.stderr)
        raise SystemExit(f"bench: {' '.join(command)} failed with {result.returncode}")
    return result.stdout


def percentile(values, fraction):
    """Nearest-rank percentile: p99 of 200 samples is the 198th smallest."""
    ordered = sorted(values)
    rank = max(1, math.ceil(fraction * len(ordered)))
    return ordered[rank - 1]


def probe_fields(probe, mode, command):
    line = run([probe, mode, "--"] + command).strip()
    return {key: float(value) for key, value in (item.split("=") for item in line.split())}


def measure_startup(probe, programs, rounds):
    """Exec to map only, the program stopped at the map: {name: [ms, ...]}, one per round."""
    samples = {name: [] for name, _ in programs}
    # One untimed start each first: the first start of a program reads its files from disk.
    for _, command in programs:
        run([probe, "map", "--"] + command)
    for round_index in range(rounds):
        # The two compared programs swap places every other round, so neither always starts
        # right after the same program's exit.
        order = programs if round_index % 2 == 0 else [programs[1], programs[0]] + programs[2:]
        for name, command in order:
            samples[name].append(probe_fields(probe, "map", command)["startup_ms"])
    return samples


def round_ratios(block, name, reference):
    """Each start of name over the reference's start in the same round."""
    return [a / b for a, b in zip(block["samples"][name], block["samples"][reference])]


def measure_memory(probe, programs, rounds):
    """Rss and Pss one second after the map; stable to a few KiB, so a few rounds do."""
    samples = {name: {"rss_kb": [], "pss_kb": []} for name, _ in programs}
    for _ in range(rounds):
        for name, command in programs:
            fields = probe_fields(probe, "startup", command)
            for key in samples[name]:
                samples[name][key].append(fields[key])
    return samples


def measure_keys(probe, programs, cases, keys, rounds):
    """programs: (name, command); cases: (program index, case name, prep keys, key).

    All programs run at once, their windows one below the other, and the cases alternate
    between them key by key, so a busy moment of the machine meets every program alike.
    """
    per_round = max(1, keys // rounds)
    samples = {}
    timeouts = {}
    arguments = [probe, "keys", str(per_round)]
    for index, name, prep, key in cases:
        arguments += [f"{index}:{name}", prep, key]
    for _, command in programs:
        arguments += ["--"] + command
    for round_index in range(rounds):
        out = run(arguments, timeout=600)
        for line in out.splitlines():
            kind, case = line.split()[:2]
            index, name = case.split(":", 1)
            label = f"{programs[int(index)][0]} {name}"
            if kind == "sample":
                samples.setdefault(label, []).append(float(line.split()[2]))
            elif kind == "timeout":
                timeouts[label] = timeouts.get(label, 0) + 1
        print(f"  key round {round_index + 1}/{rounds} done", flush=True)
    return samples, timeouts


def measure_engine(engine_bench, repetitions):
    out = run(
        [
            engine_bench,
            "--benchmark_format=json",
            f"--benchmark_repetitions={repetitions}",
            "--benchmark_enable_random_interleaving=true",
            "--benchmark_min_time=0.2",
        ],
        timeout=900,
    )
    data = json.loads(out)
    rates = {}
    for entry in data["benchmarks"]:
        if entry.get("run_type") != "iteration" or "error_occurred" in entry:
            continue
        rates.setdefault(entry["run_name"], []).append(entry["items_per_second"])
    return {name: statistics.median(values) for name, values in rates.items()}


def machine_text():
    cpu = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    memory = ""
    try:
        with open("/proc/meminfo") as info:
            kb = int(info.readline().split()[1])
            memory = f", {kb / 1024 / 1024:.1f} GiB RAM"
    except (OSError, ValueError, IndexError):
        pass
    load = os.getloadavg()[0]
    return (
        f"{cpu}, {os.cpu_count()} cores{memory}; {platform.system()} {platform.release()}; "
        f"load average {load:.2f} at the start"
    )


def verdict(ok):
    return "met" if ok else "MISSED"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--qt", required=True)
    parser.add_argument("--xcalc", default="xcalc")
    parser.add_argument("--probe", required=True)
    parser.add_argument("--engine-bench", required=True)
    parser.add_argument("--startup-rounds", type=int, default=31, help="rounds per block")
    parser.add_argument("--startup-blocks", type=int, default=3)
    parser.add_argument("--memory-rounds", type=int, default=5)
    parser.add_argument("--keys", type=int, default=200)
    parser.add_argument("--key-rounds", type=int, default=10)
    parser.add_argument("--engine-repetitions", type=int, default=9)
    parser.add_argument("--results", required=True)
    parser.add_argument("--command", default="make bench")
    parser.add_argument("--locale-note", default="")
    parser.add_argument("--versions", default="")
    parser.add_argument("--raw", help="also write every sample here, as JSON")
    args = parser.parse_args()

    started = datetime.datetime.now().astimezone()
    machine = machine_text()
    load_at_start = os.getloadavg()[0]

    # Start-up is timed in blocks spread over the whole run (before the key timing, between it
    # and the engine, at the end), each block interleaved, and the ratio reported is the median
    # of the blocks' ratios: one quiet or busy minute of a shared machine cannot decide it.
    startup_programs = [("kirune", [args.app]), ("qt_minimal", [args.qt]),
                        ("xcalc", [args.xcalc])]
    startup_blocks = []

    def startup_block():
        index = len(startup_blocks) + 1
        print(f"Start-up block {index}/{args.startup_blocks} (kirune, qt_minimal, xcalc "
              f"interleaved, {args.startup_rounds} rounds)...", flush=True)
        minute = (time.monotonic() - clock_start) / 60
        times = measure_startup(args.probe, startup_programs, args.startup_rounds)
        startup_blocks.append({"minute": minute, "samples": times})

    clock_start = time.monotonic()
    startup_block()
    print(f"Memory (interleaved, {args.memory_rounds} rounds)...", flush=True)
    memory = measure_memory(args.probe, startup_programs, args.memory_rounds)
    print("Key to screen (kirune, qt_minimal side by side, keys alternating)...", flush=True)
    # Each case ends with the display changed, so the timed key always repaints: the prep keys
    # put back the display the key starts from.
    keys, timeouts = measure_keys(
        args.probe,
        [("kirune", [args.app]), ("qt_minimal", [args.qt])],
        [
            (0, "digit", "c", "7"),
            (1, "digit", "BackSpace", "7"),
            (0, "operator", "c,2,plus,3", "plus"),
            (0, "sqrt", "c,9", "r"),
        ],
        args.keys,
        args.key_rounds,
    )
    while len(startup_blocks) < args.startup_blocks - 1:
        startup_block()
    print("Engine throughput (Google Benchmark, random interleaving)...", flush=True)
    engine = measure_engine(args.engine_bench, args.engine_repetitions)
    while len(startup_blocks) < args.startup_blocks:
        startup_block()
    if args.raw:
        with open(args.raw, "w") as raw:
            json.dump({"startup_blocks": startup_blocks, "memory": memory, "keys": keys,
                       "key_timeouts": timeouts, "engine": engine}, raw, indent=1)

    # The ratio is the median of the per-round ratios of all blocks: a start compared with the
    # reference's start of its own round, a few hundred milliseconds apart, so a busy minute of
    # the machine weighs on both. Per block, the median of its rounds' ratios and of each
    # program's times.
    block_medians = [{name: statistics.median(times) for name, times in block["samples"].items()}
                     for block in startup_blocks]
    ratios_qt = [statistics.median(round_ratios(block, "kirune", "qt_minimal"))
                 for block in startup_blocks]
    start = {name: statistics.median(b[name] for b in block_medians) for name in block_medians[0]}
    mem = {name: {k: statistics.median(v) for k, v in s.items()} for name, s in memory.items()}
    kirune, qt, xcalc = mem["kirune"], mem["qt_minimal"], mem["xcalc"]
    rows = []
    checks = []

    def row(measure, value, reference, ratio, target, ok):
        rows.append((measure, value, reference, ratio, target, verdict(ok) if target else ""))
        if target:
            checks.append(ok)

    start_ratio_qt = statistics.median(
        [r for block in startup_blocks for r in round_ratios(block, "kirune", "qt_minimal")])
    start_ratio_xcalc = statistics.median(
        [r for block in startup_blocks for r in round_ratios(block, "kirune", "xcalc")])
    row("start-up, exec to map (ms)", f"{start['kirune']:.1f}",
        f"Qt minimal {start['qt_minimal']:.1f}", f"{start_ratio_qt:.2f}", "<= 1.05",
        start_ratio_qt <= 1.05)
    row("start-up, exec to map (ms)", f"{start['kirune']:.1f}",
        f"xcalc {start['xcalc']:.1f}", f"{start_ratio_xcalc:.2f}", "< 1.00",
        start_ratio_xcalc < 1.0)
    rss_ratio = kirune["rss_kb"] / qt["rss_kb"]
    row("RSS 1 s after map (KiB)", f"{kirune['rss_kb']:.0f}", f"Qt minimal {qt['rss_kb']:.0f}",
        f"{rss_ratio:.2f}", "<= 1.15", rss_ratio <= 1.15)
    row("RSS 1 s after map (KiB)", f"{kirune['rss_kb']:.0f}", f"xcalc {xcalc['rss_kb']:.0f}",
        f"{kirune['rss_kb'] / xcalc['rss_kb']:.2f}", "", True)
    row("PSS 1 s after map (KiB)", f"{kirune['pss_kb']:.0f}", f"Qt minimal {qt['pss_kb']:.0f}",
        f"{kirune['pss_kb'] / qt['pss_kb']:.2f}", "", True)
    row("PSS 1 s after map (KiB)", f"{kirune['pss_kb']:.0f}", f"xcalc {xcalc['pss_kb']:.0f}",
        f"{kirune['pss_kb'] / xcalc['pss_kb']:.2f}", "", True)

    qt_digit = keys.get("qt_minimal digit", [float("nan")])
    qt_median = statistics.median(qt_digit)
    qt_p99 = percentile(qt_digit, 0.99)
    for case, label in (("digit", "digit 7"), ("operator", "+ with a result"),
                        ("sqrt", "r (square root)")):
        values = keys.get(f"kirune {case}", [float("nan")])
        median = statistics.median(values)
        p99 = percentile(values, 0.99)
        row(f"key to screen, {label}, median (ms, n={len(values)})", f"{median:.2f}",
            f"Qt minimal digit {qt_median:.2f}", f"{median / qt_median:.2f}", "<= 2 ms",
            median <= 2.0)
        row(f"key to screen, {label}, p99 (ms)", f"{p99:.2f}", f"Qt minimal digit {qt_p99:.2f}",
            f"{p99 / qt_p99:.2f}", "<= 8 ms", p99 <= 8.0)

    for case in ("arithmetic", "digits", "functions"):
        rate = engine.get(f"keys/{case}", float("nan"))
        row(f"engine keys/s, {case} (M/s)", f"{rate / 1e6:.2f}", "", "", ">= 5 M/s", rate >= 5e6)
    to_text = engine["snprintf_15g"] / engine["double_text"]
    from_text = engine["strtod"] / engine["leading_number"]
    row("double_text (M/s)", f"{engine['double_text'] / 1e6:.2f}",
        f"snprintf %.15g {engine['snprintf_15g'] / 1e6:.2f}", f"{to_text:.2f} x time",
        "<= 3 x time", to_text <= 3.0)
    row("leading_number (M/s)", f"{engine['leading_number'] / 1e6:.2f}",
        f"strtod {engine['strtod'] / 1e6:.2f}", f"{from_text:.2f} x time", "<= 3 x time",
        from_text <= 3.0)

    block_text = ", ".join(f"{ratio:.3f} (minute {block['minute']:.1f}, Qt minimal "
                           f"{medians['qt_minimal']:.1f} ms)"
                           for ratio, block, medians in zip(ratios_qt, startup_blocks,
                                                            block_medians))
    spread = max(ratios_qt) / min(ratios_qt) - 1
    print(f"start-up blocks, Kirune / Qt minimal: {block_text}; {spread * 100:.1f} % apart")

    header = ("Measure", "Kirune", "Reference", "Ratio", "Target", "Result")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    print()
    for r in [header] + rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(r, widths)))
    if timeouts:
        print(f"key presses without a repaint within 1 s: {timeouts}")

    # The previous run's result, if this file holds one: how far two runs lie apart is the
    # measure of how far one run can be trusted.
    previous = None
    try:
        with open(args.results) as old:
            found = re.search(r"^- Start-up result: ([0-9.]+) x Qt minimal, run of ([^.]+)\.$",
                              old.read(), re.MULTILINE)
        if found:
            previous = (float(found.group(1)), found.group(2))
    except OSError:
        pass
    run_date = started.strftime("%Y-%m-%d %H:%M %Z")
    result_lines = [f"- Start-up result: {start_ratio_qt:.3f} x Qt minimal, run of {run_date}."]
    if previous:
        apart = (start_ratio_qt / previous[0] - 1) * 100
        result_lines.append(f"- The run before it in this file: {previous[0]:.3f} x Qt minimal, "
                            f"run of {previous[1]}; the two runs are {apart:+.1f} % apart.")
        print(f"previous run {previous[0]:.3f} ({previous[1]}): {apart:+.1f} % apart")

    # On a machine busy with other work single starts spread over several times their quiet
    # length, and no number of rounds here brings the ratio to within a few per cent.
    load = max(load_at_start, os.getloadavg()[0])
    if load > (os.cpu_count() or 1):
        warning = (f"load average up to {load:.1f} on {os.cpu_count()} cores: other programs "
                   "shared the processors, single starts spread widely (see the samples), and "
                   "the start-up ratio of this run is not reliable to a few per cent.")
        result_lines.append(f"- Busy machine: {warning}")
        print(f"bench: busy machine, {warning}")

    lines = [
        "# Kirune benchmark results",
        "",
        f"- Command: `{args.command}`",
        f"- Date: {run_date}",
        f"- Machine: {machine}",
        f"- Display: Xvfb 1280x1024x24, no window manager, QT_QPA_PLATFORM=xcb; {args.locale_note}",
    ]
    if args.versions:
        lines.append(f"- Versions: {args.versions}")
    lines += [
        f"- Start-up: {args.startup_blocks} blocks of {args.startup_rounds} interleaved rounds "
        "(Kirune and Qt minimal, swapping places every other round, then xcalc) spread over "
        "the run, exec to the MapNotify of the first top-level window; the ratio is the median "
        "of the per-round ratios of all blocks (each start over the reference's start of the "
        "same round), a block's ratio the median of its rounds', the times the median of the "
        "blocks' medians.",
        f"- Start-up blocks, Kirune / Qt minimal: {block_text}; the blocks are {spread * 100:.1f} % "
        "apart (largest ratio over smallest).",
    ] + result_lines + [
        f"- Memory: median of {args.memory_rounds} interleaved rounds, Rss and Pss from "
        "/proc/PID/smaps_rollup one second after the map. Pss shares each library page among "
        "every process mapping it, other programs on the machine included: compare it within "
        "one run only.",
        f"- Key to screen: {args.keys} XTest presses per case in {args.key_rounds} rounds, Kirune "
        "and Qt minimal running side by side with the keys alternating between them, each "
        "from the press to the first XDamage event of the window; p99 is the nearest rank.",
        f"- Engine: Google Benchmark, {args.engine_repetitions} repetitions with random "
        "interleaving, median of items per second (CPU time); the ratio for the conversions is "
        "the time of ours over the time of the C library's.",
        "",
        "| " + " | ".join(header) + " |",
        "|" + "|".join("---" for _ in header) + "|",
    ]
    lines += ["| " + " | ".join(str(c) for c in r) + " |" for r in rows]
    if timeouts:
        lines += ["", f"Key presses without a repaint within 1 s: {timeouts}"]
    missed = checks.count(False)
    lines += ["", f"Targets met: {checks.count(True)} of {len(checks)}."]
    with open(args.results, "w") as results:
        results.write("\n".join(lines) + "\n")
    print(f"\nTargets met: {checks.count(True)} of {len(checks)}; written to {args.results}")
    return 0 if missed == 0 else 3


if __name__ == "__main__":
    sys.exit(main())
