#!/usr/bin/env bash
# Builds Tovela for Windows and starts it under Wine from an install folder outside the build
# tree (TOVELA_HOME, default ~/Tovela), where its data files and settings are kept.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/win -j "$(nproc)" --target Tovela

HOME_DIR="${TOVELA_HOME:-$HOME/Tovela}"
mkdir -p "$HOME_DIR"
# Only the program files are replaced; data files and Tovela.ini stay.
cp -f build/win/bin/Tovela.exe build/win/bin/Quillet.dll build/win/bin/Brassel.dll "$HOME_DIR/"

source scripts/wine-env.sh
tovela_prefix "${TOVELA_RUN_WINEPREFIX:-$HOME/.local/share/tovela/wineprefix}"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no DISPLAY; starting a private Xvfb (screenshots only)" >&2
  tovela_xvfb_start
  trap tovela_xvfb_stop EXIT
fi
cd "$HOME_DIR"
exec wine "$HOME_DIR/Tovela.exe" "$@"
