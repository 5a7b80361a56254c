#!/bin/sh
# Times the whole `morvane -dwarf` listing against the same sections printed by
# `llvm-dwarfdump --debug-info --debug-line --debug-frame` and
# `arm-none-eabi-readelf --debug-dump=info,line,frames,pubnames,aranges,macro` on a large
# image with several MiB of DWARF 4, built here from generated C++ sources. The image has
# no .debug_pubnames, so morvane collects the public names from every unit's tree.
#
#   bench/dwarf.sh [path/to/morvane]      (default: build/morvane)
#
# Environment: SOURCES (number of generated files, default 400: about 4.5 MiB of
# .debug_info), WORK (build directory, default a fresh temporary one; an image already
# built there is reused). The image is the generated objects partially linked (ld -r).
# Times are the best of three runs; CPU time (user + system) is the fairer measure on a
# shared machine.
set -eu

MORVANE=${1:-build/morvane}
SOURCES=${SOURCES:-400}
WORK=${WORK:-$(mktemp -d)}
mkdir -p "$WORK"
IMAGE=$WORK/big.elf

generate() {
    python3 - "$WORK" "$SOURCES" <<'PY'
import sys
work, count = sys.argv[1], int(sys.argv[2])
for n in range(count):
    lines = ['namespace m%d {' % n,
             'template <class T, int N> struct Ring {',
             '  T items[N]; unsigned head, tail;',
             '  bool push(const T& v) { if ((head + 1) % N == tail) return false; items[head] = v; head = (head + 1) % N; return true; }',
             '  bool pop(T& v) { if (head == tail) return false; v = items[tail]; tail = (tail + 1) % N; return true; }',
             '  unsigned size() const { return (head + N - tail) % N; }',
             '};',
             'struct Regs { volatile unsigned CTRL; volatile unsigned STAT; unsigned flag : 3; unsigned mode : 5; };']
    for c in range(12):
        lines += ['class Device%d {' % c,
                  'public:',
                  '  Device%d(int a) : value(a), extra(a * 2) {}' % c,
                  '  virtual ~Device%d() {}' % c,
                  '  virtual int run(int x) { return helper(x) + value; }',
                  '  static int instances;',
                  '  inline int helper(int y) const { return y * extra + %d; }' % c,
                  '  template <class U> U scale(U u) const { return u * static_cast<U>(value); }',
                  'private:',
                  '  int value; long extra; Ring<short, %d> ring; Regs* regs;' % (c + 4),
                  '};',
                  'int Device%d::instances = %d;' % (c, c),
                  'int drive%d(Device%d& d, int k) {' % (c, c),
                  '  Ring<int, 8> r{}; r.push(k); int v = 0; r.pop(v);',
                  '  return d.run(v) + d.scale<int>(k) + (int)d.scale<float>(1.5f) + (int)r.size();',
                  '}']
    lines += ['}']
    with open('%s/gen%d.cpp' % (work, n), 'w') as f:
        f.write('\n'.join(lines) + '\n')
PY
}

if [ ! -f "$IMAGE" ]; then
    echo "building $IMAGE from $SOURCES generated sources ..."
    generate
    # The toolchain's libraries carry DWARF 5, so nothing of them is linked in.
    (cd "$WORK" && ls gen*.cpp | xargs -P 2 -I{} arm-none-eabi-g++ -gdwarf-4 -O1 -fno-exceptions -fno-rtti -c {})
    arm-none-eabi-ld -r -o "$IMAGE" "$WORK"/gen*.o
fi
arm-none-eabi-readelf -S -W "$IMAGE" | awk '{ for (i = 1; i < NF; i++) if ($i == ".debug_info") print ".debug_info size: 0x" $(i + 4) }'

. "$(dirname "$0")/measure.sh"

morvane=$(measure "$MORVANE" -dwarf "$IMAGE")
llvm=$(measure llvm-dwarfdump --debug-info --debug-line --debug-frame "$IMAGE")
readelf=$(measure arm-none-eabi-readelf --debug-dump=info,line,frames,pubnames,aranges,macro "$IMAGE")
echo "                                   elapsed  cpu   peak KiB"
echo "morvane -dwarf:                    $morvane"
echo "llvm-dwarfdump (info, line, frame): $llvm"
echo "readelf (info, line, frames, ...): $readelf"
echo "$morvane $llvm $readelf" | awk '{
    fast = $5 < $8 ? 4 : 7;   # the faster peer by CPU time
    printf "cpu time ratio: morvane/llvm-dwarfdump %.2f, morvane/readelf %.2f, morvane/faster peer %.2f (target <= 0.5)\n", $2 / $5, $2 / $8, $2 / $(fast + 1);
    printf "elapsed ratio:  morvane/llvm-dwarfdump %.2f, morvane/readelf %.2f\n", $1 / $4, $1 / $7;
    printf "peak memory ratio morvane/faster peer %.2f (target <= 1.0)\n", $3 / $(fast + 2) }'
