#!/bin/sh
# Times `morvane -symbols` against `arm-none-eabi-readelf -s` on an object with well over
# 100,000 symbols (ARM and Thumb functions, data objects, mapping symbols, local labels
# and mangled C++ names), assembled here from a generated assembler file.
#
#   bench/elf-symbols.sh [path/to/morvane]      (default: build/morvane)
#
# Environment: SYMBOLS (functions to generate, default 60000; each brings two or three
# table entries), WORK (build directory, default a fresh temporary one; an image already
# built there is reused), RUNS (timed runs per tool, default 10), MIX (default "mixed";
# "cxx" makes every function and object a mangled C++ name, the worst case for morvane,
# which demangles them while readelf -s does not).
set -eu

MORVANE=${1:-build/morvane}
SYMBOLS=${SYMBOLS:-60000}
RUNS=${RUNS:-10}
MIX=${MIX:-mixed}
WORK=${WORK:-$(mktemp -d)}
mkdir -p "$WORK"
IMAGE=$WORK/symbols-$MIX-$SYMBOLS.o

generate() {
    python3 - "$WORK/symbols.s" "$SYMBOLS" "$MIX" <<'PY'
import sys
path, count, mix = sys.argv[1], int(sys.argv[2]), sys.argv[3]
def cxx(n, name):
    if mix != 'cxx':
        return name
    space = 'space%d' % (n % 97)
    return '_ZN%d%s6detail8RegistryIiLj%dEE%d%sEPKcRKSt6vectorIiSaIiEE' % (len(space), space, n % 13, len(name), name)
out = ['\t.syntax unified', '\t.text']
for n in range(count):
    kind = n % 4
    if kind == 0:       # ARM function with a local label
        name = cxx(n, 'arm_function_%d' % n)
        out += ['\t.arm', '\t.global %s' % name, '\t.type %s, %%function' % name,
                '%s:' % name, '.Lloop%d:' % n, '\tbx lr']
    elif kind == 1:     # Thumb function with a mangled C++ name
        space = 'space%d' % n
        name = '_ZN%d%s6Device3runEi' % (len(space), space)
        out += ['\t.thumb', '\t.global %s' % name, '\t.type %s, %%function' % name,
                '\t.thumb_func', '%s:' % name, '\tbx lr', '\t.align 2']
    elif kind == 2:     # local static function
        name = cxx(n, 'helper_%d' % (count - n))
        out += ['\t.arm', '\t.type %s, %%function' % name, '%s:' % name, '\tmov r0, #%d' % (n & 255), '\tbx lr']
    else:               # data object in the literal area
        name = cxx(n, 'table_%d' % n)
        out += ['\t.global %s' % name, '\t.type %s, %%object' % name, '%s:' % name, '\t.word %d' % n]
with open(path, 'w') as f:
    f.write('\n'.join(out) + '\n')
PY
}

if [ ! -f "$IMAGE" ]; then
    echo "building $IMAGE with $SYMBOLS generated functions ..."
    generate
    arm-none-eabi-as -o "$IMAGE" "$WORK/symbols.s"
fi
echo "symbol table entries: $(arm-none-eabi-readelf -s "$IMAGE" | grep -c '^ *[0-9]*:')"
echo "symbols morvane lists: $("$MORVANE" -symbols "$IMAGE" | wc -l)"

if command -v hyperfine >/dev/null 2>&1; then
    hyperfine --warmup 2 --runs "$RUNS" --export-json "$WORK/times.json" \
        "$MORVANE -symbols $IMAGE > /dev/null" \
        "arm-none-eabi-readelf -s $IMAGE > /dev/null" >&2
    python3 - "$WORK/times.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))['results']
ours, theirs = results[0]['mean'], results[1]['mean']
print('morvane -symbols: %.1f ms' % (ours * 1000))
print('readelf -s:       %.1f ms' % (theirs * 1000))
print('ratio morvane/readelf: %.2f' % (ours / theirs))
PY
else
    elapsed() {
        start=$(date +%s%N)
        i=0
        while [ $i -lt "$RUNS" ]; do "$@" > /dev/null; i=$((i + 1)); done
        echo $(( ($(date +%s%N) - start) / RUNS / 1000 ))
    }
    ours=$(elapsed "$MORVANE" -symbols "$IMAGE")
    theirs=$(elapsed arm-none-eabi-readelf -s "$IMAGE")
    echo "morvane -symbols: $ours us"
    echo "readelf -s:       $theirs us"
    python3 -c "print('ratio morvane/readelf: %.2f' % ($ours / $theirs))"
fi
