#!/usr/bin/env bash
# Builds a Release of Tovela for Windows (its own tree, build/release-win) and writes into dist/:
#   Tovela-<version>-setup.exe     the per-user installer (into %LOCALAPPDATA%\Programs\Tovela)
#   Tovela-<version>-portable.zip  Tovela.exe, Quillet.dll, Brassel.dll, お読みください.txt and the
#                                  guide (Tovela-guide.html, Tovela-guide-files)
#   SHA256SUMS                     the checksums of both
# The version is the project version of the top CMakeLists.txt, read from the build tree.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

bash scripts/setup.sh
BUILD="${TOVELA_BUILD:-$ROOT/build}/release-win"
DIST="${TOVELA_DIST:-$ROOT/dist}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD" -j "${JOBS:-$(nproc)}" --target tovela_setup tovela_portable

version="$(cat "$BUILD/tovela_version.txt")"
setup="Tovela-$version-setup.exe"
portable="Tovela-$version-portable.zip"
mkdir -p "$DIST"
rm -f "$DIST/$setup" "$DIST/$portable" "$DIST/SHA256SUMS"
cp "$BUILD/package/$setup" "$BUILD/package/$portable" "$DIST/"
(cd "$DIST" && sha256sum "$setup" "$portable" > SHA256SUMS)
echo "package: Tovela $version"
(cd "$DIST" && ls -l "$setup" "$portable" SHA256SUMS)
