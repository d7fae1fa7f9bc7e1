#!/usr/bin/env bash
# Runs one Windows test program as wine-run.sh does, on a wall clock the tests set: Wine runs
# under libfaketime, whose frozen local time is read from a file the tests rewrite (its path in
# TOVELA_CLOCK_FILE). Monotonic time stays real, so timers, timeouts and the tests' waits keep
# their pace. Only the Wine processes see the fake clock, not Xvfb or this script.
# Usage: run_with_clock.sh <program> [arguments...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
library="$(ls /usr/lib/*/faketime/libfaketimeMT.so.1 2>/dev/null | head -n 1)"
if [ -z "$library" ]; then
  echo "run_with_clock: libfaketime is missing (scripts/setup.sh installs it)" >&2
  exit 1
fi
tovela_prefix "${TOVELA_WINEPREFIX:-$TOVELA_ROOT/build/wineprefix}" || exit 1
tovela_xvfb_start || exit 1
clock_folder="$(mktemp -d)"
trap 'tovela_xvfb_stop; rm -rf "$clock_folder"' EXIT
export TOVELA_CLOCK_FILE="$clock_folder/clock"
date '+%Y-%m-%d %H:%M:%S' > "$TOVELA_CLOCK_FILE"
# FAKETIME_NO_CACHE: every reading of the clock reads the file, so a change shows at once.
# NO_FAKE_STAT: the files' times stay real; moved with the clock they would change between two
# readings, and the program would take its data files for changed by another program.
LD_PRELOAD="$library" FAKETIME_TIMESTAMP_FILE="$TOVELA_CLOCK_FILE" FAKETIME_NO_CACHE=1 \
  FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 wine "$@"
