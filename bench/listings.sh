#!/bin/bash
# Time and peak memory of every listing against its peer, on the same inputs:
#
#   -header      arm-none-eabi-readelf -h          -sections     arm-none-eabi-readelf -S -W
#   -symbols     arm-none-eabi-nm -C               -relocations  arm-none-eabi-readelf -r -W
#   -dwarf       arm-none-eabi-readelf --debug-dump   -disassemble  arm-none-eabi-objdump -d
#
# Inputs: a large image (about 25 MB: generated C code with DWARF 4, linked whole with
# newlib's libc and libm, built here), newlib's libc.a (about 5 MB of C objects, ELF
# listings only: its DWARF is version 5) and libstdc++.a (-symbols only: a large C++
# archive, where the time goes into demangling). All of the thumb/v7e-m+fp/hard multilib.
#
#   bench/listings.sh [path/to/morvane]      (default: build/morvane)
#
# Environment: WORK (build directory, default a fresh temporary one; an image already
# built there is reused), SOURCES (generated files, default 220), RUNS (runs per command,
# default 3). Each figure is the best of the runs: CPU time (user + system, the fairer
# measure on a shared machine) and peak resident memory from GNU time. Targets: every
# time ratio at most 0.5; peak memory of -header on the image under 10 MB, -disassemble
# at most 2x objdump's, -dwarf at most 1.25x readelf's, the archive's ELF listings under
# 12 MB. Starting morvane (the dynamic loader binding Qt Core and its libraries) takes
# about 2.5 ms of CPU, more than all of `readelf -h` on one image, so the -header and
# -sections ratios are bound by that start. Building the image takes a few minutes.
set -eu

MORVANE=$(realpath "${1:-build/morvane}")
SOURCES=${SOURCES:-220}
RUNS=${RUNS:-3}
WORK=${WORK:-$(mktemp -d)}
mkdir -p "$WORK"
[ -x /usr/bin/time ] || { echo "GNU time is needed: apt-get install time" >&2; exit 1; }

FLAGS="-mthumb -mcpu=cortex-m4 -mfloat-abi=hard -mfpu=fpv4-sp-d16"
NEWLIB=$(dirname "$(arm-none-eabi-gcc $FLAGS -print-file-name=libc.a)")
GCCLIB=$(dirname "$(arm-none-eabi-gcc $FLAGS -print-libgcc-file-name)")
IMAGE=$WORK/image.elf
ARCHIVE=$NEWLIB/libc.a
CXXARCHIVE=$NEWLIB/libstdc++.a

generate() {
    python3 - "$WORK" "$SOURCES" <<'PY'
import sys
work, count = sys.argv[1], int(sys.argv[2])
for n in range(count):
    out = ['#include <math.h>', '#include <stdio.h>', '#include <stdlib.h>', '#include <string.h>']
    for s in range(20):
        out += ['struct rec%d_%d {' % (n, s),
                '  int id; float gain[%d]; double offset; char name[16];' % (s + 2),
                '  struct { unsigned mode : 3, ready : 1, level : 12; } flags;',
                '  struct rec%d_%d* next; const char* label; long long stamp;' % (n, s),
                '};']
    for f in range(60):
        s = f % 20
        out += ['int fn%d_%d(struct rec%d_%d* r, int k, float x) {' % (n, f, n, s),
                '  int total = 0; char text[32];',
                '  for (int i = 0; i < k && r; ++i, r = r->next) {',
                '    float v = r->gain[i %% %d] * x + (float)r->offset;' % (s + 2),
                '    if (r->flags.ready && v > %d.5f) total += (int)sqrtf(v) + r->flags.level;' % f,
                '    else if (r->name[0] == %d) total -= strlen(r->label);' % (f + 32),
                '    switch ((total + i) & 7) {',
                '    case 0: total ^= r->id; break;',
                '    case 1: total += (int)r->stamp; break;',
                '    case 2: snprintf(text, sizeof text, "%%d", total); total += atoi(text); break;',
                '    case 3: total = total * %d + k; break;' % (f + 3),
                '    default: total -= i; break;',
                '    }',
                '  }',
                '  return total;',
                '}']
    with open('%s/gen%d.c' % (work, n), 'w') as f:
        f.write('\n'.join(out) + '\n')
PY
}

