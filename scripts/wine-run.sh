#!/usr/bin/env bash
# Runs one Windows test program under the project's test Wine prefix on a private Xvfb display,
# passing its exit code through. The prefix is TOVELA_WINEPREFIX or build/wineprefix.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
tovela_prefix "${TOVELA_WINEPREFIX:-$TOVELA_ROOT/build/wineprefix}" || exit 1
tovela_xvfb_start || exit 1
trap tovela_xvfb_stop EXIT
wine "$@"
rc=$?
exit $rc
