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

# Starts a virtual X display of its own and exports DISPLAY; stop_display ends it.
start_display() {
  local number_file="$wine_folder/display"
  rm -f "$number_file"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number_file" >"$wine_folder/xvfb.log" 2>&1 &
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

# The start of each run under Wine: a fresh prefix and an empty output folder of the run's name,
# build-win/wine/NAME; exports WINEPREFIX and sets output.
start_wine_run() {
  new_wine_prefix "$wine_folder/$1-prefix"
  output="$wine_folder/$1"
  rm -rf "$output"
  mkdir -p "$output"
}
