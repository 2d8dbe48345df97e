#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing, and
# generates the ja_JP.UTF-8 locale (Wine decodes Linux file names in the
# locale's charset: without it a Japanese file name arrives garbled).
# Usage: scripts/install-deps.sh [EXTRA_PACKAGE...]
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 locales
    googletest libgtest-dev libbenchmark-dev
    # The release's default clang and its sanitizer/fuzzer runtime, whatever
    # version that release ships.
    clang libclang-rt-dev
    g++-mingw-w64-i686
    wine wine32:i386 xvfb xauth
    "$@"
)

if [[ $(id -u) -ne 0 ]]; then
    as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
else
    as_root=(env DEBIAN_FRONTEND=noninteractive)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
    # wine32 is an i386 package: the architecture must be known before the update.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${as_root[@]}" dpkg --add-architecture i386
    fi
    echo "Installing: ${missing[*]}" >&2
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >&2
fi

# Wine's 32-bit loader is an i386 Linux program. Some x86-64 kernels (some
# virtual machines) cannot start i386 programs; there they run under qemu's
# user-mode emulator, registered for i386 programs with binfmt_misc. Debian
# registers none for i386 on amd64, which normally runs them natively.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q "install ok installed"; then
        echo "Installing: qemu-user-static (this kernel does not run i386 programs)" >&2
        "${as_root[@]}" apt-get install -y -qq --no-install-recommends qemu-user-static >&2
    fi
    if [[ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]]; then
        [[ -e /proc/sys/fs/binfmt_misc/register ]] ||
            "${as_root[@]}" mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
            "${as_root[@]}" tee /proc/sys/fs/binfmt_misc/register >/dev/null
    fi
    /usr/lib/wine/wine --version >/dev/null || {
        echo "install-deps: Wine's 32-bit loader does not start on this machine" >&2
        exit 1
    }
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
    echo "Generating the ja_JP.UTF-8 locale" >&2
    "${as_root[@]}" sed -i -E 's/^# *(ja_JP\.UTF-8 UTF-8)/\1/' /etc/locale.gen
    grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'ja_JP.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    "${as_root[@]}" locale-gen >/dev/null
fi
