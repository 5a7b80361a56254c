#!/usr/bin/env python3
"""Re-assembly check of a Thumb image's .text section.

Disassembles IMAGE with `morvane -disassemble -ual -arch ARCH`, re-assembles the .text
part of the listing with `arm-none-eabi-as -march=MARCH -mthumb` (each instruction
pinned to its original offset with .org, so one instruction of a different size does
not shift the rest), and compares every instruction's bytes with the original.
Literal pools and other data ($d mapping-symbol ranges) are copied, not counted.
Functions whose symbol says ARM (even STT_FUNC value) are assembled with .arm, as the
listing decodes them as A32. On v4T, v5TE and v6 only BL/BLX prefixes pair up. Names
defined more than once (static functions of the same name) are stripped first, so that
their calls list as addresses and assemble to the same target.

Prints the percentage of code bytes that re-assemble to the same bytes and, with
--verbose, every instruction that does not.

usage: roundtrip.py [--verbose] MORVANE IMAGE MARCH ARCH
"""
import bisect
import os
import re
import subprocess
import sys
import tempfile

TOOL = 'arm-none-eabi-'


def run(*args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def text_section(image, work):
    """Address and bytes of .text."""
    out = run(TOOL + 'readelf', '-SW', image).stdout
    m = re.search(r'\]\s+\.text\s+\S+\s+([0-9a-f]+)\s+[0-9a-f]+\s+([0-9a-f]+)', out)
    base = int(m.group(1), 16)
    binary = os.path.join(work, 'text.bin')
    run(TOOL + 'objcopy', '-O', 'binary', '-j', '.text', image, binary, check=True)
    with open(binary, 'rb') as f:
        return base, f.read()


def data_ranges(image, base, size):
    """Sorted [start, end) ranges of .text that mapping symbols mark as data."""
    marks = []
    for line in run(TOOL + 'nm', '--special-syms', '-n', image).stdout.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[2][:2] in ('$d', '$t', '$a'):
            address = int(parts[0], 16)
            if base <= address < base + size:
                marks.append((address, parts[2][1]))
    ranges = []
    for i, (address, kind) in enumerate(marks):
        if kind == 'd':
            end = marks[i + 1][0] if i + 1 < len(marks) else base + size
            ranges.append((address, end))
    return ranges


def arm_functions(image):
    """Names of the ARM-state functions: STT_FUNC symbols with an even value."""
    names = set()
    for line in run(TOOL + 'readelf', '-sW', image).stdout.splitlines():
        parts = line.split()
        if len(parts) >= 8 and parts[3] == 'FUNC' and int(parts[1], 16) % 2 == 0:
            names.add(parts[7])
    return names


def symbol_addresses(image):
    symbols = {}
    for line in run(TOOL + 'nm', '-n', image).stdout.splitlines():
        parts = line.split()
        if len(parts) == 3:
            symbols.setdefault(parts[2], int(parts[0], 16))
    return symbols


def listing_lines(morvane, image, arch, work):
    """The .text part of the listing: (line, offset or None, size) triples."""
    stripped = os.path.join(work, 'stripped.elf')
    counts = {}
    for line in run(TOOL + 'nm', image).stdout.splitlines():
        parts = line.split()
        if len(parts) == 3:
            counts[parts[2]] = counts.get(parts[2], 0) + 1
    duplicates = ['--strip-symbol=' + name for name, count in counts.items() if count > 1]
    run(TOOL + 'objcopy', '--wildcard', '--strip-symbol=$*', *duplicates, image, stripped,
        check=True)
    listing = run(morvane, '-disassemble', '-ual', '-arch', arch, stripped).stdout
    lines, inside = [], False
    for line in listing.splitlines():
        if line.startswith('\t.section'):
            inside = line.startswith('\t.section\t.text,')
            continue
        if inside:
            lines.append(line)
    return lines


def build_source(lines, base, text, data, overrides, symbols, arm_names, pairs_only):
    """Assembler source with every instruction at its original offset."""
    source = ['\t.syntax unified', '\t.thumb', '\t.text', '.Lbase:']
    instructions = []  # (offset, size, source line index, listing text)
    offset = 0
    defined = {}
    words = set(re.findall(r'[\w.$]+', '\n'.join(
        l for l in lines if l.startswith('\t') and not l.startswith('\t.'))))
    starts = [start for start, _ in data]
    lone_branch_link = re.compile(r'blx? (?!(r\d+|sp|lr|pc)$)')
    hex_target = re.compile(r'(?<![#\w])0x([0-9A-F]{8})\b')
    arm = False
    for line in lines:
        if line == '\t.thumb_func':
            arm = False
        if not line.startswith('\t'):
            name = line[:-1]
            if name in arm_names:
                arm = True
                source.append('\t.arm')
            count = defined.get(name, 0)
            defined[name] = count + 1
            source.append(line if count == 0 else '%s__dup%d:' % (name, count))
            continue
        if line.startswith('\t.global'):
            continue  # local labels let the assembler resolve calls without relocations
        if line.startswith('\t.'):
            source.append(line)
            continue
        if offset + 2 > len(text):
            break
        first = text[offset] | text[offset + 1] << 8
        wide = first >> 11 == 0x1E if pairs_only else first >> 11 >= 0x1D
        size = 4 if (arm or wide) and offset + 4 <= len(text) else 2
        address = base + offset
        i = bisect.bisect_right(starts, address + size - 1) - 1
        in_data = i >= 0 and address < data[i][1]
        body = line.strip()
        body = hex_target.sub(lambda m: '(.Lbase %+d)' % (int(m.group(1), 16) - base), body)
        if in_data:
            body = '.byte ' + ', '.join('0x%02X' % b for b in text[offset:offset + size])
        elif offset in overrides or (size == 2 and lone_branch_link.match(body)):
            # A lone BL/BLX half (data listed as code) would assemble to four bytes.
            overrides.setdefault(offset, 'does not re-assemble')
            # .inst keeps counting as an instruction of an IT block.
            halves = [text[i] | text[i + 1] << 8 for i in range(offset, offset + size, 2)]
            body = '.inst.%s 0x%s' % ('w' if size == 4 else 'n', ''.join('%04X' % h for h in halves))
            if arm:
                body = '.inst 0x%08X' % (halves[0] | halves[1] << 16)
        source.append('\t.org 0x%X' % offset)
        instructions.append((offset, size, len(source), line.strip(), in_data))
        source.append('\t' + body)
        offset += size
    # Names defined outside .text become offsets from its start.
    for name, address in symbols.items():
        if name not in defined and name in words:
            source.append('\t.set %s, .Lbase %+d' % (name, address - base))
    return source, instructions


def assemble(source, march, work):
    path = os.path.join(work, 'listing.s')
    with open(path, 'w') as f:
        f.write('\n'.join(source) + '\n')
    obj = os.path.join(work, 'listing.o')
    result = run(TOOL + 'as', '-march=' + march, '-mthumb', path, '-o', obj)
    errors = set()
    for line in result.stderr.splitlines():
        m = re.match(r'.*listing\.s:(\d+): Error', line)
        if m:
            errors.add(int(m.group(1)))
    if result.returncode != 0:
        return None, errors
    binary = os.path.join(work, 'listing.bin')
    run(TOOL + 'objcopy', '-O', 'binary', '-j', '.text', obj, binary, check=True)
    with open(binary, 'rb') as f:
        return f.read(), errors


def main():
    args = sys.argv[1:]
    verbose = '--verbose' in args
    args = [a for a in args if a != '--verbose']
    morvane, image, march, arch = args
    with tempfile.TemporaryDirectory() as work:
        base, text = text_section(image, work)
        data = data_ranges(image, base, len(text))
        arm_names = arm_functions(image)
        pairs_only = arch in ('v4T', 'v5TE', 'v6')
        lines = listing_lines(morvane, image, arch, work)
        symbols = symbol_addresses(image)
        overrides = {}  # offset -> reason the line could not be assembled
        for _ in range(50):
            source, instructions = build_source(lines, base, text, data, overrides, symbols,
                                                arm_names, pairs_only)
            assembled, errors = assemble(source, march, work)
            if assembled is not None:
                break
            # Line numbers are 1-based: an instruction at source index i is line i + 1 and
            # its .org is line i; a failing .org means the instruction before it grew.
            by_line = {index + 1: n for n, (_, _, index, _, _) in enumerate(instructions)}
            for error in errors:
                if error in by_line:
                    n = by_line[error]
                elif error + 1 in by_line and by_line[error + 1] > 0:
                    n = by_line[error + 1] - 1
                else:
                    continue
                overrides.setdefault(instructions[n][0], 'does not re-assemble')
        else:
            sys.exit('listing does not assemble')
        code = same = 0
        for offset, size, _, listed, in_data in instructions:
            if in_data:
                continue
            code += size
            ok = offset not in overrides and assembled[offset:offset + size] == text[offset:offset + size]
            if ok:
                same += size
            elif verbose:
                print('0x%08X %-12s %s' % (base + offset, text[offset:offset + size].hex(), listed))
        print('%d of %d code bytes re-assemble identically: %.2f%%'
              % (same, code, 100.0 * same / max(code, 1)))


if __name__ == '__main__':
    main()
