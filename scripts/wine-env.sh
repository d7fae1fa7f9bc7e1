# Sourced by the other scripts: one Wine environment for every wine call of the project.
# Every call, wineboot included, uses the same LANG; another LANG makes Wine rewrite the
# "MS Shell Dlg" substitute and Japanese text turns into boxes.
TOVELA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko prompts at prefix creation (there is no network to fetch them from).
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="

# tovela_prefix DIR: create and configure a Wine prefix at DIR once (idempotent, lock-protected).
tovela_prefix() {
  local prefix="$1"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix"
  (
    flock 9
    if [ ! -f "$prefix/.tovela-ready" ]; then
      echo "wine: preparing prefix $prefix" >&2
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      local reg
      reg="$(mktemp --suffix=.reg)"
      # Japanese fonts under the names the program and the dialogs ask for.
      printf '%s\r\n' \
        'Windows Registry Editor Version 5.00' '' \
        '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
        '"MS ゴシック"="IPAGothic"' \
        '"ＭＳ ゴシック"="IPAGothic"' \
        '"ＭＳ Ｐゴシック"="IPAPGothic"' \
        '"MS Shell Dlg"="IPAPGothic"' \
        '"MS Shell Dlg 2"="IPAPGothic"' \
        '"MS UI Gothic"="IPAPGothic"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
        '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' \
        '"ShowCrashDialog"=dword:00000000' '' \
        | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
      wine regedit /S "$reg" >/dev/null 2>&1 || true
      wineserver -w || true
      rm -f "$reg"
      touch "$prefix/.tovela-ready"
    fi
  ) 9>"$prefix.lock"
}

# tovela_xvfb_start: start a private Xvfb on a free display; sets DISPLAY and TOVELA_XVFB_PID.
tovela_xvfb_start() {
  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TOVELA_XVFB_PID=$!
    local i
    for i in $(seq 1 200); do
      if [ -e "/tmp/.X11-unix/X$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        export TOVELA_XVFB_PID
        return 0
      fi
      kill -0 "$TOVELA_XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
    kill "$TOVELA_XVFB_PID" 2>/dev/null || true
  done
  echo "wine: no free X display" >&2
  return 1
}

tovela_xvfb_stop() {
  if [ -n "${TOVELA_XVFB_PID:-}" ]; then
    kill "$TOVELA_XVFB_PID" 2>/dev/null || true
    wait "$TOVELA_XVFB_PID" 2>/dev/null || true
    TOVELA_XVFB_PID=""
  fi
}
