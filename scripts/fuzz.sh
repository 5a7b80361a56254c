#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UBSan) in build-fuzz/ and
# runs each for the given number of seconds (default 30), seeded from the test fixtures
# and fuzz/seeds/. What a run finds beyond the seeds is kept in build-fuzz/corpus/, so a
# later run goes on from there. Fails when any target reports a crash, leak or timeout (an
# input running over 60 s: the sanitizers and coverage make -mm's largest walk, a million
# type visits that take 0.3 s in an optimised build, take about 10 s here).
#
#   scripts/fuzz.sh [seconds] [target ...]     targets: elf dwarf disassembler arguments archive
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(elf dwarf disassembler arguments archive)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMORVANE_FUZZ=ON -DMORVANE_TESTS=OFF > build-fuzz.log 2>&1 &&
    cmake --build build-fuzz -j"$(nproc)" >> build-fuzz.log 2>&1 ||
    { tail -30 build-fuzz.log; echo "fuzz: build failed"; exit 1; }

seeds() {
    case $1 in
        elf) echo tests/data/elf tests/data/dwarf fuzz/regressions/elf ;;
        dwarf) echo tests/data/dwarf fuzz/regressions/dwarf ;;
        archive) echo tests/data/elf/lib-le.a fuzz/regressions/archive ;;
        *) echo "fuzz/seeds/$1 fuzz/regressions/$1" ;;
    esac
}

status=0
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus" "build-fuzz/artifacts/$target"
    existing=()
    for seed in $(seeds "$target"); do [ -e "$seed" ] && existing+=("$seed"); done
    # Fixtures that are single files are copied in; libFuzzer reads directories.
    for seed in "${existing[@]}"; do [ -f "$seed" ] && cp "$seed" "$corpus/"; done
    dirs=()
    for seed in "${existing[@]}"; do [ -d "$seed" ] && dirs+=("$seed"); done
    echo "=== fuzz_$target for ${seconds}s"
    ASAN_OPTIONS=detect_leaks=1 \
        "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
        -max_len=65536 -dict=fuzz/morvane.dict -print_final_stats=1 \
        -artifact_prefix="build-fuzz/artifacts/$target/" "$corpus" "${dirs[@]}" \
        > "build-fuzz/$target.log" 2>&1
    result=$?
    grep -E '^stat::(number_of_executed_units|new_units_added)|cov: [0-9]+ ft: [0-9]+' \
        "build-fuzz/$target.log" | tail -3
    if [ $result -ne 0 ]; then
        tail -40 "build-fuzz/$target.log"
        echo "fuzz_$target FAILED; the input is in build-fuzz/artifacts/$target/"
        status=1
    fi
done
exit $status
