#!/usr/bin/env bash
# Instructions of one placement walk over every run beside one through the run
# index, on a Monday at 08:15 and at 03:00, counted with callgrind: only the
# four walk functions of BM_PlacementInstructions are measured (loading and
# the benchmark library are not).
# Usage: bench/placement_instructions.sh ZINTU_BENCH_CORE
set -euo pipefail
bench=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$work/out" --collect-atstart=no \
    '--toggle-collect=*instructions_*' "$bench" --benchmark_filter=BM_PlacementInstructions \
    >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
callgrind_annotate --inclusive=yes "$work/out" | tr -d ',' | awk '
    /instructions_(full|indexed)_(0815|0300)/ {
        match($0, /instructions_[a-z]+_[0-9]+/)
        n[substr($0, RSTART + 13, RLENGTH - 13)] = $1
    }
    END {
        for (t = 1; t <= 2; t++) {
            at = t == 1 ? "0815" : "0300"
            printf "%s:%s  every run %9d  indexed %9d  %.1fx fewer\n", substr(at, 1, 2),
                   substr(at, 3), n["full_" at], n["indexed_" at], n["full_" at] / n["indexed_" at]
        }
    }'
