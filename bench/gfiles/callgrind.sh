#!/usr/bin/env bash
# Counts the machine instructions of the WAD scan per directory entry with
# callgrind, which counts exactly and is not disturbed by machine noise. Only
# krv::gfiles::scanWad and what it calls are counted, not the generation of
# the test WAD or the start of the program.
# Usage: bash bench/gfiles/callgrind.sh [build folder, default build]
set -euo pipefail
build=${1:-build}
bench="$build/bench/gfiles/gfiles_scan_bench"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for which in generated freedoom2; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$which.out" \
        --toggle-collect='krv::gfiles::scanWad*' "$bench" 1 "$which" >"$out/$which.log" 2>&1
    line=$(grep -E "^$which " "$out/$which.log" || true)
    echo "$line"
    if [[ "$line" == *skipped* || -z "$line" ]]; then
        continue
    fi
    entries=$(awk '{print $2}' <<<"$line")
    ir=$(callgrind_annotate "$out/$which.out" | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
    awk -v ir="$ir" -v n="$entries" -v w="$which" \
        'BEGIN { printf "%-10s %d instructions in the scan, %.1f per directory entry\n", w, ir, ir / n }'
done
