#!/usr/bin/env bash
# Runs every test on a fresh Debian machine, installing what is missing:
#   1. the portable core's unit tests, natively;
#   2. the same under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. each fuzz target: its committed inputs replayed, then a fixed number of
#      runs from a fixed seed (scripts/run-fuzzers.sh SECONDS fuzzes longer);
#   4. the plug-in end to end under Wine: test host, configuration, prompts,
#      hostile inputs, and the Windows programs against the native ones.
# Usage: scripts/run-tests.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/install-deps.sh

jobs=$(nproc)
summaries=()

run_ctest() {
    local preset=$1
    local log
    log=$(mktemp)
    # ctest's summary is kept to total up at the end.
    if ctest --preset "$preset" 2>&1 | tee "$log"; then
        summaries+=("$(grep -E 'tests passed, [0-9]+ tests failed out of' "$log" | tail -n1)")
        rm -f "$log"
    else
        rm -f "$log"
        echo "run-tests: the $preset tests failed" >&2
        exit 1
    fi
}

build_preset() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
}

echo "== Unit tests (native)"
build_preset native
run_ctest native

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
build_preset asan
run_ctest asan

echo "== Fuzzing"
scripts/run-fuzzers.sh --ci

echo "== End-to-end under Wine"
build_preset windows
source scripts/lib/wine-preset.sh
if [[ $wine_preset != windows ]]; then
    build_preset "$wine_preset"
fi
run_ctest "$wine_preset"

passed=0
failed=0
for summary in "${summaries[@]}"; do
    # "100% tests passed, 0 tests failed out of 69"
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
done
printf '  %s\n' "${summaries[@]}"
echo "tests: $passed passed, $failed failed"
