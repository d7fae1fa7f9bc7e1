# Sourced by scripts/test.sh before the tests run (also usable by hand: `source` it from bash).
#
# A virtual printer for the printing tests: a CUPS queue "PDF" on the cups-pdf backend, A4, set
# as the system's default printer. Wine's winspool takes CUPS's default as the Windows default
# printer. Every job lands as a PDF file in $TOVELA_PDF_DIR (exported for the tests; build/pdf
# of this working tree unless set beforehand).
#
# Starts cupsd in the foreground-mode background (there is no service manager) when no scheduler
# is running, and then appends "kill <pid>" to TOVELA_CLEANUP. A scheduler that was already
# running is left running. Idempotent: the queue is (re)defined every time.
#
# Must run before the first Windows test program starts: Wine reads the printer list when the
# first process of a Wine session loads winspool.

# The scheduler answers (lpstat's messages are localised: read them in the C locale).
tovela_cups_running() {
  [[ "$(LC_ALL=C LANG=C lpstat -r 2>/dev/null)" == *"is running"* ]]
}

tovela_cups_pdf_setup() {
  local root pdfdir conf ppd i
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  # One output folder for every test run on the machine, whatever its build folder: the CUPS
  # configuration is machine-wide, and runs side by side would otherwise re-point each other's
  # printer in the middle of a job. (The tests serialise their jobs with a lock file and take
  # the folder from the configuration.)
  pdfdir="${TOVELA_PDF_DIR:-$root/build/pdf}"
  conf=/etc/cups/cups-pdf.conf
  ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

  if [ ! -x /usr/sbin/cupsd ] || [ ! -f "$ppd" ]; then
    echo "cups-pdf: cupsd or the cups-pdf PPD is missing (run scripts/setup.sh)" >&2
    return 1
  fi

  # The output folder: the backend writes as the job's user, and falls back to AnonDirName for
  # jobs it cannot map to a local user; both go to the same place. World-writable (sticky) so
  # that whichever account the backend settles on can write there.
  mkdir -p "$pdfdir"
  chmod 1777 "$pdfdir"
  # The configuration is rewritten in one step (a job starting meanwhile reads either the old or
  # the new file) and only when it changes.
  local tmp
  tmp="$(mktemp "$conf.XXXXXX")" || return 1
  {
    [ -f "$conf" ] && awk '!/^[[:space:]]*(Out|AnonDirName)[[:space:]]/' "$conf"
    printf 'Out %s\nAnonDirName %s\n' "$pdfdir" "$pdfdir"
  } > "$tmp"
  if [ -f "$conf" ] && cmp -s "$tmp" "$conf"; then
    rm -f "$tmp"
  else
    chmod 644 "$tmp"
    mv -f "$tmp" "$conf"
  fi
  export TOVELA_PDF_DIR="$pdfdir"

  if ! tovela_cups_running; then
    mkdir -p /run/cups /var/spool/cups /var/log/cups
    /usr/sbin/cupsd -f >/dev/null 2>&1 &
    local pid=$!
    TOVELA_CLEANUP+=("kill $pid")
    for i in $(seq 1 300); do
      tovela_cups_running && break
      if ! kill -0 "$pid" 2>/dev/null; then
        echo "cups-pdf: cupsd exited at start" >&2
        return 1
      fi
      sleep 0.1
    done
    if ! tovela_cups_running; then
      echo "cups-pdf: cupsd did not come up" >&2
      return 1
    fi
  fi

  # (lpadmin warns on stderr that PPD drivers are deprecated; its exit status tells failure.)
  lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd" -o PageSize=A4 2>/dev/null || return 1
  lpadmin -d PDF 2>/dev/null || return 1
  cupsenable PDF 2>/dev/null || true
  cupsaccept PDF 2>/dev/null || true
  for i in $(seq 1 100); do
    [[ "$(LC_ALL=C LANG=C lpstat -d 2>/dev/null)" == *": PDF" ]] && return 0
    sleep 0.1
  done
  echo "cups-pdf: PDF did not become the default printer" >&2
  return 1
}

if ! declare -p TOVELA_CLEANUP >/dev/null 2>&1; then
  TOVELA_CLEANUP=()
fi
tovela_cups_pdf_setup || echo "cups-pdf: no test printer; the printing tests will fail" >&2
