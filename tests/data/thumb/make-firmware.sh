#!/bin/sh
# Builds the firmware-style Thumb-2 image firmware.elf (ARMv7E-M, soft float, newlib) from
# firmware.c into the directory given as the first argument (default: the current
# directory). The image is large and is not kept in the repository.
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-.}
mkdir -p "$out"
arm-none-eabi-gcc -mthumb -march=armv7e-m -mfloat-abi=soft -specs=nosys.specs -O2 \
    -o "$out/firmware.elf" "$here/firmware.c" -lm
echo "$out/firmware.elf"
