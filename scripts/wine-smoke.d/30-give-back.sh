# 30. Windows come back as they were. WineMine, adopted and given back five times, comes back each
#     time where and as large as it was before; notepad, maximised through its own window while
#     adopted, comes back maximised; WineMine started minimised, adopted so, comes back minimised.
#     Sourced by scripts/wine-smoke.sh.
mines_on_desktop='^class="WineMine" .*parent="desktop"'
mines_adopted='^ +class="WineMine" .*parent="KelmorControl"'
rect_in() { grep -E "$2" "$output/$1.txt" | head -1 | sed -E 's/.* rect=(-?[0-9]+,-?[0-9]+,-?[0-9]+,-?[0-9]+) .*/\1/'; }
state_in() { grep -E "$2" "$output/$1.txt" | head -1 | sed -E 's/.* state=([a-z]+) .*/\1/'; }
is_same() { [ -n "$1" ] && [ "$1" = "$2" ]; }
close_mines() {
  timeout 60 wine "$window_list" --close WineMine >"$output/$1-close-mines.log" 2>&1 || true
  sleep 3
}

for cycle in 1 2 3 4 5; do
  # Where WineMine opens by itself: the place and size it had when it was last closed.
  wine winemine >"$output/30-mines-$cycle.log" 2>&1 &
  wait_for_window "30-mines-$cycle" "$mines_on_desktop" || true
  sleep 2
  windows "30-mines-$cycle"
  before=$(rect_in "30-mines-$cycle" "$mines_on_desktop")
  close_mines "30-mines-$cycle"
  start_kelmor "30-cycle-$cycle"
  sleep 2
  wine winemine >"$output/30-mines-$cycle-adopted.log" 2>&1 &
  check "WineMine is adopted (cycle $cycle)" wait_for_window "30-adopted-$cycle" "$mines_adopted"
  end_kelmor "30-cycle-$cycle"
  wait_for_window "30-back-$cycle" "$mines_on_desktop" || true
  sleep 2
  windows "30-back-$cycle"
  screenshot "30-back-$cycle"
  after=$(rect_in "30-back-$cycle" "$mines_on_desktop")
  echo "smoke: WineMine before adoption $before, given back $after (cycle $cycle)"
  check "WineMine comes back where and as large as it was (cycle $cycle)" is_same "$after" "$before"
  close_mines "30-back-$cycle"
done

start_kelmor 30-states
sleep 2
wine notepad >"$output/30-notepad.log" 2>&1 &
check "notepad is adopted" wait_for_window 30-states-notepad '^ +class="Notepad" .*parent="KelmorControl"'
sleep 2
timeout 60 wine "$window_list" --show Notepad 3 >"$output/30-maximise.log" 2>&1 || true
sleep 2
windows 30-states-maximised
check "notepad is maximised inside its border" is_same "$(state_in 30-states-maximised '^ +class="Notepad" ')" maximized
wine start /min winemine >"$output/30-mines-minimised.log" 2>&1 &
check "WineMine started minimised is adopted" wait_for_window 30-states-mines "$mines_adopted"
sleep 2
end_kelmor 30-states
wait_for_window 30-states-back '^class="Notepad" .*parent="desktop"' || true
sleep 2
windows 30-states-back
screenshot 30-states-back
check "notepad comes back maximised" is_same "$(state_in 30-states-back '^class="Notepad" .*parent="desktop"')" maximized
check "WineMine comes back minimised" is_same "$(state_in 30-states-back "$mines_on_desktop")" minimized
timeout 60 wine "$window_list" --close Notepad >/dev/null 2>&1 || true
close_mines 30-states-back
