#!/usr/bin/env bash
# Builds everything and runs every test: the native suite (plain and under ASan/UBSan), the Wine
# unit suite and the end-to-end suite. Installs whatever the machine lacks first.
# Prints one closing line "Summary: N passed, N failed".
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

bash scripts/setup.sh
JOBS="${JOBS:-$(nproc)}"
BUILD="${TOVELA_BUILD:-$ROOT/build}"
mkdir -p "$BUILD"
export TOVELA_WINEPREFIX="${TOVELA_WINEPREFIX:-$BUILD/wineprefix}"
# Screenshots, rendered charts and printed pages that the tests leave behind for review.
export TOVELA_ARTIFACTS="${TOVELA_ARTIFACTS:-$BUILD/artifacts}"
mkdir -p "$TOVELA_ARTIFACTS"
# The prefix is made once, in the background, while the native trees build.
( source scripts/wine-env.sh && tovela_prefix "$TOVELA_WINEPREFIX" ) &
prefix_pid=$!

configure() {  # configure DIR [cmake args...]
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

echo "== build: native"
configure "$BUILD/native"
cmake --build "$BUILD/native" -j "$JOBS"
echo "== build: native with sanitizers"
configure "$BUILD/asan" -DTOVELA_SANITIZE=ON
cmake --build "$BUILD/asan" -j "$JOBS"
echo "== build: Windows"
configure "$BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake"
cmake --build "$BUILD/win" -j "$JOBS"

wait "$prefix_pid" || true

# Extra services the Windows tests need (a CUPS PDF printer) hook in here. A fragment appends
# its clean-up command (e.g. "kill $pid") to TOVELA_CLEANUP; they all run when this script exits.
TOVELA_CLEANUP=()
trap 'for c in "${TOVELA_CLEANUP[@]}"; do eval "$c" || true; done' EXIT
for hook in "$ROOT"/tests/setup.d/*.sh; do
  [ -e "$hook" ] && source "$hook"
done

status=0
for tree in native asan win; do
  rm -rf "$BUILD/$tree/results"
  mkdir -p "$BUILD/$tree/results"
  echo "== tests: $tree"
  ( cd "$BUILD/$tree" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure --timeout 1500 ) || status=1
done

# Fuzzing: each harness replays its corpus, then takes 20 s of new input; a finding fails.
TOVELA_BUILD="$BUILD" JOBS="$JOBS" bash "$ROOT/scripts/fuzz.sh" --ci 20 || status=1

python3 "$ROOT/scripts/summarize_results.py" "$BUILD"/native/results "$BUILD"/asan/results "$BUILD"/win/results \
  "$BUILD"/fuzz/results || status=1
exit $status
