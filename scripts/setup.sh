#!/usr/bin/env bash
# Installs everything that building and testing morvane needs on Debian 12.
# Run as root (or with sudo available). Does nothing when all packages are present.
# apt's transcript goes to a log file; the script prints one line per step, and on a
# failure the end of the log, and then exits with status 1.
# The ARM cross compiler (gcc-arm-none-eabi) is not needed: it only regenerates the
# committed test fixtures and examples/sample.elf.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev libiberty-dev
    libgtest-dev googletest libbenchmark-dev
    binutils-arm-none-eabi llvm
    groff-base
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

log=$(mktemp "${TMPDIR:-/tmp}/morvane-setup.XXXXXX.log")
echo "setup: installing ${missing[*]} (apt's transcript: $log)"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

# Runs one step with its output in the log; on failure shows the log's end and stops.
step() {
    local name=$1
    shift
    echo "setup: $name"
    if ! "$@" >>"$log" 2>&1 </dev/null; then
        echo "setup: $name failed; the last lines of $log:" >&2
        tail -n 25 "$log" >&2
        exit 1
    fi
}

step "apt-get update" "${sudo[@]}" apt-get update
step "apt-get install" "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${packages[@]}"
echo "setup: done"
