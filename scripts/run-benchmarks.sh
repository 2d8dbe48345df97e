#!/usr/bin/env bash
# Builds the bench preset, runs the benchmarks of the send-time check and
# prints the tables of docs/performance.md: throughput of the check, its ratio
# to one memchr pass over the same body measured in the same run, and the
# peak heap use of one send.
#
# Usage: scripts/run-benchmarks.sh [repetitions, default 5]
#        scripts/run-benchmarks.sh i686
# VORLENT_BENCH_BUILD_DIR overrides the build directory (default build/bench).
# Every figure is the median of the repetitions, in CPU time.
#
# With "i686" it builds the windows preset instead and runs bench/check_speed
# (the same bodies and sets, timed without Google Benchmark) under Wine, in a
# Wine prefix of its own under build/windows, and prints its table: the
# figures of the 32-bit plug-in's own build.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if [[ ${1:-} == i686 ]]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j2 --target check_speed >&2
    export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix-bench}
    export WINEDEBUG=${WINEDEBUG:--all}
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    exec wine "$root/build/windows/bench/check_speed.exe"
fi

repetitions=${1:-5}
build=${VORLENT_BENCH_BUILD_DIR:-$root/build/bench}

cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 >&2

results="$build/check_benchmark.json"
"$build/bench/check_benchmark" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_out="$results" \
    --benchmark_out_format=json >&2

python3 - "$results" <<'EOF'
import json
import sys

with open(sys.argv[1]) as f:
    report = json.load(f)

# The median of the repetitions, or the one run when there was only one.
medians = {}
for run in report["benchmarks"]:
    if run.get("aggregate_name") == "median" or run.get("repetitions", 1) == 1:
        medians[run["run_name"]] = run


def seconds(run):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
    return run["cpu_time"] * scale


def size_name(size):
    return f"{size // 1024} KB" if size < 1 << 20 else f"{size >> 20} MB"


def rate(bytes_, time):
    per_second = bytes_ / time
    return f"{per_second / 1e9:.2f} GB/s" if per_second >= 1e9 else f"{per_second / 1e6:.0f} MB/s"


sizes = [4096, 1 << 20, 16 << 20]
counts = [1, 16, 256, 4096]

context = report["context"]
print(f"{context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, median of "
      f"{report['benchmarks'][0].get('repetitions', 1)} repetitions, {context.get('date')}\n")

print("| body | memchr line pass | memchr, byte not in body |")
print("|---|---|---|")
for size in sizes:
    lines = medians[f"BM_MemchrLines/{size}"]
    absent = medians[f"BM_MemchrAbsentByte/{size}"]
    print(f"| {size_name(size)} | {rate(size, seconds(lines))} | {rate(size, seconds(absent))} |")

print()
print("| body | strings | check | time | ratio to memchr line pass | peak heap of one send "
      "| same, every string found | index (built once) |")
print("|---|---|---|---|---|---|---|---|")
for size in sizes:
    limit = seconds(medians[f"BM_MemchrLines/{size}"])
    for count in counts:
        run = medians[f"BM_Check/{size}/{count}"]
        time = seconds(run)
        print(f"| {size_name(size)} | {count} | {rate(size, time)} | {time * 1e6:.1f} us "
              f"| {time / limit:.1f} | {int(run['peak_bytes'])} B "
              f"| {int(run['peak_bytes_all_found'])} B ({run['peak_bytes_all_found'] / size:.2%} "
              f"of the body) | {int(run['index_bytes']) // 1024} KB |")

print()
print("| body | strings | check, one string of four bytes | ratio to memchr line pass |")
print("|---|---|---|---|")
for size in sizes:
    limit = seconds(medians[f"BM_MemchrLines/{size}"])
    for count in counts:
        time = seconds(medians[f"BM_CheckWithShortString/{size}/{count}"])
        print(f"| {size_name(size)} | {count} | {rate(size, time)} | {time / limit:.1f} |")

