#!/usr/bin/env bash
# Runs the installer test program in a Wine prefix made fresh for this run under WORK, with a
# home folder of its own (Wine links the prefix's Desktop and Documents into HOME, and the
# installer puts a shortcut on the desktop). Turns the main window's picture into a PNG beside
# the other screenshots.
#
#   run_install_test.sh WORK TEST.exe [test arguments...]
set -uo pipefail
work="$1"
shift
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

if [ -d "$work/prefix" ]; then WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; fi
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
export TOVELA_WINEPREFIX="$work/prefix"
bash "$TOVELA_ROOT/scripts/wine-run.sh" "$@"
rc=$?
WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null || true

# Where the test program left its picture (test_support::ArtifactsFolderPath): never the clone.
artifacts="${TOVELA_ARTIFACTS:-$(dirname "$1")/artifacts}"
if [ -f "$artifacts/installed_main_window.bmp" ] && command -v convert >/dev/null; then
  convert "$artifacts/installed_main_window.bmp" "$artifacts/installed_main_window.png" || rc=1
fi
exit $rc
