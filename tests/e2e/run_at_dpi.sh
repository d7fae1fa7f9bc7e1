#!/usr/bin/env bash
# Runs one Windows test program as wine-run.sh does, but in a copy of the test prefix whose
# display is set to another DPI (LogPixels), on a screen of the given size. The copy is
# <test prefix>-dpi<N>, made once; the test prefix itself keeps 96 DPI for every other test.
# Usage: run_at_dpi.sh <dpi> <screen WxHxD> <program> [arguments...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
dpi="$1" screen="$2"
shift 2
base="${TOVELA_WINEPREFIX:-$TOVELA_ROOT/build/wineprefix}"
copy="$base-dpi$dpi"
tovela_prefix "$base" || exit 1
(
  flock 9
  [ -f "$copy/.tovela-dpi-ready" ] && exit 0
  # Copied only once no Wine program uses the test prefix (its registry files are complete). The
  # lock's descriptor is closed for Wine, whose server would otherwise hold it after this script.
  WINEPREFIX="$base" wineserver -w 9>&-
  rm -rf "$copy" && cp -a "$base" "$copy" || exit 1
  WINEPREFIX="$copy" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null 2>&1 9>&- && WINEPREFIX="$copy" wineserver -w 9>&- || exit 1
  touch "$copy/.tovela-dpi-ready"
) 9>"$copy.lock" || { echo "wine: cannot prepare the $dpi-DPI prefix $copy" >&2; exit 1; }
export WINEPREFIX="$copy"
export TOVELA_XVFB_SCREEN="$screen"
tovela_xvfb_start || exit 1
trap tovela_xvfb_stop EXIT
wine "$@"
