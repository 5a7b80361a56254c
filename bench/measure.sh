# Sourced by the bench scripts. measure CMD...: runs a command three times with output to
# /dev/null and prints the best run as "elapsed-seconds cpu-seconds peak-KiB" (CPU = user
# + system; the machine may be shared). Needs WORK (a scratch directory).
measure() {
    for run in 1 2 3; do
        /usr/bin/time -f '%e %U %S %M' -o "$WORK/time.txt" "$@" > /dev/null 2>&1 || true
        cat "$WORK/time.txt"
    done | awk 'NR == 1 || $1 < e { e = $1 } NR == 1 || $2 + $3 < c { c = $2 + $3 } $4 > m { m = $4 }
                END { printf "%.2f %.2f %d\n", e, c, m }'
}
