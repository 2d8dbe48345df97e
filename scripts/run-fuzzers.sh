#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for a bounded time,
# starting from its committed seeds in fuzz/corpus/<target>/. Fails if any
# target crashes, trips a sanitizer or finds a disagreement; the input that
# did it is left as build/fuzz/artifacts/<target>-crash-*.
#
# Usage: scripts/run-fuzzers.sh [seconds per target, default 30]
# VORLENT_FUZZ_BUILD_DIR overrides the build directory (default build/fuzz).
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORLENT_FUZZ_BUILD_DIR:-$root/build/fuzz}

cd "$root"
cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j2

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
    # New inputs go to a scratch corpus: the committed seeds stay as they are.
    scratch=$(mktemp -d)
    echo "run-fuzzers: $target for ${seconds}s"
    # libFuzzer reports every new input; the log is kept, and shown only in
    # part: its end on a failure, its final statistics otherwise.
    log="$artifacts/$target.log"
    if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$scratch" "$corpus" \
        >"$log" 2>&1; then
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
echo "run-fuzzers: every target ran ${seconds}s without a failure"
