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

# Japanese fonts under the names the program and the dialogs ask for ("name=font").
TOVELA_FONT_SUBSTITUTES=(
  'MS ゴシック=IPAGothic'
  'ＭＳ ゴシック=IPAGothic'
  'ＭＳ Ｐゴシック=IPAPGothic'
  'MS Shell Dlg=IPAPGothic'
  'MS Shell Dlg 2=IPAPGothic'
  'MS UI Gothic=IPAPGothic'
)
TOVELA_FONT_SUBSTITUTES_KEY='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'

# tovela_font_listing: what `wine reg query` prints of the font substitutes key, as UTF-8, in
# TOVELA_REG_LISTING; its exit status in TOVELA_REG_STATUS (0 with a listing of the key). reg
# writes to a pipe in the console's code page: the Japanese locale's 932 as a rule, but UTF-8
# when the console was set up for it, so both are read. Tried again, each time once the prefix's
# wineserver has ended, for up to TOVELA_REG_WAIT seconds (default 60): a query asked while a
# server of the prefix is still starting or stopping can fail without listing the key, and
# under load that takes a while.
tovela_font_listing() {
  local raw status deadline=$((SECONDS + ${TOVELA_REG_WAIT:-60}))
  raw="$(mktemp)"
  while :; do
    wine reg query "$TOVELA_FONT_SUBSTITUTES_KEY" >"$raw" 2>&1 && status=0 || status=$?
    TOVELA_REG_LISTING="$( (iconv -f CP932 -t UTF-8 <"$raw" 2>/dev/null || iconv -f UTF-8 -t UTF-8 -c <"$raw") | tr -d '\r')"
    TOVELA_REG_STATUS="$status"
    if [ "$status" = 0 ] && grep -qF 'FontSubstitutes' <<<"$TOVELA_REG_LISTING"; then break; fi
    [ "$status" = 0 ] && TOVELA_REG_STATUS=1
    [ "$SECONDS" -lt "$deadline" ] || break
    wineserver -w 2>/dev/null
    sleep 1
  done
  rm -f "$raw"
  [ "$TOVELA_REG_STATUS" = 0 ]
}

# tovela_prefix_check: the font substitutes of WINEPREFIX as Wine reads them (same LANG as every
# other call). Prints each one that is missing or wrong and returns 1 if there is any.
tovela_prefix_check() {
  local listing pair name font bad=0
  if ! tovela_font_listing; then
    echo "wine: cannot read the font substitutes of $WINEPREFIX: \`wine reg query\` ended with" \
      "status $TOVELA_REG_STATUS and printed: $(head -n 5 <<<"${TOVELA_REG_LISTING:-(nothing)}" | paste -sd ' ')" >&2
    return 1
  fi
  listing="$TOVELA_REG_LISTING"
  for pair in "${TOVELA_FONT_SUBSTITUTES[@]}"; do
    name="${pair%%=*}"
    font="${pair#*=}"
    if ! grep -qxF "    $name    REG_SZ    $font" <<<"$listing"; then
      echo "wine: font substitute \"$name\" is not \"$font\" in $WINEPREFIX" >&2
      bad=1
    fi
  done
  return "$bad"
}

# tovela_wine_step COMMAND...: one Wine command of the prefix set-up. It runs without the set-up's
# lock descriptor (fd 9): the wineserver and Wine's services that the command starts outlive the
# set-up and would hold the lock as long as they live. It runs in the background and is waited
# for, so an interrupt reaches the set-up's trap at once instead of after the command.
tovela_wine_step() {
  "$@" 9>&- &
  wait "$!"
}

# tovela_prefix DIR: create and configure a Wine prefix at DIR once (idempotent, lock-protected).
# Fails, and leaves the prefix unmarked so that the next call starts over, when wineboot or the
# registry import fails or the font substitutes are not there afterwards. A prefix that this
# function began in an empty folder and did not finish (an interrupt, a failure) is removed, its
# Wine processes stopped: on an interrupt at once, otherwise by the next call before it starts
# again.
tovela_prefix() {
  local prefix="$1"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix"
  (
    flock 9
    [ -f "$prefix/.tovela-ready" ] && exit 0
    if [ -f "$prefix/.tovela-preparing" ]; then
      tovela_wine_step wineserver -k 2>/dev/null
      rm -rf "$prefix"
      mkdir -p "$prefix"
    fi
    # Only a prefix begun in an empty folder is ever removed.
    [ -z "$(ls -A "$prefix")" ] && touch "$prefix/.tovela-preparing"
    trap 'echo "wine: interrupted while preparing $prefix" >&2; tovela_prefix_abandon "$prefix"; exit 130' INT TERM HUP
    echo "wine: preparing prefix $prefix" >&2
    local log="$prefix.log" reg pair
    if ! tovela_wine_step wineboot -i >"$log" 2>&1 || ! tovela_wine_step wineserver -w; then
      echo "wine: wineboot failed in $prefix (output in $log)" >&2
      exit 1
    fi
    reg="$(mktemp --suffix=.reg)"
    {
      printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' "[$TOVELA_FONT_SUBSTITUTES_KEY]"
      for pair in "${TOVELA_FONT_SUBSTITUTES[@]}"; do
        printf '"%s"="%s"\r\n' "${pair%%=*}" "${pair#*=}"
      done
      printf '%s\r\n' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
        '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' \
        '"ShowCrashDialog"=dword:00000000' ''
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
    local imported=0
    tovela_wine_step wine regedit /S "$reg" >>"$log" 2>&1 && tovela_wine_step wineserver -w && imported=1
    rm -f "$reg"
    if [ "$imported" != 1 ]; then
      echo "wine: the registry import failed in $prefix (output in $log)" >&2
      exit 1
    fi
    tovela_prefix_check 9>&- || exit 1
    touch "$prefix/.tovela-ready"
    rm -f "$prefix/.tovela-preparing"
  ) 9>"$prefix.lock"
}

# tovela_prefix_abandon DIR: stops the Wine processes of the half-made prefix DIR and removes it
# when tovela_prefix began it.
tovela_prefix_abandon() {
  WINEPREFIX="$1" wineserver -k 9>&- 2>/dev/null
  wait 2>/dev/null
  if [ -f "$1/.tovela-preparing" ]; then rm -rf "$1"; fi
}

# tovela_xvfb_start: start a private Xvfb on a free display; sets DISPLAY and TOVELA_XVFB_PID.
# The screen is TOVELA_XVFB_SCREEN (default 1280x1024x24).
tovela_xvfb_start() {
  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${TOVELA_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
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
