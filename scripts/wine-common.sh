# Shared by the scripts that run the Windows build under Wine; sourced, not run.
# Everything they make lands in build-win/wine.

wine_folder="$PWD/build-win/wine"
mkdir -p "$wine_folder"
export WINEARCH=win32 WINEDEBUG=-all
unset WINELOADER WINESERVER

# Makes a fresh 32-bit Wine prefix in the folder given and points WINEPREFIX at it.
new_wine_prefix() {
  export WINEPREFIX=$1
  rm -rf "$WINEPREFIX"
  local started=$SECONDS
  if ! timeout 300 wine wineboot --init >"$wine_folder/wineboot.log" 2>&1 || ! timeout 120 wineserver -w; then
    echo "The Windows checks cannot run on this machine: Wine did not set up its prefix (see $wine_folder/wineboot.log)" >&2
    exit 1
  fi
  echo "wine: prefix ready in $((SECONDS - started)) s"
}

# Starts a virtual X display of its own, of the size given (default 1280x800), and exports DISPLAY;
# stop_display ends it.
start_display() {
  local size=${1:-1280x800}
  local number_file="$wine_folder/display"
  rm -f "$number_file"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number_file" >"$wine_folder/xvfb.log" 2>&1 &
  display_pid=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  [ -s "$number_file" ] || { echo "Xvfb did not start (see $wine_folder/xvfb.log)" >&2; exit 1; }
  export DISPLAY=":$(cat "$number_file")"
}

stop_display() {
  kill "$display_pid" 2>/dev/null || true
  wait "$display_pid" 2>/dev/null || true
}

# The start of each run under Wine: an empty output folder of the run's name, build-win/wine/NAME,
# and a fresh prefix; exports WINEPREFIX and sets output. With "shared", runs that leave nothing
# behind in the prefix share one, made by the first of them, and save its start.
start_wine_run() {
  if [ "${2:-}" = shared ] && [ -f "$wine_folder/shared-prefix/system.reg" ]; then
    export WINEPREFIX="$wine_folder/shared-prefix"
  elif [ "${2:-}" = shared ]; then
    new_wine_prefix "$wine_folder/shared-prefix"
  else
    new_wine_prefix "$wine_folder/$1-prefix"
  fi
  output="$wine_folder/$1"
  rm -rf "$output"
  mkdir -p "$output"
}
