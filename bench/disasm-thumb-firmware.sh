#!/bin/sh
# Builds the firmware-style Thumb-2 image of tests/data/thumb (a small C program linked
# with newlib for ARMv7E-M, soft float) and prints how much of its .text re-assembles
# to the same bytes from `morvane -disassemble -ual -arch v7EM` (literal pools and other
# data excluded; see tests/data/thumb/roundtrip.py).
#
#   bench/disasm-thumb-firmware.sh [path/to/morvane] [--verbose]
#
# Environment: WORK (build directory, default a fresh temporary one).
set -eu

MORVANE=${1:-build/morvane}
VERBOSE=${2:-}
WORK=${WORK:-$(mktemp -d)}
HERE=$(cd "$(dirname "$0")/.." && pwd)/tests/data/thumb

IMAGE=$("$HERE/make-firmware.sh" "$WORK")
arm-none-eabi-size -A "$IMAGE" | awk '$1 == ".text" { print ".text: " $2 " bytes" }'
python3 "$HERE/roundtrip.py" $VERBOSE "$MORVANE" "$IMAGE" armv7e-m v7EM
