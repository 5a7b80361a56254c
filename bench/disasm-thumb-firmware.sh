#!/bin/sh
# Builds firmware-style Thumb images (bench/firmware/make-firmware.sh: a small C program
# with all of newlib's libc and libm, for each profile) and prints how much of each
# image's .text re-assembles to the same bytes from `morvane -disassemble -ual -arch LEVEL`
# with arm-none-eabi-as for the same architecture (literal pools and other data excluded;
# see bench/firmware/roundtrip.py).
#
#   bench/disasm-thumb-firmware.sh [path/to/morvane] [--verbose]
#
# Environment: WORK (build directory, default a fresh temporary one).
set -eu

MORVANE=${1:-build/morvane}
VERBOSE=${2:-}
WORK=${WORK:-$(mktemp -d)}
HERE=$(cd "$(dirname "$0")" && pwd)/firmware

# target, assembler architecture, morvane level
while read -r target march level; do
    image=$("$HERE/make-firmware.sh" "$WORK" "$target")
    printf '%-5s %-20s %-13s ' "$target" "$march" "$level"
    python3 "$HERE/roundtrip.py" $VERBOSE "$MORVANE" "$image" "$march" "$level"
done <<'TARGETS'
m0 armv6s-m v6M
m3 armv7-m v7M
m4 armv7e-m v7EM
m33 armv8-m.main+dsp v8M_Mainline
m23 armv8-m.base v8M_Baseline
v7a armv7-a v7A
v4t armv4t v4T
v5te armv5te v5TE
v6 armv6 v6
TARGETS
