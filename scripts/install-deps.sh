#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Usage: scripts/install-deps.sh
set -euo pipefail

packages=(
    cmake ninja-build g++ python3
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    g++-mingw-w64-i686
    wine wine32:i386 xvfb xauth
    fonts-ipafont-gothic imagemagick x11-apps
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
    sudo=sudo
else
    sudo=
fi
# wine32 is an i386 package: the architecture must be known before the update.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >&2
