#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, runs the installed program on the
# sample image and checks the installed manual page: it must format without a single
# groff warning and describe every option of the program's own usage text.
# Arguments: the cmake executable, the build directory, the source directory.
set -euo pipefail
cmake=$1 build=$2 source=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
program=$prefix/bin/morvane
page=$prefix/share/man/man1/morvane.1

options=(-header -sections -symbols -dwarf -disassemble -ual "$source/examples/sample.elf")
cmp <("$program" "${options[@]}") <("$build/morvane" "${options[@]}")
grep -q '^uart_puts:$' <("$program" "${options[@]}")

warnings=$(groff -man -ww -z "$page" 2>&1)
[ -z "$warnings" ] || { echo "groff warnings in the installed manual page:"; echo "$warnings"; exit 1; }

# Every option the usage text names has its own entry in the page's OPTIONS section.
mapfile -t usage < <("$program" 2>&1 | grep -o '^  -[A-Za-z]*')
[ ${#usage[@]} -eq 16 ] || { echo "expected 16 options in the usage text"; exit 1; }
status=0
for option in ${usage[@]}; do
    grep -Eq "^\.BI? \\\\$option( |\$)" "$page" || { echo "the manual page has no entry for $option"; status=1; }
done
exit $status
