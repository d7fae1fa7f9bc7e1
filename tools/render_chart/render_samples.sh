#!/usr/bin/env bash
# Renders the sample data set with render_chart: the three on-screen modes and one printed page
# (A4 landscape at 300 dpi), into $TOVELA_ARTIFACTS or else "artifacts" beside the tool (PNG
# copies when ImageMagick is present),
# and checks them against the committed hashes.
# Usage: render_samples.sh <render_chart.exe>
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tool="$1"
out="${TOVELA_ARTIFACTS:-$(dirname "$tool")/artifacts}"  # in the build tree, never the clone
mkdir -p "$out"
winpath() { echo "Z:${1//\//\\}"; }
data="$(winpath "$here/sample")"
status=0
render() {  # render <name> <arguments after the folder...> [--options]
  local name="$1"; shift
  local args=() options=()
  for a in "$@"; do
    if [[ $a == --* ]]; then options+=("$a"); else args+=("$a"); fi
  done
  rm -f "$out/$name.bmp"
  "$here/../../scripts/wine-run.sh" "$tool" "$data" "${args[@]}" "$(winpath "$out/$name.bmp")" \
    "${options[@]}" || status=1
  if [ ! -s "$out/$name.bmp" ]; then echo "render_chart wrote no $name.bmp"; status=1; return; fi
  command -v convert >/dev/null && convert "$out/$name.bmp" "$out/$name.png"
}
render render_temperature screen 1 1000 600 30 2007-5-16
render render_weight screen 2 1000 600 30 2007-5-16
render render_pregnancy screen 3 1000 600 today 2007-5-16
render render_print_page print 3508 2479 300 2007-3-20 2007-5-10
# The same records with signs beside them: the band under the chart and the page, for review.
data="$(winpath "$here/sample-signs")"
render render_temperature_signs screen 1 1000 600 30 2007-5-16
render render_print_page_signs print 3508 2479 300 2007-3-20 2007-5-10
# And with the reading of the curve shown: the mucus peaks (P) and the double-check day's line.
render render_temperature_signs_reading screen 1 1000 600 30 2007-5-16 --reading
render render_print_page_signs_reading print 3508 2479 300 2007-3-20 2007-5-16 --reading
# The renders are those of the program before it followed the display scale, byte for byte
# (renders-96dpi.sha256, taken from that program with this prefix's fonts), but for the first
# column's header numbers, which sit in that column's own cell since the header's labels never
# overlap.
if ! (cd "$out" && sha256sum --quiet -c "$here/renders-96dpi.sha256"); then
  echo "render_chart: the renders differ from the 96-DPI ones of renders-96dpi.sha256"
  status=1
fi
exit $status
