#!/bin/sh
# Regenerates the ELF fixtures of this directory from the sources beside it.
# Needs arm-none-eabi-gcc/g++/as/ld/ar; no C library is linked.
set -e
cd "$(dirname "$0")"
CC=arm-none-eabi-gcc
CXX=arm-none-eabi-g++
FLAGS="-O1 -mcpu=arm7tdmi -ffreestanding -fno-common"
CXXFLAGS="-fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables"

for endian in le be; do
    if [ $endian = le ]; then E=-mlittle-endian; else E=-mbig-endian; fi
    $CC $FLAGS $E -marm -c arm.c -o arm-$endian.o
    $CXX $FLAGS $E -mthumb $CXXFLAGS -gdwarf-4 -gno-record-gcc-switches -c thumb.cpp -o thumb-$endian.o
    # start.o keeps one name for both byte orders: its FILE symbol is the object name.
    mkdir -p tmp-$endian
    $CC $E -c start.s -o tmp-$endian/start.o
    # Big-endian images are linked without --be8 (BE32): code stays big-endian too.
    $CC $E -nostdlib -nostartfiles -T link.ld -Wl,--no-warn-rwx-segments,-n,--emit-relocs \
        tmp-$endian/start.o arm-$endian.o thumb-$endian.o -o app-$endian.elf
    rm -rf tmp-$endian
done
rm -f lib-le.a
arm-none-eabi-ar rcs lib-le.a arm-le.o thumb-le.o

# Build attributes of several CPU, FPU and float-ABI choices (one of them big-endian).
while read -r name flags; do
    $CC -O1 $flags -c attributes.c -o attr-$name.o
done <<EOF
m4-hard -mcpu=cortex-m4 -mthumb -mfpu=fpv4-sp-d16 -mfloat-abi=hard
a9-neon -mcpu=cortex-a9 -mfpu=neon -mfloat-abi=softfp
m33 -mcpu=cortex-m33 -mthumb -mfloat-abi=soft
m0-be -mcpu=cortex-m0 -mthumb -mbig-endian
r5-hard -mcpu=cortex-r5 -mfpu=vfpv3-d16 -mfloat-abi=hard
EOF
