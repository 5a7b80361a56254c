#!/bin/sh
# Times `morvane -disassemble -ual` against `arm-none-eabi-objdump -d` on a hard-float
# Advanced SIMD image: a program with vectorised loops (-marm -march=armv7-a
# -mfpu=neon-vfpv4 -mfloat-abi=hard -O3) linked with all of newlib's libc and libm, built
# here at bench time. Also prints how many of morvane's lines are Advanced SIMD and how
# many say "undefined opcode".
#
#   bench/disasm-neon.sh [path/to/morvane]      (default: build/morvane)
#
# Environment: WORK (build directory, default a fresh temporary one; an image already
# built there is reused). Times are the best of three runs; CPU time (user + system) is
# the fairer measure on a shared machine.
set -eu

MORVANE=${1:-build/morvane}
WORK=${WORK:-$(mktemp -d)}
mkdir -p "$WORK"
IMAGE=$WORK/neon.elf

if [ ! -f "$IMAGE" ]; then
    cat > "$WORK/neon.c" <<'C'
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#define N 1024
float a[N], b[N], c[N];
int32_t ia[N], ib[N];
int16_t sa[N], sb[N];
uint8_t pa[N], pb[N];
void saxpy(float k) { for (int i = 0; i < N; ++i) a[i] = k * b[i] + c[i]; }
float dot(void) { float s = 0; for (int i = 0; i < N; ++i) s += a[i] * b[i]; return s; }
void clampf(float lo, float hi) { for (int i = 0; i < N; ++i) a[i] = fminf(fmaxf(a[i], lo), hi); }
int32_t isum(void) { int32_t s = 0; for (int i = 0; i < N; ++i) s += ia[i] * ib[i]; return s; }
void widen(void) { for (int i = 0; i < N; ++i) ia[i] = (int32_t)sa[i] * sb[i]; }
void narrow(void) { for (int i = 0; i < N; ++i) sa[i] = (int16_t)(ia[i] >> 3); }
void bytes(void) { for (int i = 0; i < N; ++i) pa[i] = (uint8_t)((pa[i] + pb[i] + 1) >> 1); }
void absdiff(void) { for (int i = 0; i < N; ++i) pa[i] = pa[i] > pb[i] ? pa[i] - pb[i] : pb[i] - pa[i]; }
void shifts(void) { for (int i = 0; i < N; ++i) ib[i] = (ia[i] << 2) ^ (ib[i] >> 5) ^ (int32_t)((uint32_t)ia[i] >> 7); }
void tofloat(void) { for (int i = 0; i < N; ++i) c[i] = (float)ia[i] * 0.5f; }
void toint(void) { for (int i = 0; i < N; ++i) ib[i] = (int32_t)c[i]; }
void maxmin(void) { for (int i = 0; i < N; ++i) { ia[i] = ia[i] > ib[i] ? ia[i] : ib[i]; sb[i] = sa[i] < sb[i] ? sa[i] : sb[i]; } }
void interleave(void) { for (int i = 0; i < N / 2; ++i) { a[2 * i] = b[i] + c[i]; a[2 * i + 1] = b[i] - c[i]; } }
void deinterleave(void) { for (int i = 0; i < N / 3; ++i) ia[i] = ib[3 * i] + ib[3 * i + 1] + ib[3 * i + 2]; }
void satadd(void) { for (int i = 0; i < N; ++i) { int v = pa[i] + pb[i]; pa[i] = v > 255 ? 255 : v; } }
void compare(void) { for (int i = 0; i < N; ++i) ia[i] = a[i] > b[i] ? -1 : 0; }
void fill(void) { for (int i = 0; i < N; ++i) { ia[i] = 0x12345678; sa[i] = 0x55; } }
int main(int argc, char** argv)
{
    for (int i = 0; i < N; ++i) { b[i] = sinf((float)i); c[i] = (float)rand(); ia[i] = rand(); ib[i] = atoi(argv[0]); }
    saxpy(argc); clampf(-1, 1); widen(); narrow(); bytes(); absdiff(); shifts(); tofloat(); toint();
    maxmin(); interleave(); deinterleave(); satadd(); compare(); fill();
    printf("%f %d\n", dot(), (int)isum());
    return (int)strlen(argv[0]);
}
C
    # Whole archives pull in every member; duplicates and the system calls nobody
    # provides are accepted, the image is never run.
    arm-none-eabi-gcc -marm -march=armv7-a -mfpu=neon-vfpv4 -mfloat-abi=hard -O3 \
        -specs=nosys.specs -o "$IMAGE" "$WORK/neon.c" \
        -Wl,--whole-archive -lc -lm -Wl,--no-whole-archive \
        -Wl,--unresolved-symbols=ignore-all -Wl,--allow-multiple-definition 2> /dev/null
fi
arm-none-eabi-size -A "$IMAGE" | awk '$1 == ".text" { print ".text size: " $2 " bytes" }'
"$MORVANE" -disassemble -ual "$IMAGE" > "$WORK/listing.s"
awk '/^\t/ && !/^\t\./ { n++ } /^\tv(ld|st)[1-4]|^\tv[a-z]+[.]?[a-z0-9]*[.](i|s|u|p)[0-9]|^\tv(and|orr|eor|bic|orn|bsl|bit|bif|swp|mvn|mov|tbl|tbx|ext|dup)[ .]/ { s++ }
     /undefined opcode/ { u++ } END { printf "instructions: %d, Advanced SIMD-looking lines: %d, undefined opcode lines: %d\n", n, s, u }' "$WORK/listing.s"

. "$(dirname "$0")/measure.sh"

morvane=$(measure "$MORVANE" -disassemble -ual "$IMAGE")
objdump=$(measure arm-none-eabi-objdump -d "$IMAGE")
echo "                                elapsed  cpu   peak KiB"
echo "morvane -disassemble -ual:      $morvane"
echo "arm-none-eabi-objdump -d:       $objdump"
echo "$morvane $objdump" | awk '{
    printf "cpu time ratio morvane/objdump %.2f, elapsed ratio %.2f (target <= 0.5)\n", $2 / $5, $1 / $4;
    printf "peak memory ratio morvane/objdump %.2f\n", $3 / $6 }'
