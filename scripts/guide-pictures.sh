#!/usr/bin/env bash
# Refreshes the pictures of the user's guide (docs/guide) from the screenshots the test command
# left in the artifacts folder, as docs/guide/pictures.txt pairs them; run it after
# `bash scripts/test.sh`. Fails, copying nothing, when a screenshot is missing.
#
#   bash scripts/guide-pictures.sh [artifacts folder, default build/artifacts]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
artifacts="${1:-${TOVELA_ARTIFACTS:-$ROOT/build/artifacts}}"
guide="$ROOT/docs/guide"
command -v convert >/dev/null || { echo "guide-pictures: ImageMagick's convert is needed" >&2; exit 1; }

pairs=()
missing=0
while read -r picture artifact; do
  case "$picture" in ''|'#'*) continue ;; esac
  if [ ! -f "$artifacts/$artifact" ]; then
    echo "guide-pictures: $artifacts/$artifact is missing (run the tests first)" >&2
    missing=1
  fi
  pairs+=("$picture" "$artifact")
done < "$guide/pictures.txt"
[ "$missing" = 0 ] || exit 1

for ((i = 0; i < ${#pairs[@]}; i += 2)); do
  out="$guide/${pairs[i]}"
  mkdir -p "$(dirname "$out")"
  # No time stamps in the file, so an unchanged screenshot gives unchanged bytes.
  convert "$artifacts/${pairs[i + 1]}" -strip -define png:exclude-chunks=date,time "$out"
  echo "guide-pictures: ${pairs[i]}"
done