# The image: generated code with DWARF 4 and all of libc and libm. The libraries and start
# files are copied without their DWARF (version 5) so that the whole image is DWARF 4.
build_image() {
    echo "building $IMAGE from $SOURCES generated sources and newlib ..." >&2
    generate
    mkdir -p "$WORK/lib"
    for file in "$NEWLIB"/crt0.o "$NEWLIB"/libc.a "$NEWLIB"/libg.a "$NEWLIB"/libm.a \
                "$NEWLIB"/libnosys.a "$GCCLIB"/crti.o "$GCCLIB"/crtn.o "$GCCLIB"/crtbegin.o \
                "$GCCLIB"/crtend.o "$GCCLIB"/libgcc.a; do
        arm-none-eabi-objcopy --strip-debug "$file" "$WORK/lib/$(basename "$file")"
    done
    # Objects left by an interrupted build are kept.
    (cd "$WORK" && for n in $(seq 0 $((SOURCES - 1))); do [ -f gen$n.o ] || echo gen$n.c; done |
        xargs -r -P 2 -I{} arm-none-eabi-gcc $FLAGS -gdwarf-4 -O1 -c {})
    echo 'int main(void) { return 0; }' > "$WORK/main.c"
    # Whole archives pull in every member; duplicates and unprovided system calls are
    # accepted, the image is never run.
    arm-none-eabi-gcc $FLAGS -B"$WORK/lib/" -L"$WORK/lib" -specs=nosys.specs -gdwarf-4 -O1 \
        -o "$IMAGE" "$WORK/main.c" $(seq -f "$WORK/gen%g.o" 0 $((SOURCES - 1))) \
        -Wl,--whole-archive -lc -lm -Wl,--no-whole-archive \
        -Wl,--emit-relocs -Wl,--unresolved-symbols=ignore-all -Wl,--allow-multiple-definition 2> /dev/null
}

[ -f "$IMAGE" ] || build_image

# CPU seconds and peak KiB of REPEAT back-to-back runs of a command, output discarded
# (GNU time counts CPU in steps of 10 ms, so quick commands are repeated).
timed() {
    local repeat=$1
    shift
    /usr/bin/time -f '%U %S %M' -o "$WORK/time.txt" \
        sh -c 'n=$1; shift; for _ in $(seq "$n"); do "$@" > /dev/null 2>&1; done' sh "$repeat" "$@"
    awk -v n="$repeat" '{ printf "%.4f %d\n", ($1 + $2) / n, $3 }' "$WORK/time.txt"
}

# Best of RUNS measurements, each repeating the command for about a second of CPU:
# "cpu-seconds-per-run peak-KiB".
measure() {
    local once repeat
    once=$(timed 1 "$@" | awk '{ print $1 }')
    repeat=$(awk -v t="$once" 'BEGIN { r = int(1 / (t > 0.005 ? t : 0.005)); print r < 1 ? 1 : r }')
    for _ in $(seq "$RUNS"); do
        timed "$repeat" "$@"
    done | awk 'NR == 1 || $1 < c { c = $1 } NR == 1 || $2 < m { m = $2 }
                END { printf "%.4f %d\n", c, m }'
}

# compare LABEL INPUT OPTION PEER...: one line of figures and ratios.
compare() {
    local label=$1 input=$2 option=$3
    shift 3
    local ours theirs
    ours=$(measure "$MORVANE" "$option" "$input")
    theirs=$(measure "$@" "$input")
    echo "$label $option $ours $theirs $*" | awk '{
        peer = $7; for (i = 8; i <= NF; i++) peer = peer " " $i
        printf "%-8s %-13s %8.4f s %6.1f MB | %8.4f s %6.1f MB  %-34s | time %.2f  memory %.2f\n",
               $1, $2, $3, $4 / 1024, $5, $6 / 1024, peer, $3 / ($5 > 0 ? $5 : 0.0001), $4 / $6 }'
}

echo "image:   $IMAGE ($(stat -c %s "$IMAGE") bytes)"
echo "archive: $ARCHIVE ($(stat -c %s "$ARCHIVE") bytes)"
echo "c++:     $CXXARCHIVE ($(stat -c %s "$CXXARCHIVE") bytes)"
echo "input    listing       morvane cpu     peak   | peer cpu        peak     peer                               | ratios"
for input in image archive; do
    file=$IMAGE
    [ $input = archive ] && file=$ARCHIVE
    compare $input "$file" -header arm-none-eabi-readelf -h
    compare $input "$file" -sections arm-none-eabi-readelf -S -W
    compare $input "$file" -symbols arm-none-eabi-nm -C
    compare $input "$file" -relocations arm-none-eabi-readelf -r -W
done
compare image "$IMAGE" -dwarf arm-none-eabi-readelf --debug-dump
compare image "$IMAGE" -disassemble arm-none-eabi-objdump -d
compare c++ "$CXXARCHIVE" -symbols arm-none-eabi-nm -C
