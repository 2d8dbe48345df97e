# Sourced by the scripts that run Windows programs under Wine. Sets
# wine_preset to the CMake preset whose programs Wine can run here: `windows`,
# the shipped 32-bit build, wherever Wine's 32-bit loader starts; `windows64`
# where the kernel cannot start i386 Linux programs (some virtual machines
# lack the 32-bit compatibility mode), so that the same tests still run on the
# same sources, built for 64-bit Windows, under 64-bit Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine_preset=windows
else
    wine_preset=windows64
    echo "NOTE: this machine cannot start i386 programs, so Wine cannot run the 32-bit" \
        "Vorlent.dll; the Windows programs are built for 64-bit Windows and run under" \
        "64-bit Wine instead. The shipped 32-bit build is still built." >&2
fi
