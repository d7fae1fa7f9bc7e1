#!/usr/bin/env bash
# Builds Tovela for Windows and starts it under Wine from an install folder outside the clone
# (TOVELA_HOME, default ~/Tovela; ~/.local/share/tovela/Tovela when the clone itself is ~/Tovela),
# where its data files and Tovela.ini are kept: a rebuild replaces only Tovela.exe and the two
# DLLs, never the user's records.
#
#   bash scripts/run.sh             ordinary run
#   bash scripts/run.sh -startup    the log-on run: asks for today's entry when none is recorded
#
# Wine runs in the project's own prefix (TOVELA_RUN_WINEPREFIX, default
# ~/.local/share/tovela/wineprefix) with the Japanese locale and font substitutes of
# scripts/wine-env.sh. Without a DISPLAY a private Xvfb is started for the run (nothing visible);
# a DISPLAY that cannot be opened stops the run before the build. An interrupt (Ctrl-C) at any
# point stops the run: a prefix it was preparing is removed and nothing is started.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
trap 'echo "run: interrupted" >&2; exit 130' INT TERM HUP

bash scripts/setup.sh
source scripts/run-lib.sh
if [ -n "${DISPLAY:-}" ]; then tovela_display_usable; fi
HOME_DIR="$(tovela_install_folder "$ROOT")"
BUILD="${TOVELA_BUILD:-$ROOT/build}/win"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD" -j "${JOBS:-$(nproc)}" --target Tovela Quillet Brassel

mkdir -p "$HOME_DIR"
# Only the program files are replaced; TEMPERATURE_DATA.dat, WEIGHT_DATA.dat, MEMO_DATA.dat
# and Tovela.ini stay. Copy through a temporary name so a half-copied program never runs.
for f in Tovela.exe Quillet.dll Brassel.dll; do
  cp -f "$BUILD/bin/$f" "$HOME_DIR/.$f.new"
  mv -f "$HOME_DIR/.$f.new" "$HOME_DIR/$f"
done

source scripts/wine-env.sh
tovela_prefix "${TOVELA_RUN_WINEPREFIX:-$HOME/.local/share/tovela/wineprefix}"

cd "$HOME_DIR"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no DISPLAY; starting a private Xvfb (the window is not visible)" >&2
  trap tovela_xvfb_stop EXIT
  tovela_xvfb_start
  wine "$HOME_DIR/Tovela.exe" "$@"
else
  exec wine "$HOME_DIR/Tovela.exe" "$@"
fi
