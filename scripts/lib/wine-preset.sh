# Sourced by the scripts that run Windows programs under Wine. Sets
# wine_preset to the CMake preset whose programs Wine can run here: `windows`,
# the shipped 32-bit build, wherever the kernel starts Wine's 32-bit loader
# itself; `windows64` where it cannot (some virtual machines lack the 32-bit
# compatibility mode), so that the same tests still run on the same sources,
# built for 64-bit Windows, under 64-bit Wine. An emulator registered for i386
# programs does not count: under qemu's user mode Wine needs a reserved
# address space (QEMU_RESERVED_VA, which the e2e tests set) and minutes for
# each start, too slow to run the suite.
if /usr/lib/wine/wine --version >/dev/null 2>&1 &&
    ! grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
    wine_preset=windows
else
    wine_preset=windows64
    echo "NOTE: this machine cannot start i386 programs itself, so Wine cannot run the" \
        "32-bit Vorlent.dll; the Windows programs are built for 64-bit Windows and run" \
        "under 64-bit Wine instead. The shipped 32-bit build is still built." >&2
fi
