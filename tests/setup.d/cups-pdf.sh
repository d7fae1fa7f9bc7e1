# Sourced by scripts/test.sh before the tests run (also usable by hand: `source` it from bash,
# then run a test binary from the same shell; stop the scheduler with the commands in
# TOVELA_CLEANUP, or leave it for the next run of this build folder, which stops it first).
#
# A virtual printer for the printing tests on a CUPS scheduler of this test run's own: its own
# configuration, spool, cache, state and log folders and its own domain socket, all under
# <build>/cups. The queue "PDF" (cups-pdf backend, A4) is that scheduler's default printer, and
# every job lands as a PDF file in <build>/pdf. Exports CUPS_SERVER (the socket: Wine's winspool,
# lp and lpstat all follow it) and TOVELA_PDF_DIR (the output folder) only when the printer works.
# The machine's own scheduler, its /etc/cups and its queues are never touched, and test runs of
# different build folders do not see each other's printer.
#
# The cups-pdf backend reads its settings from a fixed path, /etc/cups/cups-pdf.conf. The
# scheduler's backend folder therefore holds a wrapper instead of the backend: it starts the real
# backend in a mount namespace of its own in which this run's cups-pdf.conf is bind-mounted over
# the fixed path. Nobody outside that one backend process sees the replacement.
#
# Must run before the first Windows test program starts: Wine reads the printer list when the
# first process of a Wine session loads winspool.

tovela_cups_pdf_setup() {
  local root build dir pdfdir sock ppd backend i
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  build="${BUILD:-${TOVELA_BUILD:-$root/build}}"
  dir="$build/cups"
  pdfdir="$build/pdf"
  sock="$dir/cupsd.sock"
  ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  backend=/usr/lib/cups/backend/cups-pdf
  local cupsd="${TOVELA_CUPSD:-/usr/sbin/cupsd}"  # another path only to try the failure path

  if [ ! -x "$cupsd" ]; then
    echo "cups-pdf: no CUPS scheduler at $cupsd (run scripts/setup.sh)" >&2
    return 1
  fi
  if [ ! -f "$ppd" ] || [ ! -x "$backend" ] || [ ! -f /etc/cups/cups-pdf.conf ]; then
    echo "cups-pdf: the cups-pdf backend, its PPD or /etc/cups/cups-pdf.conf is missing (run scripts/setup.sh)" >&2
    return 1
  fi
  if [ "${#sock}" -gt 100 ]; then
    echo "cups-pdf: the socket path $sock is too long for a domain socket" >&2
    return 1
  fi
  if ! unshare -m sh -c "mount --bind /dev/null /etc/cups/cups-pdf.conf" 2>/dev/null; then
    echo "cups-pdf: cannot give the backend its own configuration (unshare -m / mount --bind need root)" >&2
    return 1
  fi

  # A scheduler left behind by an interrupted run of this build folder is stopped first.
  if [ -f "$dir/cupsd.pid" ]; then
    local old
    old="$(cat "$dir/cupsd.pid")"
    if [[ "$(cat "/proc/$old/cmdline" 2>/dev/null | tr '\0' ' ')" == *"$dir/cupsd.conf"* ]]; then
      kill "$old" 2>/dev/null
      for i in $(seq 1 100); do kill -0 "$old" 2>/dev/null || break; sleep 0.1; done
    fi
  fi
  rm -rf "$dir"
  mkdir -p "$dir"/{spool/tmp,cache,state,log,serverbin/backend} "$pdfdir"
  # The new scheduler numbers its jobs from 1 again, and cups-pdf names files after the job: an
  # old "<title>-job_1.pdf" would hide the new one from a test looking for a new file.
  rm -f "$pdfdir"/*.pdf
  # Filters run as lp and write their temporary files here.
  chgrp lp "$dir/spool/tmp" && chmod 1770 "$dir/spool/tmp"
  # The backend writes as the job's user, or to AnonDirName for jobs it cannot map to a local
  # user; both are the same folder, writable by whichever account the backend settles on.
  chmod 1777 "$pdfdir"
  local d
  for d in filter daemon cgi-bin monitor notifier driver; do
    ln -s "/usr/lib/cups/$d" "$dir/serverbin/$d"
  done
  printf 'Out %s\nAnonDirName %s\nGrp lpadmin\nDecodeHexStrings 1\n' "$pdfdir" "$pdfdir" \
    > "$dir/cups-pdf.conf"
  # Mode 0700: the scheduler runs backends that only root may execute as root, which the bind
  # mount and cups-pdf (it changes to the job's user) both need.
  printf '%s\n' '#!/bin/sh' \
    "exec unshare -m sh -c 'mount --bind \"\$0\" /etc/cups/cups-pdf.conf && exec $backend \"\$@\"' '$dir/cups-pdf.conf' \"\$@\"" \
    > "$dir/serverbin/backend/cups-pdf"
  chmod 700 "$dir/serverbin/backend/cups-pdf"

  printf '%s\n' "ServerRoot $dir" "ServerBin $dir/serverbin" "RequestRoot $dir/spool" \
    "TempDir $dir/spool/tmp" "CacheDir $dir/cache" "StateDir $dir/state" \
    "DataDir /usr/share/cups" "DocumentRoot /usr/share/cups/doc-root" \
    "AccessLog $dir/log/access_log" "ErrorLog $dir/log/error_log" "PageLog $dir/log/page_log" \
    "User lp" "Group lp" "SystemGroup root" > "$dir/cups-files.conf"
  printf '%s\n' "Listen $sock" "Browsing No" "WebInterface No" "LogLevel warn" \
    "<Location />" "  Order allow,deny" "  Allow all" "</Location>" > "$dir/cupsd.conf"

  "$cupsd" -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" -f >"$dir/log/cupsd.out" 2>&1 &
  local pid=$!
  echo "$pid" > "$dir/cupsd.pid"
  TOVELA_CLEANUP+=("kill $pid; wait $pid 2>/dev/null")
  export CUPS_SERVER="$sock"
  # (lpstat's messages are localised: read them in the C locale.)
  for i in $(seq 1 300); do
    [[ "$(LC_ALL=C lpstat -r 2>/dev/null)" == *"is running"* ]] && break
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "cups-pdf: the scheduler exited at start: $(tail -n 3 "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null)" >&2
      unset CUPS_SERVER
      return 1
    fi
    sleep 0.1
  done
  # (lpadmin warns on stderr that PPD drivers are deprecated; its exit status tells failure.)
  if ! lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd" -o PageSize=A4 2>/dev/null || ! lpadmin -d PDF 2>/dev/null \
     || [[ "$(LC_ALL=C lpstat -d 2>/dev/null)" != *": PDF" ]]; then
    echo "cups-pdf: the scheduler at $sock did not take the PDF queue" >&2
    unset CUPS_SERVER
    return 1
  fi
  export TOVELA_PDF_DIR="$pdfdir"
}

if ! declare -p TOVELA_CLEANUP >/dev/null 2>&1; then
  TOVELA_CLEANUP=()
fi
unset TOVELA_PDF_DIR
if ! tovela_cups_pdf_setup; then
  echo "cups-pdf: no test printer; every printing test will fail" >&2
fi
