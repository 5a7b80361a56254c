#!/usr/bin/env bash
# Builds morvane and lists the sample firmware image examples/sample.elf: ELF header,
# sections, symbols, DWARF information and the disassembly in unified syntax.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target morvane -j"$(nproc)"
./build/morvane -header -sections -symbols -dwarf -disassemble -ual examples/sample.elf
