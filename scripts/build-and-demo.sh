#!/usr/bin/env bash
# Builds the plug-in and its release zip on a fresh Debian machine, installing
# what is missing, then lets the test host play the mail client under Wine:
# the host loads Vorlent.dll with the sample Vorlent.ini and sends
# demo/message.txt, and the transcript shows what the plug-in reports and asks.
# Usage: scripts/build-and-demo.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/install-deps.sh

build=$root/build/windows
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
cpack --preset windows >/dev/null
zip=$(ls -t "$build"/Vorlent-*.zip | head -n1)

# The demo runs the build that Wine can run on this machine.
source scripts/lib/wine-preset.sh
if [[ $wine_preset != windows ]]; then
    cmake --preset "$wine_preset" >/dev/null
    cmake --build --preset "$wine_preset" -j "$(nproc)" --target Vorlent testhost
fi
run_build=$root/build/$wine_preset

demo=$build/demo
rm -rf "$demo"
mkdir -p "$demo"
cp "$run_build/src/Vorlent.dll" "$build/dist/Vorlent.ini" "$demo/"
# The host hands the plug-in the body as the mail client does: code page 932, CR LF.
python3 - "$root/demo/message.txt" "$demo/message.txt" <<'PY'
import sys
text = open(sys.argv[1], encoding="utf-8").read().replace("\n", "\r\n")
open(sys.argv[2], "wb").write(text.encode("cp932"))
PY

wine=$(sed -n 's/^VORLENT_WINE:FILEPATH=//p' "$run_build/CMakeCache.txt")
export WINEPREFIX=$run_build/wineprefix WINEDEBUG=-all VORLENT_WINE=$wine
if [[ $(basename "$wine") == wine64 ]]; then
    # The 64-bit loader named directly: the programs it starts use it too.
    export WINELOADER=$wine
fi
python3 "$root/tests/e2e/prepare_wine_prefix.py"
# Wine's desktop process keeps the display it started with: make sure none is
# left from a run without one.
wineserver -k 2>/dev/null || true

# Linux paths as Wine sees them, on its Z: drive.
winpath() { local path; path=$(realpath "$1"); echo "Z:${path//\//\\}"; }

{
    echo "load $(winpath "$demo/Vorlent.dll")"
    echo "body-file $(winpath "$demo/message.txt")"
    cat "$root/demo/demo.scenario"
} >"$demo/demo.scenario"

# The transcript goes to a file: Wine's server would keep a pipe open.
# LANG makes the process's ANSI code page 932, as on a Japanese Windows.
status=0
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 xvfb-run -a "$wine" "$run_build/tools/testhost/testhost.exe" \
    "$(winpath "$demo/demo.scenario")" "$(winpath "$demo/results.txt")" \
    --transcript "$(winpath "$demo/transcript.txt")" >"$demo/wine.log" 2>&1 || status=$?
wineserver -k 2>/dev/null || true

# A host that crashed, timed out or met something it did not expect says so
# in its results, which end with an "end" line only when the run was whole.
if [[ $status -ne 0 ]] || ! python3 - "$demo/results.txt" <<'PY'
import sys
try:
    kinds = [line.split(None, 1)[0] for line in open(sys.argv[1], encoding="ascii") if line.strip()]
except OSError:
    sys.exit(1)
bad = {"error", "crash", "watchdog", "unexpected"}
sys.exit(0 if kinds and kinds[-1] == "end" and not bad.intersection(kinds) else 1)
PY
then
    echo "build-and-demo: the test host failed (exit $status); see $demo/results.txt and $demo/wine.log" >&2
    exit 1
fi

echo
echo "== Sample Vorlent.ini (settings part)"
iconv -f CP932 -t UTF-8 "$demo/Vorlent.ini" | grep -v '^;' | grep -v '^\s*$' || true
echo
echo "== What the plug-in reports and asks (test host under Wine)"
cat "$demo/transcript.txt"
echo
echo "Plug-in:      $build/src/Vorlent.dll"
echo "Release zip:  $zip"
