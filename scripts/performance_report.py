#!/usr/bin/env python3
"""Writes docs/performance.md from one run of scripts/bench.sh: the benchmarks' medians (JSON from
Google Benchmark), the head-to-head rounds of ours against the peer meters (one JSON file of ours
and one "URI ns" line per peer each round) and lscpu."""
import json
import re
import statistics
import sys
from pathlib import Path

results = Path(sys.argv[1])
repetitions = sys.argv[2] if len(sys.argv) > 2 else "?"
rounds = sys.argv[3] if len(sys.argv) > 3 else "?"


def medians(name):
    path = results / name
    if not path.exists():
        return {}
    out = {}
    for b in json.loads(path.read_text())["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        value = b.get("ns_per_sample", b.get("ns_per_cycle"))
        out[b["run_name"]] = (value, b.get("label", ""))
    return out


def idle_ticks(name):
    """(label, microseconds per tick or None, error, share of ticks that redrew both faces or None)
    for each case, in the order they ran."""
    path = results / name
    if not path.exists():
        return []
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    out = []
    for b in json.loads(path.read_text())["benchmarks"]:
        if b.get("error_occurred"):
            # One entry per repetition that failed: the first tells it.
            name = b.get("label") or b["run_name"]
            if all(name != o[0] for o in out):
                out.append((name, None, b.get("error_message", "error"), None))
        elif b.get("aggregate_name") == "median":
            out.append((b.get("label", b["run_name"]), b["real_time"] * scale[b.get("time_unit", "ns")], "",
                        b.get("both_faces_redrawn")))
    return out


engines = medians("engines.json")
chain = medians("chain.json")
plugin = medians("plugin.json")
editor = idle_ticks("editor.json")
idle_rate = 30


def head_to_head():
    """Medians over the rounds: ours by benchmark name (value, label), the peers by meter name."""
    ours, theirs = {}, {}
    for path in sorted(results.glob("headtohead-ours-*.json")):
        for b in json.loads(path.read_text())["benchmarks"]:
            if b.get("error_occurred") or "ns_per_sample" not in b:
                continue
            ours.setdefault(b["run_name"], ([], b.get("label", "")))[0].append(b["ns_per_sample"])
    peers_file = results / "headtohead-peers.txt"
    for line in peers_file.read_text().splitlines() if peers_file.exists() else []:
        uri, ns = line.split()
        theirs.setdefault(uri.rsplit("#", 1)[1], []).append(float(ns))
    return ({k: (statistics.median(v), label) for k, (v, label) in ours.items()},
            {k: statistics.median(v) for k, v in theirs.items()})


ours_h2h, peers = head_to_head()
lscpu = dict(
    (k.strip(), v.strip())
    for k, v in (l.split(":", 1) for l in (results / "lscpu.txt").read_text().splitlines() if ":" in l)
)
flags = set(lscpu.get("Flags", "").split())

ns_per_cycle = engines["clockEstimate"][0]
ghz = 1.0 / ns_per_cycle
widest = "AVX-512" if "avx512f" in flags else "AVX2" if "avx2" in flags else "SSE2"
lanes = {"AVX-512": 8, "AVX2": 4, "SSE2": 2}[widest]
# 384 multiply-adds per stereo sample, two vector multiply-add units.
limit = {w: 384 / (2 * n) * ns_per_cycle for w, n in (("AVX-512", 8), ("AVX2", 4), ("SSE2", 2))}


def engine(meter, precise, rate=48000, frames=256):
    return engines[f"{meter}Process/precise:{precise}/rate:{rate}/frames:{frames}"][0]


def stage_at_48k(figures):
    """The 4x stage of the widest variant this processor runs: (label, ns)."""
    variants = [(label, value) for name, (value, label) in figures.items()
                if name.startswith("truePeakStage/") and "rate:48000" in name and value]
    return variants[-1]


def head_to_head_engine(meter):
    name = f"{meter}Process/precise:0/rate:48000/frames:256"
    return ours_h2h[name][0] if name in ours_h2h else engine(meter, 0)


chosen, stage = stage_at_48k(ours_h2h if ours_h2h else engines)


def f(x):
    return f"{x:.2f}"


out = []
w = out.append
w("# Performance")
w("")
w("Every figure is nanoseconds per stereo sample (one left and one right sample), the median of "
  f"{repetitions} repetitions, measured in one run of `scripts/bench.sh` on the machine below. "
  "The editor's idle is the exception: microseconds per idle tick. Ours against the peers is the "
  f"median of {rounds} rounds in the same run, each round timing our cases and then each peer once "
  "on the same noise (uniform white noise at about -10 dBFS), so that both sides meet the same "
  "load on this shared machine.")
w("")
w("## Machine")
w("")
w(f"- {lscpu.get('Model name', '?')}, {lscpu.get('CPU(s)', '?')} CPUs, "
  f"{lscpu.get('Thread(s) per core', '?')} thread per core, {lscpu.get('Hypervisor vendor', 'no')} hypervisor")
w(f"- vector units: " + ", ".join(x for x in ("sse2", "avx2", "fma", "avx512f") if x in flags) +
  f"; widest: {widest}")
w(f"- clock while running, from a chain of dependent integer adds: {ghz:.2f} GHz")
w("- the machine is shared: other work ran beside the benchmarks, so single figures move by 10 to 20 %")
w("")
w("## Commands")
w("")
w("```")
w("scripts/bench.sh          # builds build-bench/, runs everything below, rewrites this page")
w(f"build-bench/bin/velunor_engine_bench --benchmark_repetitions={repetitions} --benchmark_report_aggregates_only=true --benchmark_min_time=0.1")
w(f"build-bench/bin/velunor_chain_bench  --benchmark_repetitions={repetitions} --benchmark_report_aggregates_only=true --benchmark_min_time=0.1")
w(f"VELUNOR_BIN_DIR=build-bench/bin XDG_CONFIG_HOME=$(mktemp -d) build-bench/bin/velunor_plugin_bench --benchmark_repetitions={repetitions} --benchmark_report_aggregates_only=true --benchmark_min_time=0.1")
w(f"XDG_CONFIG_HOME=$(mktemp -d) xvfb-run -a build-bench/bin/velunor_editor_bench --benchmark_repetitions={repetitions} --benchmark_report_aggregates_only=true --benchmark_min_time=0.1")
w("# each round of the head-to-head:")
w("build-bench/bin/velunor_engine_bench --benchmark_min_time=0.1 --benchmark_filter='^((vu|ppm|rms)Process/precise:0/rate:48000/frames:256|truePeakStage/variant:[0-9]+/rate:48000/frames:256)$'")
w("build-bench/bin/velunor_lilv_peer http://gareus.org/oss/lv2/meters#dBTPstereo 1   # and VUstereo, BBCstereo, K20stereo")
w("```")
w("")
w(f"## Ours against the peers (48 kHz, blocks of 256 frames, median of {rounds} rounds)")
w("")
w("| stage | ours | peer | peer's figure | peer / ours |")
w("|---|---|---|---|---|")
rows = [
    (f"true-peak stage, 4x, both channels ({chosen})", stage, "x42 dBTPstereo", peers.get("dBTPstereo")),
    ("VU meter, CPU SAFE", head_to_head_engine("vu"), "x42 VUstereo", peers.get("VUstereo")),
    ("PPM, CPU SAFE", head_to_head_engine("ppm"), "x42 BBCstereo", peers.get("BBCstereo")),
    ("RMS meter, CPU SAFE", head_to_head_engine("rms"), "x42 K20stereo", peers.get("K20stereo")),
]
for what, ours, peer, theirs in rows:
    w(f"| {what} | {f(ours)} | {peer} | {f(theirs) if theirs else '-'} | {f(theirs / ours) if theirs else '-'} |")
w("")
w(f"Arithmetic limit of the 4x stage taken as 384 double multiply-adds per stereo sample, two "
  f"vector multiply-add units at {ghz:.2f} GHz: AVX-512 {f(limit['AVX-512'])} ns, AVX2 {f(limit['AVX2'])} ns, "
  f"SSE2 {f(limit['SSE2'])} ns. The stage folds the symmetric taps (phase 2 symmetric, phase 3 the "
  "reverse of phase 1), which halves the multiply-adds, so it can come in under that limit."
  + (" This processor (AMD family 25, Zen 4) runs a 512-bit multiply-add on both of its 256-bit "
     "units, so AVX-512 has no more multiply-add throughput than AVX2 here; its gain comes from "
     "twice the registers, which let every window load serve several taps and groups."
     if lscpu.get("CPU family") == "25" and "AMD" in lscpu.get("Vendor ID", "") else ""))
w("")
w("The detectors (needle filter, quasi-peak, mean square, hold) are recursions: each sample "
  "waits for the last one, so their floor is the latency of their arithmetic, kept exactly as "
  "the plain code rounds it (no reordering, no fused multiply-add). Both channels run side by "
  "side in one 128-bit register, and each engine's loop is built three times, for x86-64-v4 "
  "(AVX-512's 32 registers hold a whole block's state), for AVX (three-operand forms) and for any "
  "x86-64, all without fused multiply-adds, so that they round alike; the widest the processor "
  "runs is taken. The quasi-peak step is a compare, a subtract, a multiply and an add, then the "
  "tiny-value flush (x + 1e-14) - 1e-14: about 15 cycles or "
  f"{f(15 * ns_per_cycle)} ns a sample here. The loop runs each span with the flush deferred: "
  "the recursions carry their values as they are, one wide pass afterwards checks that the flush "
  "would have given every value back bit for bit, and a span it would have changed (a decay into "
  "silence) runs again with the flush in place. What is left, subtract, multiply and add at "
  "three cycles each on this processor, is 9 cycles or "
  f"{f(9 * ns_per_cycle)} ns a sample: the floor of any loop that keeps the results. A peer "
  "below that figure cannot be matched without changing them.")
w("")
w("The PRECISE stage in each variant this processor runs (48 kHz and 96 kHz, 256 frames):")
w("")
w("| variant | 48 kHz (4x) | 96 kHz (2x) |")
w("|---|---|---|")
for name, (value, label) in engines.items():
    if name.startswith("truePeakStage/") and "rate:48000" in name and value:
        other = engines.get(name.replace("rate:48000", "rate:96000"), (None,))[0]
        w(f"| {label} | {f(value)} | {f(other) if other else '-'} |")
w("")
w("Each engine's CPU SAFE loop in each build this processor runs (48 kHz, 256 frames):")
w("")
builds = [label for name, (value, label) in engines.items() if name.startswith("vuBuild/") and value]
w("| meter | " + " | ".join(builds) + " |")
w("|---|" + "---|" * len(builds))
for meter in ("vu", "ppm", "rms"):
    cells = [f(value) for name, (value, label) in engines.items() if name.startswith(f"{meter}Build/") and value]
    w(f"| {meter.upper()} | " + " | ".join(cells) + " |")
w("")
w("## The bars")
w("")
bar = limit[widest] * 2
w(f"- PRECISE stage at most 2x the {widest} limit ({f(bar)} ns): {f(stage)} ns, "
  + ("met" if stage <= bar else f"missed by {f(stage - bar)} ns") +
  (f"; {f(peers['dBTPstereo'] / stage)} times faster than x42 dBTPstereo (bar: 10)" if "dBTPstereo" in peers else ""))
for what, ours, peer, theirs in rows[1:]:
    if theirs:
        w(f"- {what} at most as costly as {peer}: {f(ours)} against {f(theirs)} ns, "
          + ("met" if ours <= theirs else f"missed: {f(ours / theirs)} times the peer's cost"))
for name, (value, label) in plugin.items():
    w(f"- whole plug-in (the .so through its AEffect record), {label} with PRECISE on and Process off, "
      f"48 kHz: {f(value)} ns, " + ("met" if value <= 20.8 else f"missed by {f(value - 20.8)} ns") +
      " (bar: 0.1 % of one core, 20.8 ns at 48 kHz)")
w("")
w("## Each engine's process()")
w("")
w("| meter | mode | rate | 32 frames | 256 frames | 1024 frames |")
w("|---|---|---|---|---|---|")
for meter in ("vu", "ppm", "rms"):
    for precise in (0, 1):
        for rate in (44100, 48000, 96000, 192000):
            cells = [f(engine(meter, precise, rate, n)) for n in (32, 256, 1024)]
            w(f"| {meter.upper()} | {'PRECISE' if precise else 'CPU SAFE'} | {rate} | " + " | ".join(cells) + " |")
w("")
meter_names = {"0": "VU", "1": "RMS", "2": "PPM"}
w("## Through the effect (processReplacing, Process off, the selected meter measuring)")
w("")
w("| meter | mode | rate | 32 frames | 256 frames | 1024 frames |")
w("|---|---|---|---|---|---|")
for m in ("0", "2", "1"):
    for precise in ("0", "1"):
        for rate in (44100, 96000, 192000):
            cells = [chain.get(f"meter/meter:{m}/precise:{precise}/rate:{rate}/frames:{n}", (None,))[0] for n in (32, 256, 1024)]
            w(f"| {meter_names[m]} | {'PRECISE' if precise == '1' else 'CPU SAFE'} | {rate} | "
              + " | ".join(f(c) if c else "-" for c in cells) + " |")
w("")
w("## The strip through the effect (the default meter, VU in CPU SAFE, behind it)")
w("")
w("| case | rate | 32 frames | 256 frames | 1024 frames |")
w("|---|---|---|---|---|")
for case in ("passThrough", "trim", "trimAndFilters"):
    for rate in (44100, 96000, 192000):
        cells = [chain.get(f"{case}/rate:{rate}/frames:{n}", (None,))[0] for n in (32, 256, 1024)]
        w(f"| {case} | {rate} | " + " | ".join(f(c) if c else "-" for c in cells) + " |")
w("")
if editor:
    w("## The editor's idle")
    w("")
    w("One editor idle tick (effEditIdle) with the real editor at its default window, 586 x 195: the "
      "shown front panel reads its engine and both needle views redraw into the frame's back buffer. "
      "Between ticks the effect processes six blocks of 256 frames at 48 kHz of a 1 kHz tone whose "
      "level changes from tick to tick, outside the timed region; a case counts only if the pixels "
      "under both needles changed on every tick (at rest: on none). "
      + ("The panel redraws both faces on every tick whether or not the needles moved, so the case at "
         "rest still draws them. "
         if any(label.endswith("at rest") and redrawn and redrawn > 0.99 for label, _, _, redrawn in editor)
         else "")
      + "The X11 case includes handing the redrawn areas to the X server, not the server's own work. "
      f"Share of one core at the editor's idle rate of about {idle_rate} ticks a second.")
    w("")
    w(f"| case | microseconds per tick (median) | share of one core at {idle_rate} ticks/s |")
    w("|---|---|---|")
    for label, us, error, _ in editor:
        if us is None:
            w(f"| {label} | {error} | - |")
        else:
            w(f"| {label} | {f(us)} | {us * idle_rate / 1e4:.3f} % |")
    w("")
print("\n".join(out))