print()
print("| body | strings | of them 2 bytes | of them 4 bytes | check | ratio to memchr line pass |")
print("|---|---|---|---|---|---|")
for name, run in medians.items():
    if name.startswith("BM_CheckShortMix/"):
        _, size, count, two, four = name.split("/")
        size = int(size)
        time = seconds(run)
        limit = seconds(medians[f"BM_MemchrLines/{size}"])
        print(f"| {size_name(size)} | {count} | {two} | {four} | {rate(size, time)} "
              f"| {time / limit:.1f} |")

peers = [name for name in medians if name.startswith("BM_Hyperscan/")]
if peers:
    print()
    print("| body | strings | of them 2 bytes | of them 4 bytes | check | Hyperscan "
          "| check / Hyperscan | check / memchr line pass |")
    print("|---|---|---|---|---|---|---|---|")
    for name in peers:
        _, size, count, two, four = name.split("/")
        ours = (medians[f"BM_Check/{size}/{count}"] if (two, four) == ("0", "0")
                else medians[f"BM_CheckShortMix/{size}/{count}/{two}/{four}"])
        size = int(size)
        ours, theirs = seconds(ours), seconds(medians[name])
        limit = seconds(medians[f"BM_MemchrLines/{size}"])
        print(f"| {size_name(size)} | {count} | {two} | {four} | {rate(size, ours)} "
              f"| {rate(size, theirs)} | {ours / theirs:.2f} | {ours / limit:.1f} |")

print()
print("| body | strings | check building its index in the send | ratio to memchr line pass "
      "| peak heap of one send |")
print("|---|---|---|---|---|")
for size in sizes:
    limit = seconds(medians[f"BM_MemchrLines/{size}"])
    for count in counts:
        run = medians[f"BM_CheckBuildingIndex/{size}/{count}"]
        time = seconds(run)
        print(f"| {size_name(size)} | {count} | {rate(size, time)} | {time / limit:.1f} "
              f"| {int(run['peak_bytes']) // 1024} KB |")

print()
print("| body | strings | with ignore prefixes \">\" and \"\\|\" | ratio to memchr line pass |")
print("|---|---|---|---|")
for name, run in medians.items():
    if name.startswith("BM_CheckWithIgnorePrefixes/"):
        _, size, count = name.split("/")
        size = int(size)
        time = seconds(run)
        limit = seconds(medians[f"BM_MemchrLines/{size}"])
        print(f"| {size_name(size)} | {count} | {rate(size, time)} | {time / limit:.1f} |")

print()
print("| body | strings | check, end found while searching | strlen first, then the search "
      "| ratio to memchr line pass, each |")
print("|---|---|---|---|---|")
for name, run in medians.items():
    if name.startswith("BM_CheckMeasuringFirst/"):
        _, size, count = name.split("/")
        size = int(size)
        ours, before = seconds(medians[f"BM_Check/{size}/{count}"]), seconds(run)
        limit = seconds(medians[f"BM_MemchrLines/{size}"])
        print(f"| {size_name(size)} | {count} | {rate(size, ours)} | {rate(size, before)} "
              f"| {ours / limit:.1f} and {before / limit:.1f} |")

print()
print("| 64 MB body, 256 strings, \"-- \" after the first KB | time |")
print("|---|---|")
for arg, what in (("1", "stop prefix \"-- \""), ("0", "no stop prefix")):
    run = medians.get(f"BM_CheckStopLine/{arg}")
    if run:
        print(f"| {what} | {seconds(run) * 1e6:.1f} us |")

print()
print("| strings | building the index |")
print("|---|---|")
for count in counts:
    print(f"| {count} | {seconds(medians[f'BM_BuildIndex/{count}']) * 1e6:.1f} us |")

print()
print("| body | strings | plain search (each string afresh in each line) | ratio to memchr line pass |")
print("|---|---|---|---|")
for name, run in medians.items():
    if name.startswith("BM_CheckPlain/"):
        _, size, count = name.split("/")
        size = int(size)
        time = seconds(run)
        limit = seconds(medians[f"BM_MemchrLines/{size}"])
        print(f"| {size_name(size)} | {count} | {rate(size, time)} | {time / limit:.0f} |")
EOF
