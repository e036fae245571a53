# 50. The program adopts no window that it must leave alone: not the window in which Wine shows
#     its notification area (opened for the program's own icon at its start), and not its own
#     dialogs, such as the system's colour dialog of the settings' caption colour, left open a
#     while so that the poll sees it.
start_kelmor 50-own-windows
# Its first snapshot of the desktop follows its icon: windows opened before that are known.
check "its tray icon exists (50-own-windows)" wait_for_window 50-own-windows-icon 'class="__winex11_tray_icon" text="" visible=1'
sleep 3
windows 50-own-windows
screenshot 50-own-windows
check "Wine's notification-area window is not adopted" has_no_window 50-own-windows 'text="Wine System Tray" .*parent="KelmorControl"'

# The settings window's client area begins at the left of its menu panel, its left-most child.
settings_client_origin() {
  awk '/^class="KelmorForm" text="Kelmor - Settings" visible=1/ { inside = 1; next }
       /^class=/ { inside = 0 }
       inside && /^  class=/ { match($0, /rect=-?[0-9]+,-?[0-9]+/); split(substr($0, RSTART + 5, RLENGTH - 5), xy, ",");
         if (left == "" || xy[1] + 0 < left) { left = xy[1] + 0; top = xy[2] + 0 } }
       END { print left, top }' "$output/$1.txt"
}
# "Preferences" in the tray menu, then its Colors page, then the caption colour's swatch, which
# opens the system's colour dialog; Wine may drop a click, so each step is tried again.
open_colour_dialog() {
  for attempt in $(seq 6); do
    open_tray_menu "50-tray-$attempt" || continue
    local menu
    menu=$(rect_of "50-tray-$attempt-menu" '^class="#32768".* visible=1')
    read -r menu_left menu_top menu_right menu_bottom <<<"$menu"
    press $(((menu_left + menu_right) / 2)) $((menu_top + 3 + menu_item_height * 5 / 2)) 1
    wait_for_window "50-settings-$attempt" '^class="KelmorForm" text="Kelmor - Settings" visible=1' || continue
    read -r client_left client_top <<<"$(settings_client_origin "50-settings-$attempt")"
    press $((client_left + 34)) $((client_top + 86)) 1
    sleep 2
    press $((client_left + 176)) $((client_top + 176)) 1
    wait_for_window "50-colour-dialog-$attempt" '^class="#32770".* visible=1' && return 0
  done
  return 1
}
# Each item of the tray menu is 19 pixels tall under Wine; "Preferences" is the third.
menu_item_height=19
check "the colour dialog opens" open_colour_dialog
sleep 5
windows 50-colour-dialog
screenshot 50-colour-dialog
check "the colour dialog is not adopted" has_no_window 50-colour-dialog '^ +class="#32770".*parent="KelmorControl"'
check "the colour dialog stays on the desktop" has_window 50-colour-dialog '^class="#32770" .*visible=1 parent="desktop"'
timeout 60 wine "$window_list" --close '#32770' >"$output/50-colour-dialog-close.log" 2>&1 || true
sleep 2
end_kelmor 50-own-windows
