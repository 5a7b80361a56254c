#!/bin/sh
# Times `morvane -disassemble -ual` against `arm-none-eabi-objdump -d` on a large
# Thumb-2 image: all of newlib's libc, libm and libstdc++ for ARMv7E-M (soft float)
# linked whole into one executable, built here.
#
#   bench/disasm-thumb.sh [path/to/morvane]      (default: build/morvane)
#
# Environment: WORK (build directory, default a fresh temporary one; an image already
# built there is reused).
set -eu

MORVANE=${1:-build/morvane}
WORK=${WORK:-$(mktemp -d)}
mkdir -p "$WORK"
IMAGE=$WORK/newlib-thumb2.elf

if [ ! -f "$IMAGE" ]; then
    echo "building $IMAGE ..."
    echo 'int main(void) { return 0; }' > "$WORK/main.c"
    # Whole archives pull in every member; duplicates between libc and libm and the
    # system calls nobody provides are accepted, the image is never run.
    arm-none-eabi-gcc -mthumb -march=armv7e-m -mfloat-abi=soft -specs=nosys.specs -O2 \
        -o "$IMAGE" "$WORK/main.c" \
        -Wl,--whole-archive -lc -lm -lstdc++ -Wl,--no-whole-archive \
        -Wl,--unresolved-symbols=ignore-all -Wl,--allow-multiple-definition
fi
arm-none-eabi-size "$IMAGE" | awk 'NR == 2 { print "code and read-only data: " $1 " bytes" }'

# Runs a command three times with output to /dev/null; prints the best run as
# "elapsed-seconds cpu-seconds" (CPU = user + system; the machine may be shared).
measure() {
    for run in 1 2 3; do
        /usr/bin/time -f '%e %U %S' -o "$WORK/time.txt" "$@" > /dev/null 2>&1 || true
        cat "$WORK/time.txt"
    done | awk 'NR == 1 || $1 < e { e = $1 } NR == 1 || $2 + $3 < c { c = $2 + $3 }
                END { printf "%.2f %.2f\n", e, c }'
}

morvane=$(measure "$MORVANE" -disassemble -ual "$IMAGE")
objdump=$(measure arm-none-eabi-objdump -d "$IMAGE")
echo "                              elapsed  cpu"
echo "morvane -disassemble -ual:     $morvane"
echo "arm-none-eabi-objdump -d:      $objdump"
echo "$morvane $objdump" | awk '{
    printf "elapsed ratio morvane/objdump %.2f, cpu ratio %.2f (target <= 0.5)\n",
        $1 / $3, ($4 > 0 ? $2 / $4 : 0) }'
