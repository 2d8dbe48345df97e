#!/usr/bin/env bash
# Photographs the plug-in's warning box as Wine draws it for a Japanese user:
# the test host loads Vorlent.dll with a sample Vorlent.ini (Check String=添付,
# Ignore Line Prefix=>) and sends a sample message, on an X server of its own,
# and the box is captured while the host holds it on screen.
#
# Usage: scripts/make-screenshot.sh [OUTPUT.png [BUILD_DIR]]
#   OUTPUT.png  default docs/images/warning-box.png
#   BUILD_DIR   a build of the windows preset (default build/windows); it is
#               configured if it is not yet, and the plug-in and the test host
#               are brought up to date in it
#   SCALE       environment, default 2: the picture is enlarged by this whole
#               factor, pixel for pixel, so that its 12-pixel text stays sharp
#
# Installs what it needs when missing: the build and Wine packages of
# scripts/install-deps.sh, and for the picture a Japanese font, ImageMagick
# and the X tools.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [[ -z ${VORLENT_SCREENSHOT_DISPLAY:-} ]]; then
    "$root/scripts/install-deps.sh" fonts-ipafont-gothic imagemagick x11-apps
fi
output=$(realpath -m "${1:-$root/docs/images/warning-box.png}")
build=$(realpath -m "${2:-$root/build/windows}")
scale=${SCALE:-2}

fail() {
    echo "make-screenshot: $*" >&2
    exit 1
}

# The rest runs under an X server of its own, the size of a small desktop.
if [[ -z ${VORLENT_SCREENSHOT_DISPLAY:-} ]]; then
    command -v xvfb-run >/dev/null || fail "xvfb-run is missing (Debian: xvfb xauth)"
    VORLENT_SCREENSHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        bash "${BASH_SOURCE[0]}" "$output" "$build"
fi

[[ $scale =~ ^[1-9][0-9]*$ ]] || fail "SCALE must be a whole number, not '$scale'"
for tool in wine wineboot wineserver import convert fc-list iconv; do
    command -v "$tool" >/dev/null || fail "$tool is missing (see scripts/install-deps.sh)"
done
# The dialog font is mapped to IPA Gothic below; without it Wine falls back
# to whatever it finds, often a font without Japanese glyphs.
[[ -n $(fc-list IPAGothic) ]] || fail "the IPAGothic font is missing (Debian: fonts-ipafont-gothic)"

cd "$root"
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake --preset windows -B "$build" >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target Vorlent testhost >/dev/null
dll=$build/src/Vorlent.dll
host=$build/tools/testhost/testhost.exe
[[ -f $dll && -f $host ]] || fail "no $dll or $host after the build"

work=$build/screenshot
rm -rf "$work"
mkdir -p "$work" "$(dirname "$output")"
cp "$dll" "$work/"
# As a user saves them on a Japanese system: code page 932, CR LF.
to_windows_text() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932; }
to_windows_text >"$work/Vorlent.ini" <<'INI'
[Config]
Check String=添付
Ignore Line Prefix=>
INI
to_windows_text >"$work/message.txt" <<'MESSAGE'
田中様

ご依頼の見積書を添付いたしますので、ご確認ください。

> 添付ファイルは不要とのことでしたが
> 念のためお送りします。
MESSAGE

# Linux paths as Wine sees them, on its Z: drive.
winpath() { echo "Z:${1//\//\\}"; }
cat >"$work/screenshot.scenario" <<SCENARIO
load $(winpath "$work/Vorlent.dll")
body-file $(winpath "$work/message.txt")
answer ok
outgoing 0x1 0
unload
SCENARIO

# A Wine prefix of the picture's own, kept between runs (creating one takes
# a while): unmanaged windows, no crash dialog, the dialog fonts on IPA
# Gothic, and Wine's own Marlett for the glyphs of the title bar buttons.
export WINEPREFIX=$build/screenshot-wineprefix WINEDEBUG=-all
wine_ja() { env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$@"; }
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    wine_ja wineboot -i >/dev/null 2>&1
fi
cat >"$work/settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAGothic"
"MS Shell Dlg"="IPAGothic"
"MS Shell Dlg 2"="IPAGothic"
"Tahoma"="IPAGothic"
REG
wine_ja wine regedit /S "$(winpath "$work/settings.reg")" >/dev/null 2>&1
for marlett in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    if [[ -f $marlett ]]; then
        cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
        break
    fi
done

# The host holds the box on screen for a while before it answers OK; it is
# captured once the host's main window has been disabled for it.
results=$work/results.txt
# A server left from an earlier run would keep that run's display.
wineserver -k 2>/dev/null || true
wine_ja wine "$host" "$(winpath "$work/screenshot.scenario")" "$(winpath "$results")" \
    --hold 8000 --timeout 60 >"$work/host.log" 2>&1 &
host_pid=$!
for _ in $(seq 1 300); do
    grep -q '^enable window=main value=0' "$results" 2>/dev/null && break
    kill -0 "$host_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q '^enable window=main value=0' "$results" 2>/dev/null ||
    fail "the box did not come up; see $results and $work/host.log"
sleep 1
captured=$work/box.png
for _ in 1 2 3 4 5; do
    # The box is the top-level window named after the module.
    if import -window Vorlent "$captured" 2>/dev/null; then
        break
    fi
    sleep 0.5
done
wait "$host_pid" || fail "the test host failed; see $results"
wineserver -k 2>/dev/null || true
[[ -s $captured ]] || fail "the box could not be captured"
grep -q '^box .*answer=ok' "$results" || fail "the host saw no box; see $results"

convert "$captured" -filter point -resize "$((scale * 100))%" -strip "$output"
echo "make-screenshot: $output ($(identify -format '%wx%h' "$output"))"
