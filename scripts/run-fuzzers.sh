#!/bin/sh
# Runs every fuzz target for a bounded time on a copy of its seed corpus. A crash, a hang
# (an input taking over 10 s) or a sanitizer report makes the run fail.
set -e
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A crashing input is kept here, to become a seed and a test of its own.
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
for name in listfile commentpage postaddress versionanswer; do
    mkdir -p "$work/$name"
    cp tests/data/fuzz/$name/* "$work/$name/"
    echo "fuzz_$name: ${seconds} s"
    ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$work/$name" \
        > "$work/$name.log" 2>&1 || {
        tail -40 "$work/$name.log"
        for f in "$artifacts/$name-"*; do echo "$f:"; od -A x -t x1z "$f" | head -20; done
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^Done' "$work/$name.log" || true
done
