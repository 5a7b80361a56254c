#!/usr/bin/env bash
# Rebuilds examples/sample.elf from sample.c. Needs arm-none-eabi-gcc (package
# gcc-arm-none-eabi); no C library is linked. The built file is committed, so running
# the sample does not need the compiler.
set -euo pipefail
cd "$(dirname "$0")"
arm-none-eabi-gcc -march=armv7-a -mfloat-abi=soft -O1 -gdwarf-4 -gpubnames -ffreestanding -nostdlib \
    -Wl,-Ttext=0x8000 -Wl,-e,_start -Wl,--build-id=none -o sample.elf sample.c
