#!/usr/bin/env python3
"""Measures how many small faults in the product code the test suite catches.

Applies N faults one at a time, chosen at random from a fixed seed so that runs compare:
a comparison flipped or loosened, a constant changed by one, && swapped with ||, a
statement dropped. After each fault it rebuilds incrementally, runs ctest and restores the
file. A fault that does not compile is replaced by another; one that any test notices is
caught. Prints the kill rate and the faults that survived.

    scripts/mutation-check.sh [--faults N] [--seed S] [--build DIR] [--replay LOG]

--replay applies the faults an earlier run printed (its "caught"/"SURVIVED" lines) instead
of drawing new ones, finding each by its text, so that a suite can be compared before and
after the product code moved.
"""
import argparse
import os
import pathlib
import random
import re
import signal
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ["common", "argparse", "main", "dump", "elf", "dwarf", "arm"]

COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
COMPARISON = re.compile(r"(?<=[\w)\]] )(<=|>=|==|!=|<|>)(?= [\w(!-])")
LOGICAL = re.compile(r" (&&|\|\|) ")
CONSTANT = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
STATEMENT = re.compile(r"^\s+(?!return\b|break\b|continue\b|case\b|default\b)[\w:>.\-\[\]()*&]+"
                       r"(\s*(=|\+=|-=|\|=|&=|<<=|>>=|\+\+|--)|\().*;\s*$")


def candidates():
    """Every (file, line, kind, column) where a fault can be applied."""
    sites = []
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).glob("*.cpp")):
            for number, line in enumerate(path.read_text(encoding="latin-1").splitlines()):
                code = line.split("//")[0]
                if not code.strip() or code.lstrip().startswith(("#", "*", "/*")) or '"' in code:
                    continue
                for kind in ("comparison", "logical", "constant", "statement"):
                    sites += [(path, number, kind, column) for column in columns(line, kind)]
    return sites


def replayed(log):
    """The faults of an earlier run's output, located in today's files by their text."""
    faults = []
    for entry in pathlib.Path(log).read_text().splitlines():
        match = re.match(r"(?:caught|SURVIVED) +(\S+):(\d+) (\w+): (.*)$", entry)
        if not match:
            continue
        path, number, kind, changed = ROOT / match[1], int(match[2]) - 1, match[3], match[4]
        lines = path.read_text(encoding="latin-1").splitlines()
        near = sorted(range(len(lines)), key=lambda i: abs(i - number))
        found = next(((i, column) for i in near for column in columns(lines[i], kind)
                      if mutate(lines[i], kind, column).strip() == changed), None)
        if found:
            faults.append((path, found[0], kind, found[1]))
        else:
            print(f"not found: {entry}", flush=True)
    return faults


def columns(line, kind):
    code = line.split("//")[0]
    if kind == "statement":
        return [0] if STATEMENT.match(code) else []
    pattern = {"comparison": COMPARISON, "logical": LOGICAL, "constant": CONSTANT}[kind]
    return [match.start(1) for match in pattern.finditer(code)]


def mutate(line, kind, column):
    if kind == "comparison":
        op = re.match(r"<=|>=|==|!=|<|>", line[column:]).group(0)
        return line[:column] + COMPARISONS[op] + line[column + len(op):]
    if kind == "logical":
        op = line[column:column + 2]
        return line[:column] + ("||" if op == "&&" else "&&") + line[column + 2:]
    if kind == "constant":
        value = re.match(r"\d+", line[column:]).group(0)
        return line[:column] + str(int(value) + 1) + line[column + len(value):]
    return re.match(r"^\s*", line).group(0) + ";"


def run(command, timeout):
    # In a session of its own, so that a fault that hangs a test is ended with everything
    # the command started.
    process = subprocess.Popen(command, cwd=ROOT, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return -1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--faults", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--build", default="build")
    parser.add_argument("--replay")
    options = parser.parse_args()
    build = str(ROOT / options.build)
    if run(["cmake", "--build", build, "-j2"], 3600) != 0:
        sys.exit("mutation-check: the unchanged tree does not build in " + build)

    if options.replay:
        sites = replayed(options.replay)
    else:
        sites = candidates()
        random.Random(options.seed).shuffle(sites)
    caught, survivors, tried = 0, [], 0
    for path, number, kind, column in sites:
        if tried == options.faults:
            break
        original = path.read_text(encoding="latin-1")
        lines = original.splitlines(keepends=True)
        line = lines[number].rstrip("\n")
        changed = mutate(line, kind, column)
        if changed == line:
            continue
        lines[number] = changed + "\n"
        path.write_text("".join(lines), encoding="latin-1")
        try:
            if run(["cmake", "--build", build, "-j2"], 1800) != 0:
                continue
            tried += 1
            where = f"{path.relative_to(ROOT)}:{number + 1} {kind}: {changed.strip()}"
            if run(["ctest", "--test-dir", build, "-j2", "--stop-on-failure", "--timeout", "300"],
                   3600) != 0:
                caught += 1
                print(f"caught   {where}", flush=True)
            else:
                survivors.append(where)
                print(f"SURVIVED {where}", flush=True)
        finally:
            path.write_text(original, encoding="latin-1")
    run(["cmake", "--build", build, "-j2"], 3600)
    print(f"\n{caught} of {tried} faults caught ({100.0 * caught / max(tried, 1):.0f}%), "
          + (f"replaying {options.replay}" if options.replay else f"seed {options.seed}"))
    for where in survivors:
        print("  survived:", where)


if __name__ == "__main__":
    main()
