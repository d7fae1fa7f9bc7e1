#!/usr/bin/env bash
# Builds everything and runs every test: the native suite (plain and under ASan/UBSan), the Wine
# unit suite, the end-to-end suite, the install test and the fuzz harnesses. Installs whatever the machine lacks first.
#
# Every ctest test of every tree counts, as do the command's own checks (the Wine prefix has the
# Japanese font substitutes, the test printer printed a first job, the machine's CUPS set-up is
# as it was, the run left no file in the clone outside the build tree). When the test printer
# does not work the run stops there, before any test, with the printer's one-line reason; tests
# that need the printer fail without it
# (TOVELA_REQUIRE_PRINTER=1). A failing test leaves its output (and, for the program's tests,
# screenshots) in build/artifacts/failures/<test>/. Prints how long each stage took, then one
# closing line "Summary: N passed, N failed, N skipped"; the exit status is 0 exactly when nothing
# failed. An interrupt (Ctrl-C) stops the whole run, a half-made Wine prefix included.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

# Clean-up commands (e.g. "kill $pid"), run when this script exits; the fragments of
# tests/setup.d append theirs too.
TOVELA_CLEANUP=()
trap 'for c in "${TOVELA_CLEANUP[@]}"; do eval "$c" || true; done' EXIT
trap 'echo "test: interrupted" >&2; exit 130' INT TERM HUP

STAGES=()
# timed NAME COMMAND...: runs COMMAND, notes how long it took; returns its status.
timed() {
  local name="$1" start=$SECONDS rc=0
  shift
  echo "== $name"
  "$@" || rc=$?
  STAGES+=("$(printf '%6ds  %s' $((SECONDS - start)) "$name")")
  return "$rc"
}

