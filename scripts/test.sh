#!/usr/bin/env bash
# Builds and tests morvane twice: the normal Release build in build/ and the
# AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/. Fails when either
# build or any test fails.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

jobs=$(nproc)
status=0

# A sanitizer report aborts the process, so it cannot pass for the tool's own status 1.
# Leak detection stays on: memory kept until exit is reachable from globals.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:abort_on_error=1

build_and_test() {
    local dir=$1
    shift
    echo "=== $dir"
    cmake -S . -B "$dir" "$@" &&
        cmake --build "$dir" -j"$jobs" &&
        (cd "$dir" && ctest --output-on-failure -j"$jobs")
}

build_and_test build -DCMAKE_BUILD_TYPE=Release || status=1
build_and_test build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_SANITIZE=ON || status=1

# A short run of every fuzz target; it also replays the inputs of fuzz/regressions/.
echo "=== fuzz"
bash scripts/fuzz.sh 30 || status=1

if [ $status -eq 0 ]; then
    echo "=== all tests passed (Release and sanitizer builds)"
else
    echo "=== FAILED"
fi
exit $status
