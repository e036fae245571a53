#!/usr/bin/env bash
# Runs "Kelmor 2.exe" under Wine on a virtual X display in a fresh prefix, as a new user would:
# it starts without an error box and shows its tray icon; a window opened afterwards (Wine's
# notepad) is adopted and keeps its text; a second instance ends by itself. Screenshots of each
# step and the window trees land in build-win/wine/smoke. Then "Exit Kelmor" in its tray icon's
# menu ends it with notepad back on the desktop with its text; started again, it adopts a new
# notepad, and the system ends it as its task list does (WM_CLOSE to its hidden owner window) with
# that notepad back too; it starts once more (its single-instance mutex went with it). Then every
# numbered check of scripts/wine-smoke.d runs, each starting and ending the program itself.
# Needs build-win/ built (scripts/cross-build.sh). Usage: scripts/wine-smoke.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-wine.sh
source scripts/wine-common.sh
start_wine_run smoke
program="$PWD/build-win/bin/Kelmor 2.exe"
window_list="$PWD/build-win/bin/window-list.exe"

passed=0
failed=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "smoke: ok: $what"
    passed=$((passed + 1))
  else
    echo "smoke: FAILED: $what"
    failed=$((failed + 1))
  fi
}

# The desktop's window tree, written to the step's file.
windows() { timeout 60 wine "$window_list" | tr -d '\r' >"$output/$1.txt"; }
screenshot() { import -window root "$output/$1.png"; }
# Waits up to a minute for a line matching the pattern in the step's window tree.
wait_for_window() {
  local step=$1 pattern=$2
  for _ in $(seq 60); do
    windows "$step"
    grep -Eq "$pattern" "$output/$step.txt" && return 0
    sleep 1
  done
  return 1
}
has_window() { grep -Eq "$2" "$output/$1.txt"; }
# The rectangle of the first window of the step's tree that matches the pattern: "left top right bottom".
rect_of() {
  grep -E "$2" "$output/$1.txt" | head -1 | sed -E 's/.*rect=(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+).*/\1 \2 \3 \4/'
}
has_no_window() { ! grep -Eq "$2" "$output/$1.txt"; }
is_running() { kill -0 "$kelmor_pid" 2>/dev/null; }

start_display
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_display
}
trap cleanup EXIT

# 1. The program starts: its forms exist, no error box (a dialog of class #32770) shows, and
#    its icon is in Wine's tray, which shows each icon as a window of its own.
started=$SECONDS
wine "$program" >"$output/kelmor.log" 2>&1 &
kelmor_pid=$!
check "the program's forms exist" wait_for_window 01-started '^class="KelmorForm"'
check "its tray icon exists" wait_for_window 01-started 'class="__winex11_tray_icon"'
echo "smoke: started in $((SECONDS - started)) s"
sleep 2
windows 01-started
screenshot 01-started
check "it is running" is_running
check "no error box shows" has_no_window 01-started '^class="#32770".* visible=1'

# 2. Notepad opened afterwards is adopted: its parent is no longer the desktop, and its text
#    stays what it was.
printf 'Kelmor smoke text\r\nsecond line\r\n' >"$WINEPREFIX/drive_c/smoke.txt"
wine notepad 'C:\smoke.txt' >"$output/notepad.log" 2>&1 &
check "notepad is adopted" wait_for_window 02-adopted '^ +class="Notepad" text="smoke.txt - Notepad" visible=1 parent="KelmorControl"'
sleep 2
windows 02-adopted
screenshot 02-adopted
check "notepad keeps its text" has_window 02-adopted '^ +class="Edit" text="Kelmor smoke text\\nsecond line\\n" .*parent="Notepad"'
check "no error box shows" has_no_window 02-adopted '^class="#32770".* visible=1'

# 3. A second instance ends by itself and leaves the first one running.
second_instance_ends() { timeout 60 wine "$program" >"$output/second.log" 2>&1; }
check "a second instance ends by itself" second_instance_ends
windows 03-second-instance
screenshot 03-second-instance
check "the first instance still runs" is_running
check "notepad stays adopted" has_window 03-second-instance '^ +class="Notepad" .*parent="KelmorControl"'

