#!/usr/bin/env bash
# Builds the input fuzzer with clang (the "fuzz" preset, in build-fuzz/) and runs
# it for FUZZ_SECONDS (default 60) from the committed corpus, then prints the
# executions per second and the total executed. New finds go to a scratch
# directory; a crash leaves its input in the build directory and fails.
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$SOURCE/build-fuzz
RUN_SECONDS=${FUZZ_SECONDS:-60}

cd "$SOURCE"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d "${TMPDIR:-/tmp}/norvex-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
log=$BUILD/fuzz.log
# The first directory receives new inputs; the committed corpus is only read.
"$BUILD/tests/fuzz/norvex_input_fuzzer" -max_total_time="$RUN_SECONDS" -print_final_stats=1 \
    -artifact_prefix="$BUILD/fuzz-" "$scratch" "$SOURCE/tests/fuzz/corpus" >"$log" 2>&1 || {
    tail -n 60 "$log"
    echo "fuzz: FAILED (log: $log)"
    exit 1
}
awk '/stat::number_of_executed_units/ {total = $2} /stat::average_exec_per_sec/ {rate = $2}
     END { printf "fuzz: %d executions in %s s, %d per second\n", total, "'"$RUN_SECONDS"'", rate }' "$log"
