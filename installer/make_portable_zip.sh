#!/usr/bin/env bash
# Makes the portable zip: the program files (and folders, with what they hold) at the top level
# and お読みください.txt, the read-me
# as Notepad on a Japanese Windows reads it (UTF-8 with a byte-order mark, CR LF line ends).
# Entry names are stored as UTF-8 with the UTF-8 flag (general purpose bit 11), which Windows'
# own zip folders honour; Python's zipfile sets it for every non-ASCII name (Debian's zip does not).
#
#   make_portable_zip.sh OUT.zip README.txt VERSION FILE-OR-FOLDER...
set -euo pipefail
out="$1" readme="$2" version="$3"
shift 3
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp -r "$@" "$stage/"
{
  printf '\xef\xbb\xbf'
  sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$readme"
} > "$stage/お読みください.txt"
mkdir -p "$(dirname "$out")"
rm -f "$out.tmp"
python3 - "$out.tmp" "$stage" <<'PY'
import os, sys, zipfile
out, stage = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for folder, _, files in sorted(os.walk(stage)):
        for name in sorted(files):
            path = os.path.join(folder, name)
            archive.write(path, os.path.relpath(path, stage))
PY
mv -f "$out.tmp" "$out"
