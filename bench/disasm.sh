#!/bin/bash
# Times `morvane -disassemble -ual` against `arm-none-eabi-objdump -d` on a large ARM
# executable linked from newlib, built here at bench time (nothing large is kept in the
# repository). Prints both times and the ratio; the aim is a ratio of at most 0.5.
#
#   bench/disasm.sh [path/to/morvane] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
morvane=${1:-$here/../build/morvane}
runs=${2:-10}
[ -x "$morvane" ] || { echo "morvane binary not found: $morvane (pass its path)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/prog.c" <<'C'
#include <ctype.h>
#include <locale.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wchar.h>
static int cmp(const void* a, const void* b) { return *(const double*)a < *(const double*)b ? -1 : 1; }
int main(int argc, char** argv)
{
    double v[16];
    char buf[256];
    setlocale(LC_ALL, "C");
    for (int i = 0; i < 16; ++i) {
        if (scanf("%lf %255s", &v[i], buf) != 2) break;
        v[i] = sin(v[i]) + cos(v[i]) * tan(v[i]) + exp(v[i]) - log(v[i] + 1) + pow(v[i], 1.5)
             + sqrt(v[i]) + atan2(v[i], 2) + sinh(v[i]) + cosh(v[i]) + tanh(v[i]) + asin(v[i] / 100)
             + acos(v[i] / 100) + log10(v[i] + 2) + fmod(v[i], 3) + cbrt(v[i]) + hypot(v[i], 1)
             + erf(v[i]) + lgamma(v[i] + 1) + expm1(v[i]) + log1p(v[i]) + j0(v[i]) + y1(v[i] + 1)
             + strtod(buf, 0) + atof(buf) + strtol(buf, 0, 10) + sinf(v[i]) + powf(v[i], 2.5f)
             + expf(v[i]) + logf(v[i] + 1) + tgamma(v[i] + 1) + nextafter(v[i], 0) + remainder(v[i], 2);
    }
    qsort(v, 16, sizeof v[0], cmp);
    time_t t = time(0);
    strftime(buf, sizeof buf, "%c", localtime(&t));
    wchar_t w[64];
    mbstowcs(w, buf, 64);
    swprintf(w, 64, L"%ls %f", w, v[0]);
    fprintf(stderr, "%s %Lg %e %a\n", buf, (long double)v[1], v[2], v[3]);
    sscanf(argv[0], "%d", &argc);
    printf("%d %s %g %ls\n", argc, asctime(gmtime(&t)), (double)strtold(buf, 0), w);
    char* p = malloc(100);
    sprintf(p, "%x", (unsigned)rand());
    puts(p);
    free(p);
    return (int)v[0] + toupper(buf[0]);
}
C
# The whole of libm makes the image several hundred KiB of ARM code.
arm-none-eabi-gcc -marm -O2 -specs=nosys.specs "$work/prog.c" \
    -Wl,--whole-archive -lm -Wl,--no-whole-archive -o "$work/prog.elf" 2> /dev/null
code=$(arm-none-eabi-size -A "$work/prog.elf" | awk '$1 == ".text" { print $2 }')
echo "input: $code bytes of .text"

# Total wall-clock seconds of `runs` runs of a command, output discarded.
timed() {
    local start end
    start=$(date +%s.%N)
    for _ in $(seq "$runs"); do "$@" > /dev/null; done
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { print b - a }' 
}

"$morvane" -disassemble -ual "$work/prog.elf" > /dev/null   # warm the caches
ours=$(timed "$morvane" -disassemble -ual "$work/prog.elf")
theirs=$(timed arm-none-eabi-objdump -d "$work/prog.elf")
awk -v ours="$ours" -v theirs="$theirs" -v runs="$runs" 'BEGIN {
    printf "morvane -disassemble -ual: %.3f s per run\n", ours / runs
    printf "arm-none-eabi-objdump -d:  %.3f s per run\n", theirs / runs
    printf "ratio morvane/objdump: %.2f (target <= 0.50)\n", ours / theirs
}' 
