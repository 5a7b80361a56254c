#!/bin/sh
# Builds firmware-style Thumb images from firmware.c and newlib into the directory given
# as the first argument (default: the current directory) and prints their paths.
#
#   make-firmware.sh [DIR]             firmware.elf: ARMv7E-M, soft float, newlib as needed
#   make-firmware.sh DIR TARGET...     TARGET.elf with all of newlib's libc and libm linked
#                                      whole, for TARGET in m0 m3 m4 m33 m23 v7a v4t v5te v6
#
# The images are large and are not kept in the repository.
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-.}
mkdir -p "$out"
if [ $# -le 1 ]; then
    arm-none-eabi-gcc -mthumb -march=armv7e-m -mfloat-abi=soft -specs=nosys.specs -O2 \
        -o "$out/firmware.elf" "$here/firmware.c" -lm
    echo "$out/firmware.elf"
    exit 0
fi
shift
for target in "$@"; do
    extra=
    case $target in
    m0) flags="-mcpu=cortex-m0" ;;
    m3) flags="-mcpu=cortex-m3" ;;
    m4) flags="-mcpu=cortex-m4" ;;
    m33) flags="-mcpu=cortex-m33 -mcmse"; extra=$here/cmse.c ;;
    m23) flags="-mcpu=cortex-m23 -mcmse"; extra=$here/cmse.c ;;
    v7a) flags="-march=armv7-a" ;;
    v4t) flags="-march=armv4t" ;;
    v5te) flags="-march=armv5te" ;;
    v6) flags="-march=armv6" ;;
    *) echo "unknown target $target" >&2; exit 1 ;;
    esac
    # Whole archives pull in every member; duplicates between libc and libm and the system
    # calls nobody provides are accepted, the images are never run. The SG veneers of the
    # security extension need an address of their own.
    arm-none-eabi-gcc -mthumb $flags -mfloat-abi=soft -specs=nosys.specs -O2 \
        -o "$out/$target.elf" "$here/firmware.c" $extra \
        -Wl,--whole-archive -lc -lm -Wl,--no-whole-archive \
        -Wl,--unresolved-symbols=ignore-all -Wl,--allow-multiple-definition \
        -Wl,--section-start=.gnu.sgstubs=0x200000 2> /dev/null
    echo "$out/$target.elf"
done
