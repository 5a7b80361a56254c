#!/bin/sh
# Regenerates the -mm fixtures from peripherals.c: DWARF 2 (block member offsets) and
# DWARF 4 (constant member offsets), little- and big-endian, linked without libraries at
# 0x8000, and one relocatable object. Needs arm-none-eabi-gcc; the tests only read them.
set -eu
cd "$(dirname "$0")"
GCC="arm-none-eabi-gcc -O0 -mcpu=cortex-m4 -mthumb -fno-common -fdebug-prefix-map=$(pwd)=."
LINK="-nostdlib -Wl,-e,0 -Wl,-Ttext=0x8000"
$GCC -gdwarf-2 $LINK -o peripherals-dwarf2.elf peripherals.c
$GCC -gdwarf-2 -mbig-endian $LINK -o peripherals-dwarf2-be.elf peripherals.c
$GCC -gdwarf-4 $LINK -o peripherals-dwarf4.elf peripherals.c
# Version 5 places bit fields with DW_AT_data_bit_offset.
$GCC -gdwarf-5 $LINK -o peripherals-dwarf5.elf peripherals.c
$GCC -gdwarf-5 -mbig-endian $LINK -o peripherals-dwarf5-be.elf peripherals.c
$GCC -gdwarf-4 -c -o peripherals-dwarf4.o peripherals.c
