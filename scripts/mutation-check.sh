#!/usr/bin/env bash
# Applies small faults to the product code one at a time and reports how many the tests
# catch (see scripts/mutation-check.py). Run on a configured optimised build:
#   scripts/mutation-check.sh [--faults 100] [--seed 1] [--build build]
exec python3 "$(dirname "$0")/mutation-check.py" "$@"
