#!/usr/bin/env bash
# Installs everything that building and testing morvane needs on Debian 12.
# Run as root (or with sudo available). Does nothing when all packages are present.
# The ARM cross compiler (gcc-arm-none-eabi) is not needed: it only regenerates the
# committed test fixtures and examples/sample.elf.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev libiberty-dev
    libgtest-dev googletest libbenchmark-dev
    binutils-arm-none-eabi llvm
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${packages[@]}"
