# Sourced by scripts/run.sh (and its tests): where the program is installed, and whether the X
# display can be used.

# tovela_inside PATH FOLDER: whether PATH is FOLDER or lies below it (symbolic links resolved).
tovela_inside() {
  local path folder
  path="$(realpath -m -- "$1")"
  folder="$(realpath -m -- "$2")"
  [ "$path" = "$folder" ] || [[ "$path" == "$folder"/* ]]
}

# tovela_install_folder CLONE: prints the folder run.sh installs Tovela into and keeps the records
# in. TOVELA_HOME when set; otherwise ~/Tovela, unless that is the clone itself or inside it (a
# clone made in the home folder is ~/Tovela): then ${XDG_DATA_HOME:-~/.local/share}/tovela/Tovela,
# said in one line. Records must never live in the working tree, where `git clean -fdx` deletes
# them: a TOVELA_HOME inside CLONE is refused with one line (status 1).
tovela_install_folder() {
  local clone="$1" folder
  if [ -n "${TOVELA_HOME:-}" ]; then
    if tovela_inside "$TOVELA_HOME" "$clone"; then
      echo "run: TOVELA_HOME=$TOVELA_HOME is inside the clone $clone, where git clean would delete the records; set TOVELA_HOME to a folder outside it" >&2
      return 1
    fi
    printf '%s\n' "$TOVELA_HOME"
    return 0
  fi
  folder="$HOME/Tovela"
  if tovela_inside "$folder" "$clone"; then
    folder="${XDG_DATA_HOME:-$HOME/.local/share}/tovela/Tovela"
    echo "run: ~/Tovela is this clone, so Tovela and its records live in $folder (set TOVELA_HOME to choose another folder)" >&2
  fi
  printf '%s\n' "$folder"
}

# tovela_display_usable: whether DISPLAY can be opened; when it cannot, says so in one line.
tovela_display_usable() {
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    echo "run: cannot open the X display DISPLAY=$DISPLAY; fix it, or run without one (env -u DISPLAY bash scripts/run.sh) on a private, invisible Xvfb" >&2
    return 1
  fi
}
