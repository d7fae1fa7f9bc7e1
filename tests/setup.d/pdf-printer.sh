# Sourced by scripts/test.sh before the tests run (also usable by hand after a build of the
# Windows tree: `source` it from bash, then run a test binary from the same shell).
#
# A PDF printer for the printing tests that needs neither root nor a print scheduler: printer
# "PDF" of the test run's Wine prefix, Wine's PostScript driver with tests/setup.d/pdf-printer.ppd,
# whose port pipes every job into tests/setup.d/pdf-printer-filter, which runs as the user of
# the test run and writes <build>/pdf/<title>-job_<N>.pdf with Ghostscript's ps2pdf. It is the
# prefix's default printer. CUPS_SERVER is pointed at a socket nobody listens on, so Wine adds no
# printer of the machine's CUPS to the prefix (and never makes one of them the default); the
# machine's CUPS set-up is not touched.
#
# Before any test runs, one small job must come out as a one-page PDF; otherwise this says in one
# line why, with the filter's log (<build>/printer/filter.log), keeps that line in
# TOVELA_PDF_PRINTER_PROBLEM and exports nothing. Exports
# TOVELA_PDF_DIR (the output folder) only when the printer works. With TOVELA_PDF_PRINTER_SETUP=0
# it only defines its functions.

# tovela_pdf_printer_port FILTER OUT LOG: the printer's port, "|" and a command line for /bin/sh
# with every path single-quoted. When the filter cannot run at all (not found, not executable,
# killed), the command itself leaves the failure note the filter would have left. Either way the
# whole job is read: Wine keeps writing a job into a pipe nobody reads, and the printing program
# would hang in it.
tovela_pdf_printer_port() {
  local filter="$1" out="$2" log="$3" q_filter q_out q_log
  _tovela_quote() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"; }
  q_filter="$(_tovela_quote "$filter")"
  q_out="$(_tovela_quote "$out")"
  q_log="$(_tovela_quote "$log")"
  printf '|%s %s %s 2>>%s || { s=$?; cat >/dev/null; [ $s -lt 126 ] || echo "the printer'"'"'s filter could not run (exit status $s; log: "%s")" >%s$$.failed; }' \
    "$q_filter" "$q_out" "$q_log" "$q_log" "$q_log" "$(_tovela_quote "$out/job_")"
}

_tovela_printer_problem() {
  TOVELA_PDF_PRINTER_PROBLEM="test printer: $1"
  echo "$TOVELA_PDF_PRINTER_PROBLEM" >&2
}

tovela_pdf_printer_setup() {
  local root build dir pdfdir log tool filter ppd port out i
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  build="${BUILD:-${TOVELA_BUILD:-$root/build}}"
  dir="$build/printer"
  pdfdir="$build/pdf"
  log="$dir/filter.log"
  tool="$build/win/bin/tovela_test_printer.exe"
  filter="$root/tests/setup.d/pdf-printer-filter"
  ppd="$root/tests/setup.d/pdf-printer.ppd"

  if [ ! -f "$tool" ]; then
    _tovela_printer_problem "$tool is missing (the Windows tree did not build)"
    return 1
  fi
  rm -rf "$dir" "$pdfdir"
  mkdir -p "$dir" "$pdfdir"
  : >"$log"
  export CUPS_SERVER="$dir/no-scheduler.sock"

  port="$(tovela_pdf_printer_port "$filter" "$pdfdir" "$log")"
  if ! out="$(bash "$root/scripts/wine-run.sh" "$tool" install PDF "$ppd" "$port" 2>&1)"; then
    _tovela_printer_problem "Wine did not take the printer: $(head -n 1 <<<"$out")"
    return 1
  fi
  if ! out="$(bash "$root/scripts/wine-run.sh" "$tool" print PDF 2>&1)"; then
    _tovela_printer_problem "the first job could not be printed: $(head -n 1 <<<"$out") (log: $log)"
    return 1
  fi
  # Wine runs the port's command before the job's EndDoc returns; allow for a slow machine.
  local found="" failed=""
  for i in $(seq 1 300); do
    found="$(find "$pdfdir" -maxdepth 1 -name '*.pdf' | head -n 1)"
    failed="$(find "$pdfdir" -maxdepth 1 -name '*.failed' | head -n 1)"
    [ -n "$found$failed" ] && break
    sleep 0.1
  done
  if [ -n "$failed" ]; then
    _tovela_printer_problem "$(head -n 1 "$failed")"
    return 1
  fi
  if [ -z "$found" ]; then
    _tovela_printer_problem "the first job left no PDF in $pdfdir within 30 s (log: $log)"
    return 1
  fi
  if ! pdfinfo "$found" 2>/dev/null | grep -qE '^Pages: +1$'; then
    _tovela_printer_problem "the first job's PDF $found is not a one-page document (log: $log)"
    return 1
  fi
  rm -f "$found"
  export TOVELA_PDF_DIR="$pdfdir"
}

if ! declare -p TOVELA_CLEANUP >/dev/null 2>&1; then
  TOVELA_CLEANUP=()
fi
if [ "${TOVELA_PDF_PRINTER_SETUP:-1}" != 0 ]; then
  unset TOVELA_PDF_DIR TOVELA_PDF_PRINTER_PROBLEM
  tovela_pdf_printer_setup || true
fi
