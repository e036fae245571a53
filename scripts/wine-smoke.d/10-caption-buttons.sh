# 10. The caption buttons lie over the caption piece: at the middle of each of the three buttons
#     of an adopted notepad's border, the window under the pointer is that button. A button is
#     one of the border's shown children of its size (26 x 18, 25 x 18 and 44 x 18 pixels); the
#     caption piece beside them is as wide as the border. Sourced by scripts/wine-smoke.sh.

# The shown caption buttons of the step's window tree, one "left top right bottom" line each.
caption_buttons() {
  grep -E '^ +class="KelmorControl" .* visible=1 parent="KelmorForm" ' "$output/$1.txt" |
    sed -E 's/.*rect=(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+).*/\1 \2 \3 \4/' |
    while read -r left top right bottom; do
      case "$((right - left))x$((bottom - top))" in
        26x18 | 25x18 | 44x18) echo "$left $top $right $bottom" ;;
      esac
    done
}

# Each of the three buttons is what WindowFromPoint finds at its middle.
buttons_are_under_the_pointer() {
  local step=$1 found=0 left top right bottom hit
  windows "$step"
  while read -r left top right bottom; do
    found=$((found + 1))
    hit=$(timeout 60 wine "$window_list" --hit $(((left + right) / 2)) $(((top + bottom) / 2)) | tr -d '\r')
    echo "$left,$top,$right,$bottom: $hit" >>"$output/$step-hits.txt"
    [[ $hit == *"rect=$left,$top,$right,$bottom "* ]] || return 1
  done < <(caption_buttons "$step")
  [ "$found" -eq 3 ]
}
# The border sets its buttons up after the window is inside it (the overlay of an inert maximise
# button shows until then), so the check is tried again while that may still be under way.
buttons_settle_under_the_pointer() {
  for attempt in $(seq 5); do
    buttons_are_under_the_pointer "$1-$attempt" && return 0
    sleep 3
  done
  return 1
}

start_kelmor 10-caption-buttons
sleep 2
wine notepad >"$output/10-notepad.log" 2>&1 &
check "10: notepad is adopted" wait_for_window 10-adopted '^ +class="Notepad" text="Untitled - Notepad" visible=1 parent="KelmorControl"'
sleep 3
check "10: each caption button is the window under the pointer at its middle" buttons_settle_under_the_pointer 10-buttons
screenshot 10-caption-buttons
end_kelmor 10-caption-buttons
# The notepad, back on the desktop, goes too, so that the next check starts without it.
timeout 60 wine "$window_list" --close Notepad >"$output/10-notepad-close.log" 2>&1 || true