# Starts the program, waits for its forms and its tray icon (the first window snapshot follows the
# icon: a window opened before that counts as open before the start), and sets kelmor_pid; the
# step names the output files.
start_kelmor() {
  wine "$program" >"$output/$1.log" 2>&1 &
  kelmor_pid=$!
  check "the program starts ($1)" wait_for_window "$1" '^class="KelmorForm"'
  wait_for_window "$1" 'class="__winex11_tray_icon"' || true
  sleep 3
}
# Ends the program as the system's task list does, and waits until it has ended.
end_kelmor() {
  timeout 60 wine "$window_list" --close KelmorOwner >"$output/$1-close.log" 2>&1 || true
  check "the program ends ($1)" has_ended
}

has_ended() {
  for _ in $(seq 60); do
    is_running || return 0
    sleep 1
  done
  return 1
}
press() { xdotool mousemove "$1" "$2"; sleep 0.5; xdotool mousedown "$3"; sleep 0.3; xdotool mouseup "$3"; }

# The tray icon's place in the window tree of the step.
open_tray_menu() {
  windows "$1"
  local icon
  icon=$(rect_of "$1" 'class="__winex11_tray_icon"')
  read -r icon_left icon_top icon_right icon_bottom <<<"$icon"
  press $(((icon_left + icon_right) / 2)) $(((icon_top + icon_bottom) / 2)) 3
  wait_for_window "$1-menu" '^class="#32768".* visible=1'
}
# "Exit Kelmor", the menu's last item, clicked as a user does: the pointer rests on it before the
# click. Wine on a bare X display sometimes drops a click synthesised on a fresh menu, so the menu
# is opened again, at most eight times.
exit_through_tray_menu() {
  for attempt in $(seq 8); do
    open_tray_menu "04-tray-$attempt" || continue
    local menu
    menu=$(rect_of "04-tray-$attempt-menu" '^class="#32768".* visible=1')
    read -r menu_left menu_top menu_right menu_bottom <<<"$menu"
    local x=$(((menu_left + menu_right) / 2)) y=$((menu_bottom - 10))
    xdotool mousemove "$x" "$((y - 2))"
    sleep 1
    screenshot "04-menu-$attempt"
    press "$x" "$y" 1
    for _ in $(seq 20); do
      is_running || return 0
      sleep 1
    done
    xdotool key Escape
    press 1200 780 1
  done
  return 1
}

# 4. The tray icon's right button opens the menu, and "Exit Kelmor" in it ends the program with
#    every window it holds back on the desktop. The adopted notepad's border lies over the tray on
#    this display without a window manager: it is moved aside first.
xdotool search --name 'smoke.txt - Notepad' | while read -r border; do xdotool windowmove "$border" 300 200; done
sleep 2
check "\"Exit Kelmor\" in the tray menu ends the program" exit_through_tray_menu
check "notepad is back on the desktop" wait_for_window 04-ended '^class="Notepad" text="smoke.txt - Notepad" visible=1 parent="desktop"'
screenshot 04-ended
check "notepad keeps its text" has_window 04-ended '^ +class="Edit" text="Kelmor smoke text\\nsecond line\\n" .*parent="Notepad"'

# 5. Started again, it adopts notepad anew; the system ends it from outside as its task list
#    does: every window it holds comes back first.
wine "$program" >"$output/restarted.log" 2>&1 &
kelmor_pid=$!
check "the program starts again after its menu's exit" wait_for_window 05-restarted '^class="KelmorForm"'
wine notepad >"$output/notepad2.log" 2>&1 &
check "a new notepad is adopted" wait_for_window 05-adopted '^ +class="Notepad" text="Untitled - Notepad" visible=1 parent="KelmorControl"'
ask_to_end() { timeout 60 wine "$window_list" --close KelmorOwner >"$output/close.log" 2>&1; }
check "the program's owner window takes the close" ask_to_end
check "the program ends" has_ended
check "notepad is back on the desktop" wait_for_window 05-ended '^class="Notepad" text="Untitled - Notepad" visible=1 parent="desktop"'
screenshot 05-ended

# 6. Its single-instance mutex went with it: the program starts again and stays.
start_kelmor 06-again
sleep 2
check "and keeps running" is_running
end_kelmor 06-again

# Then each numbered check of scripts/wine-smoke.d in turn. Each starts the program with
# start_kelmor and ends it with end_kelmor, so the next one begins on a desktop without it.
for block in scripts/wine-smoke.d/*.sh; do
  [ -f "$block" ] || continue
  echo "smoke: $(basename "$block" .sh)"
  # shellcheck source=/dev/null
  source "$block"
done

echo "smoke: screenshots and window trees in $output"
echo "smoke: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
