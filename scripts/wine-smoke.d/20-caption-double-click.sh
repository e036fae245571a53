# 20. A double click on a border's caption maximises it: the border then fills the work area (the
#     whole display, which has no taskbar of its own here); a second one gives the border back the
#     rectangle it had. Sourced by scripts/wine-smoke.sh, whose helpers it uses.

# The rectangle "left top right bottom" of the border of the notepad named, from the step's tree.
notepad_border_rect() {
  grep -E "^class=\"KelmorForm\" text=\"$2\" visible=1 parent=\"desktop\"" "$output/$1.txt" | head -1 |
    sed -E 's/.*rect=(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+).*/\1 \2 \3 \4/'
}
# Double-clicks the border's caption, a third of the way along it and 11 pixels below its top,
# until the border's rectangle is the one wanted; Wine drops some synthetic clicks, so it tries
# up to five times.
double_click_caption_until() {
  local step=$1 title=$2 wanted=$3 left top right bottom
  for attempt in $(seq 5); do
    windows "$step-$attempt"
    read -r left top right bottom <<<"$(notepad_border_rect "$step-$attempt" "$title")"
    [ -n "${left:-}" ] || return 1
    xdotool mousemove "$((left + (right - left) / 3))" "$((top + 11))"
    sleep 0.5
    xdotool click --repeat 2 --delay 120 1
    sleep 3
    windows "$step-$attempt-after"
    screenshot "$step-$attempt-after"
    [ "$(notepad_border_rect "$step-$attempt-after" "$title")" = "$wanted" ] && return 0
  done
  return 1
}

start_kelmor 20-started
printf 'double click\r\n' >"$WINEPREFIX/drive_c/double.txt"
wine notepad 'C:\double.txt' >"$output/20-notepad.log" 2>&1 &
check "notepad is adopted (20)" \
  wait_for_window 20-adopted '^ +class="Notepad" text="double.txt - Notepad" visible=1 parent="KelmorControl"'
sleep 2
windows 20-adopted
restored_rect=$(notepad_border_rect 20-adopted "double.txt - Notepad")
display_size=$(xdpyinfo | sed -nE 's/ *dimensions: *([0-9]+)x([0-9]+) pixels.*/\1 \2/p')
read -r display_width display_height <<<"$display_size"
maximise_by_caption() {
  double_click_caption_until 20-maximised "double.txt - Notepad" "0 0 $display_width $display_height"
}
# Only a border that was maximised can show that a double click restores it.
restore_by_caption() {
  [ "$(notepad_border_rect 20-maximised-last "double.txt - Notepad")" != "$restored_rect" ] &&
    double_click_caption_until 20-restored "double.txt - Notepad" "$restored_rect"
}
check "a caption double click maximises the border over the whole display" maximise_by_caption
windows 20-maximised-last
check "a second one restores its rectangle ($restored_rect)" restore_by_caption
windows 20-final
check "notepad stays adopted" has_window 20-final '^ +class="Notepad" .*parent="KelmorControl"'
end_kelmor 20-ended
