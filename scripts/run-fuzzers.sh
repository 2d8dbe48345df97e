#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target: first it replays the
# committed seeds in fuzz/corpus/<target>/ and any crash reproducers kept in
# fuzz/regressions/<target>/, then it fuzzes from the seeds. Fails if any
# target crashes, trips a sanitizer or finds a disagreement; the input that
# did it is left as build/fuzz/artifacts/<target>-crash-*.
#
# Usage: scripts/run-fuzzers.sh --ci        replay, then a fixed number of runs
#                                           from a fixed seed: the same every time
#        scripts/run-fuzzers.sh [SECONDS]   replay, then fuzz for SECONDS per
#                                           target from a random seed (default 300)
# VORLENT_FUZZ_RUNS sets the runs per target of --ci (default 20000).
# VORLENT_FUZZ_BUILD_DIR overrides the build directory (default build/fuzz).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORLENT_FUZZ_BUILD_DIR:-$root/build/fuzz}
if [[ ${1:-} == --ci ]]; then
    runs=${VORLENT_FUZZ_RUNS:-20000}
    fuzz_options=(-seed=1 -runs="$runs")
    what="$runs runs from seed 1"
else
    seconds=${1:-300}
    fuzz_options=(-max_total_time="$seconds")
    what="${seconds}s"
fi

cd "$root"
cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"

artifacts="$build/artifacts"
mkdir -p "$artifacts"
failed=()
for corpus in "$root"/fuzz/corpus/*/; do
    target=$(basename "$corpus")
    binary="$build/fuzz/$target"
    if [[ ! -x $binary ]]; then
        echo "run-fuzzers: no target $target for the corpus $corpus" >&2
        failed+=("$target")
        continue
    fi
    seeds=("$corpus")
    regressions="$root/fuzz/regressions/$target"
    if [[ -d $regressions ]]; then
        seeds+=("$regressions")
    fi
    # libFuzzer reports every new input; the log is kept, and shown only in
    # part: its end on a failure, its final statistics otherwise.
    log="$artifacts/$target.log"
    common=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/$target-")
    echo "run-fuzzers: $target: replaying the committed inputs"
    if ! "$binary" "${common[@]}" -runs=0 "${seeds[@]}" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        failed+=("$target")
        continue
    fi
    # New inputs go to a scratch corpus: the committed seeds stay as they are.
    scratch=$(mktemp -d)
    echo "run-fuzzers: $target: fuzzing, $what"
    if "$binary" "${common[@]}" "${fuzz_options[@]}" "$scratch" "${seeds[@]}" >"$log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
    else
        tail -n 40 "$log" >&2
        failed+=("$target")
    fi
    rm -rf "$scratch"
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "run-fuzzers: FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "run-fuzzers: every target passed its replay and $what of fuzzing"
