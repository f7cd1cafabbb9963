# Helpers for driving Kelvane on a virtual desktop with a real pointer.

# The id of the visible window with exactly this title, waiting up to 20 s.
wait_for_window() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1) || {
    echo "no window titled '$1' appeared" >&2
    return 1
  }
  echo "$id"
}

# "X Y W H" of a window's client area in screen coordinates.
window_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# The program's visible pop-up menu windows (override-redirect), "id x y w h"
# each, sorted from left to right.
popup_menus() {
  local id
  for id in $(xdotool search --onlyvisible --class kelvane 2>/dev/null); do
    xwininfo -id "$id" | grep -q 'Override Redirect State: yes' || continue
    echo "$id $(window_geometry "$id")"
  done | sort -k2 -n
}

# Opens the domestic newspapers menu and the first province's sub-menu with
# the pointer; leaves the pointer on that province.
open_first_paper_menu() {
  local x y w h
  read -r x y w h < <(window_geometry "$1")
  xdotool mousemove $((x + 28)) $((y + 10)) click 1
  sleep 0.5
  local menu
  menu=$(popup_menus | head -n1)
  [ -n "$menu" ] || { echo "the newspaper menu did not open" >&2; return 1; }
  read -r _ x y w h <<<"$menu"
  xdotool mousemove $((x + 30)) $((y + 12))
  sleep 0.8
}
