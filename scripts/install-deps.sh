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
    g++-mingw-w64-i686 g++-mingw-w64-x86-64-win32
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

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
    echo "Generating the ja_JP.UTF-8 locale" >&2
    "${as_root[@]}" sed -i -E 's/^# *(ja_JP\.UTF-8 UTF-8)/\1/' /etc/locale.gen
    grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'ja_JP.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    "${as_root[@]}" locale-gen >/dev/null
fi
