#!/usr/bin/env bash
# Builds the fuzz tree (clang, libFuzzer, ASan, UBSan) in build/fuzz and runs every harness as a
# ctest test: it replays its seed corpus (tests/fuzz/corpus/<harness>) and the inputs earlier runs
# kept (build/fuzz/corpus-work/<harness>), then fuzzes new input for the given seconds.
#   bash scripts/fuzz.sh [seconds per harness]        (default 60)
#   bash scripts/fuzz.sh --ci [seconds per harness]   the test command's stage (default 20)
# Any finding fails the run; its input is kept in build/fuzz/findings/<harness>/. Reproduce with
#   build/fuzz/tests/fuzz/<harness>_fuzzer build/fuzz/findings/<harness>/<file>
# The JUnit report goes to build/fuzz/results/fuzz.xml, the full output to build/fuzz/logs/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

seconds=60
if [ "${1:-}" = "--ci" ]; then seconds=20; shift; fi
seconds="${1:-$seconds}"
BUILD="${TOVELA_BUILD:-$ROOT/build}"
TREE="$BUILD/fuzz"
JOBS="${JOBS:-$(nproc)}"

echo "== build: fuzz"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$TREE" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOVELA_FUZZ=ON -DTOVELA_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build "$TREE" -j "$JOBS"

echo "== fuzz: ${seconds} s of new input per harness"
rm -rf "$TREE/results" "$TREE/logs"
mkdir -p "$TREE/results" "$TREE/logs"
touch "$TREE/logs/started"
status=0
( cd "$TREE" && ctest -L fuzz --timeout $((seconds + 600)) -V \
    --output-junit "$TREE/results/fuzz.xml" >"$TREE/logs/ctest.log" 2>&1 ) || status=1

# One line per harness: executions and the findings this run saved.
awk '/^[0-9]+: Test command: / { if (match($0, /[a-z_]+_fuzzer /)) name[$1] = substr($0, RSTART, RLENGTH - 8) }
     /^[0-9]+: stat::number_of_executed_units:/ { units[$1] = $NF }
     END { for (id in name) print name[id], (id in units ? units[id] : "?") }' \
  "$TREE/logs/ctest.log" | sort | while read -r harness units; do
  found=$(find "$TREE/findings/$harness" -type f -newer "$TREE/logs/started" 2>/dev/null | wc -l)
  echo "fuzz: $harness: $units executions, $found finding(s)"
done
if [ "$status" -ne 0 ]; then
  grep -E '(property failed|ERROR: |SUMMARY: |Test command: )' "$TREE/logs/ctest.log" | head -40 || true
  echo "fuzz: FAILED (full output: $TREE/logs/ctest.log)"
fi
exit $status
