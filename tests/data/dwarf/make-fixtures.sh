#!/bin/sh
# Regenerates the DWARF fixtures from basic.c and features.cpp: small images linked
# without libraries (so every reference in the DWARF sections is resolved, as the
# reader expects), at address 0x8000. Needs arm-none-eabi-gcc (whose default is DWARF 5,
# so every version is named) and clang; the tests only read the images.
set -eu
cd "$(dirname "$0")"
LINK="-nostdlib -Wl,-e,0 -Wl,-Ttext=0x8000"
GCC="arm-none-eabi-gcc -O1 -fno-common $LINK"
$GCC -gdwarf-2 -o basic-dwarf2.elf basic.c
$GCC -gdwarf-3 -o basic-dwarf3.elf basic.c
$GCC -gdwarf-4 -o basic-dwarf4.elf basic.c
$GCC -gdwarf-4 -mbig-endian -o basic-dwarf4-be.elf basic.c
arm-none-eabi-g++ -O1 -gdwarf-4 -fno-exceptions -fno-rtti $LINK -o features-dwarf4.elf features.cpp
# Two units with public names and types, several address-range sets and macro information.
$GCC -gdwarf-3 -gpubnames -g3 -c -o tables-c.o basic.c
$GCC -gdwarf-3 -gpubnames -g3 -fno-exceptions -fno-rtti -c -o tables-cpp.o features.cpp
$GCC -o tables-dwarf3.elf tables-c.o tables-cpp.o
rm tables-c.o tables-cpp.o
# Version 5: explicitly, and as the compiler's default debugging format.
$GCC -gdwarf-5 -o basic-dwarf5.elf basic.c
$GCC -gdwarf-5 -mbig-endian -o basic-dwarf5-be.elf basic.c
arm-none-eabi-g++ -O1 -g -fno-exceptions -fno-rtti $LINK -o features-default.elf features.cpp
clang --target=armv7m-none-eabi -gdwarf-4 -O1 -c -o basic-clang.o basic.c
arm-none-eabi-ld -e 0 -Ttext=0x8000 -o basic-clang.elf basic-clang.o
clang --target=armv7m-none-eabi -gdwarf-5 -O1 -c -o basic-clang.o basic.c
arm-none-eabi-ld -e 0 -Ttext=0x8000 -o basic-clang-dwarf5.elf basic-clang.o
rm basic-clang.o
