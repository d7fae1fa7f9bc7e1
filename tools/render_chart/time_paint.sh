#!/usr/bin/env bash
# Times the real GDI paint and scroll redraw under Wine over 1, 10 and 30 years of daily records:
# writes one data folder per span (a period every 28 days, a two-phase temperature, a weight),
# then runs render_chart --repeat at today and at the oldest scroll position, one printed page,
# and the save of one and of 13 pages as PNG pictures.
# Usage: time_paint.sh <render_chart.exe> [repeat, default 50] [years...]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tool="$1"
repeat="${2:-50}"
shift $(( $# >= 2 ? 2 : 1 ))
spans=("$@")
[ ${#spans[@]} -eq 0 ] && spans=(1 10 30)
today=2026-12-7
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
winpath() { echo "Z:${1//\//\\}"; }
for years in "${spans[@]}"; do
  dir="$work/y$years"
  mkdir -p "$dir"
  python3 - "$dir" "$years" "$today" <<'PY'
import datetime, sys
folder, years, today = sys.argv[1], int(sys.argv[2]), sys.argv[3]
end = datetime.date(*map(int, today.split("-")))
day = end - datetime.timedelta(days=365 * years)
with open(f"{folder}/TEMPERATURE_DATA.dat", "w", newline="") as t, \
     open(f"{folder}/WEIGHT_DATA.dat", "w", newline="") as w:
    i = 0
    while day <= end:
        high = i % 28 >= 14
        temp = (36.75 + (i % 2) * 0.05) if high else (36.25 + (i % 3) * 0.05)
        t.write(f"{day.year}/{day.month}/{day.day},{temp:.2f},{1 if i % 28 == 0 else 0}\r\n")
        w.write(f"{day.year}/{day.month}/{day.day},{52.0 + (i % 7) * 0.1:.1f}\r\n")
        day += datetime.timedelta(days=1)
        i += 1
PY
  data="$(winpath "$dir")"
  out="$(winpath "$work/out.bmp")"
  echo "== $years years, today"
  "$here/../../scripts/wine-run.sh" "$tool" "$data" screen 1 1000 600 today "$today" "$out" \
    --repeat "$repeat"
  echo "== $years years, oldest scroll position"
  "$here/../../scripts/wine-run.sh" "$tool" "$data" screen 1 1000 600 0 "$today" "$out" \
    --repeat "$repeat"
  echo "== $years years, printed page"
  "$here/../../scripts/wine-run.sh" "$tool" "$data" print 3508 2479 300 2026-10-1 "$today" "$out" \
    --repeat "$repeat"
  # The save as pictures encodes each page as well: a few runs are enough.
  echo "== $years years, pages saved as pictures: one page, then 13 pages (819 days)"
  "$here/../../scripts/wine-run.sh" "$tool" "$data" images 2026-10-6 "$today" \
    "$(winpath "$work/one.png")" --repeat 3
  "$here/../../scripts/wine-run.sh" "$tool" "$data" images 2024-9-10 "$today" \
    "$(winpath "$work/pages.png")" --repeat 3
done