BUILD="${TOVELA_BUILD:-$ROOT/build}"
# The clone as the run finds it, compared at the end: tests write only under the build tree, so a
# path outside it that is untracked, ignored or modified at the end and was not before fails the
# run, named. (Nothing to compare in a copy that is no git clone.)
clone_state() {
  local rel=""
  case "$BUILD" in "$ROOT"/*) rel="${BUILD#"$ROOT"/}" ;; esac
  git -C "$ROOT" status --porcelain=v1 --untracked-files=all --ignored=matching 2>/dev/null |
    awk -v rel="$rel" '{ path = substr($0, 4) }
      rel != "" && (path == rel || path == rel "/" || index(path, rel "/") == 1) { next }
      { print }' | LC_ALL=C sort
}
clone_is_git=0
git -C "$ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1 && clone_is_git=1
clone_before="$(clone_state)"

timed "setup (packages)" bash scripts/setup.sh
JOBS="${JOBS:-$(nproc)}"
mkdir -p "$BUILD"
export TOVELA_WINEPREFIX="${TOVELA_WINEPREFIX:-$BUILD/wineprefix}"
# Screenshots, rendered charts and printed pages that the tests leave behind for review.
export TOVELA_ARTIFACTS="${TOVELA_ARTIFACTS:-$BUILD/artifacts}"
FAILURES="$TOVELA_ARTIFACTS/failures"
rm -rf "$FAILURES"
mkdir -p "$TOVELA_ARTIFACTS"
# The command's own checks, one "name<TAB>passed|failed<TAB>message" a line, counted as tests.
CHECKS="$BUILD/checks.tsv"
: > "$CHECKS"
check() {  # check NAME STATUS MESSAGE
  local outcome=passed
  [ "$2" = 0 ] || outcome=failed
  printf '%s\t%s\t%s\n' "$1" "$outcome" "$(tr '\n\t' '  ' <<<"$3")" >> "$CHECKS"
  [ "$outcome" = passed ] || echo "check failed: $1: $3" >&2
}

# The machine's own CUPS: its configuration files and the queues and default printer of its
# scheduler. The tests use a scheduler of their own; this is compared again at the end.
system_cups_state() {
  (cd /etc/cups 2>/dev/null && find . -type f -print0 | sort -z | xargs -0r sha256sum) || true
  env -u CUPS_SERVER LC_ALL=C lpstat -v -d 2>&1 || true
}
unset CUPS_SERVER TOVELA_PDF_DIR
system_cups_before="$(system_cups_state)"

# The prefix is made once, in the background, while the native trees build; in a process group
# of its own, so that an interrupt can stop it (it then removes the half-made prefix).
setsid bash -c 'start=$SECONDS
  rc=0
  ( source scripts/wine-env.sh && tovela_prefix "$TOVELA_WINEPREFIX" ) || rc=$?
  echo "$((SECONDS - start))" > "$1/prefix.seconds"
  exit "$rc"' prefix "$BUILD" &
prefix_pid=$!
TOVELA_CLEANUP+=("kill -TERM -- -$prefix_pid 2>/dev/null; wait $prefix_pid 2>/dev/null")

configure() {  # configure DIR [cmake args...]
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}
build() {  # build DIR [cmake args...]
  local dir="$1"; shift
  configure "$dir" "$@" && cmake --build "$dir" -j "$JOBS"
}

# A tree that does not build counts as one failure, and its tests do not run.
TREES=()
build_tree() {  # build_tree TREE TITLE [cmake args...]
  local tree="$1" title="$2"
  shift 2
  if timed "build: $title" build "$BUILD/$tree" "$@"; then
    TREES+=("$tree")
  else
    check "build: $title" 1 "the build failed (its output is above)"
  fi
}
build_tree native native
build_tree asan "native with sanitizers" -DTOVELA_SANITIZE=ON
build_tree win Windows -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake"
# The fuzz harnesses (clang, libFuzzer): each ctest test replays its corpus, then fuzzes 20 s of
# new input; a finding fails it (scripts/fuzz.sh runs them longer by hand).
build_tree fuzz "fuzz harnesses (clang)" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTOVELA_FUZZ=ON -DTOVELA_FUZZ_SECONDS=20

prefix_rc=0
timed "Wine prefix (waiting for it)" wait "$prefix_pid" || prefix_rc=$?
TOVELA_CLEANUP=()
STAGES+=("$(printf '%6ss  %s' "$(cat "$BUILD/prefix.seconds" 2>/dev/null || echo '?')" \
  "Wine prefix (made alongside the builds)")")
fonts="$( (source scripts/wine-env.sh && export WINEPREFIX="$TOVELA_WINEPREFIX" && tovela_prefix_check) 2>&1)" \
  && fonts_rc=0 || fonts_rc=$?
[ "$prefix_rc" = 0 ] || fonts="the prefix could not be made (exit status $prefix_rc). $fonts"
check "Wine prefix has the Japanese font substitutes" "$((prefix_rc || fonts_rc))" "$fonts"

# Extra services the Windows tests need (the PDF printer) hook in here. A fragment appends its
# clean-up command (e.g. "kill $pid") to TOVELA_CLEANUP; they all run when this script exits.
printer_start=$SECONDS
for hook in "$ROOT"/tests/setup.d/*.sh; do
  [ -e "$hook" ] && source "$hook"
done
STAGES+=("$(printf '%6ds  %s' $((SECONDS - printer_start)) "test printer (set-up and first job)")")
export TOVELA_REQUIRE_PRINTER=1
if [ -n "${TOVELA_PDF_DIR:-}" ]; then
  check "test printer" 0 ""
else
  # No test runs: every printing test would fail for the same reason.
  reason="${TOVELA_PDF_PRINTER_PROBLEM:-}"
  reason="${reason#test printer: }"
  check "test printer" 1 "${reason:-not set up (see the messages above)}; no test was run"
  TREES=()
fi

run_tree() {  # run_tree TREE
  local dir="$BUILD/$1"
  rm -rf "$dir/results"
  mkdir -p "$dir/results"
  (cd "$dir" && ctest --show-only=json-v1 > results/ctest-tests.json &&
    ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure --timeout 1500 \
      --output-junit "$dir/results/ctest-junit.xml" --test-output-size-failed 50000000)
}
for tree in "${TREES[@]}"; do
  timed "tests: $tree" run_tree "$tree" || true
done

# The user's guide shows only pictures the run has made again (scripts/guide-pictures.sh copies
# them into docs/guide); its menu texts are checked against the real menu by the e2e tests.
guide="$(python3 scripts/check_guide.py "$TOVELA_ARTIFACTS" 2>&1)" && guide_rc=0 || guide_rc=$?
check "user's guide pictures made by the run" "$guide_rc" "$guide"

for c in "${TOVELA_CLEANUP[@]}"; do eval "$c" || true; done
TOVELA_CLEANUP=()
if [ "$(system_cups_state)" = "$system_cups_before" ]; then
  check "system CUPS untouched" 0 ""
else
  check "system CUPS untouched" 1 "/etc/cups or the system scheduler's queues changed during the run: $(diff <(echo "$system_cups_before") <(system_cups_state) | head -n 20)"
fi

if [ "$clone_is_git" = 1 ]; then
  left="$(LC_ALL=C comm -13 <(echo "$clone_before") <(clone_state) | sed 's/^...//')"
  if [ -z "$left" ]; then
    check "the clone is left as it was (files only under the build tree)" 0 ""
  else
    check "the clone is left as it was (files only under the build tree)" 1 \
      "the run left files in the clone outside $BUILD: $(head -n 20 <<<"$left" | paste -sd ' ')"
  fi
fi

echo "== stage times (seconds)"
printf '%s\n' "${STAGES[@]}"
slowest="$(printf '%s\n' "${STAGES[@]}" | sort -n | tail -n 1)"
echo "slowest: ${slowest#"${slowest%%[! ]*}"}"

# The summary's verdict is the exit status: every failure above is one of its counts.
python3 "$ROOT/scripts/summarize_results.py" --failures "$FAILURES" --checks "$CHECKS" \
  "${TREES[@]/#/$BUILD/}"
