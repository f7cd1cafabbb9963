# Helpers for driving Kelvane on a virtual desktop with a real pointer.

# A step that fails without a message of its own names itself.
set -E
trap 'echo "FAIL: line $LINENO of ${BASH_SOURCE[0]##*/}: $BASH_COMMAND" >&2' ERR

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

# Whether a window is a child of the root window (not embedded in another).
is_top_level() {
  local parent
  parent=$(xwininfo -tree -id "$1" 2>/dev/null | awk '/Parent window id:/ {print $4}')
  # A window gone meanwhile has no parent; xwininfo without an id would wait
  # for a click on a window.
  [ -n "$parent" ] || return 1
  xwininfo -id "$parent" | grep -q '(the root window)'
}

# The program's visible top-level windows that no window manager manages
# (pop-up menus, the edge strip), "id x y w h" each, sorted from left to right.
unmanaged_windows() {
  local id
  for id in $(xdotool search --onlyvisible --class kelvane 2>/dev/null); do
    xwininfo -id "$id" | grep -q 'Override Redirect State: yes' || continue
    is_top_level "$id" || continue
    echo "$id $(window_geometry "$id")"
  done | sort -k2 -n
}

# The program's visible pop-up menu windows, "id x y w h" each, sorted from
# left to right.
popup_menus() {
  unmanaged_windows | awk '$4 > 2 && $5 > 2'
}

# The strip standing in for a slid-out main window, "id x y w h".
edge_strip() {
  unmanaged_windows | awk '$4 == 2 || $5 == 2' | grep .
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

# Chooses the first paper of the first province through the menus with the
# pointer: the province's papers open in a second pop-up to the right.
choose_first_paper() {
  local x y
  open_first_paper_menu "$1"
  read -r _ x y _ _ <<<"$(popup_menus | tail -n1)"
  xdotool mousemove $((x + 30)) $((y + 12))
  sleep 0.3
  xdotool click 1
}

# Runs a command until it succeeds, every 50 ms, for at most SECONDS seconds.
#   wait_until SECONDS COMMAND [ARGS...]
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -le "$deadline" ] || return 1
    sleep 0.05
  done
}

# The window manager's frame around a window: its ancestor just below the root.
frame_of() {
  local id=$1 parent
  while :; do
    parent=$(xwininfo -tree -id "$id" | awk '/Parent window id:/ {print $4}')
    case "$parent" in 0x0 | "") echo "$id"; return ;; esac
    xwininfo -id "$parent" | grep -q '(the root window)' && { echo "$id"; return; }
    id=$parent
  done
}

# Whether the window manager has put its frame around a window yet.
has_frame() {
  [ "$(frame_of "$1")" != "$1" ]
}

# "X Y W H" of the frame around a window, in screen coordinates.
frame_geometry() {
  window_geometry "$(frame_of "$1")"
}

# "IsViewable", "IsUnMapped", or "Gone" for a window that no longer exists
# (Qt destroys the X window of a window the user closes).
map_state() {
  xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ {print $3}' | grep . || echo Gone
}

# Whether the window's _NET_WM_STATE holds _NET_WM_STATE_SKIP_TASKBAR.
skips_taskbar() {
  xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR
}

# The program's notification icon: its visible window embedded in a tray,
# one that no window manager manages (it has no WM_STATE).
tray_icon() {
  local id
  for id in $(xdotool search --onlyvisible --class kelvane 2>/dev/null); do
    is_top_level "$id" && continue
    xprop -id "$id" WM_STATE | grep -q 'not found' && { echo "$id"; return 0; }
  done
  return 1
}

# Clicks a pointer button on the middle of a window.
click_middle() {
  local x y w h
  read -r x y w h < <(window_geometry "$1")
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "$2"
}

# Drags a window by its caption bar, in small steps, to put the pointer at
# X Y; the button is released there.
drag_caption() {
  local id=$1 to_x=$2 to_y=$3 fx fy fw fh cx cy
  # A window just shown may not have its frame yet: a press there would
  # land on the menu bar.
  wait_until 2 has_frame "$id" || { echo "window $id has no frame" >&2; return 1; }
  read -r fx fy fw fh < <(frame_geometry "$id")
  read -r cx cy _ _ < <(window_geometry "$id")
  local from_x=$((fx + fw / 2)) from_y=$(((fy + cy) / 2))
  xdotool mousemove "$from_x" "$from_y" mousedown 1
  sleep 0.1
  local step
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((from_x + (to_x - from_x) * step / 8)) \
      $((from_y + (to_y - from_y) * step / 8))
    sleep 0.05
  done
  xdotool mouseup 1
}

# "W H" of the screen.
screen_size() {
  xwininfo -root | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}'
}

# Whether a frame window (see frame_of) has its left edge at X, or its top
# edge at Y: frame_left_is FRAME X, frame_top_is FRAME Y.
frame_left_is() {
  [ "$(window_geometry "$1" | cut -d' ' -f1)" = "$2" ]
}
frame_top_is() {
  [ "$(window_geometry "$1" | cut -d' ' -f2)" = "$2" ]
}

# Milliseconds since the epoch.
now_ms() {
  echo $(($(date +%s%N) / 1000000))
}

fail() {
  echo "FAIL: $*"
  exit 1
}

# Starts the program in a fresh working folder holding the shipped catalogue,
# and waits for its main window. Sets `work`, `program` (the process id) and
# `window`; the program and the folder go when the script ends.
start_kelvane() {
  work=$(mktemp -d)
  trap 'kill $program 2>/dev/null || true; rm -rf "$work"' EXIT
  mkdir -p "$work/database"
  sqlite3 "$work/database/padr.mdb" <"$KELVANE_SOURCE_DIR/database/padr.sql" >/dev/null
  (cd "$work" && exec "$KELVANE") &
  program=$!
  window=$(wait_for_window "KelvaneV1.0")
}

# Clicks the close box at the right of a window's caption bar.
click_close_box() {
  local x y w
  read -r x y w _ < <(frame_geometry "$1")
  xdotool mousemove $((x + w - 12)) $((y + 12)) click 1
}

# Opens the main window's Tools menu (工具); prints its "id x y w h". The
# newspaper menus are too tall to leave the menu bar free for the pointer, so
# the keyboard walks there from the first menu: Left wraps round to Help, and
# Left again reaches Tools.
open_tools_menu() {
  local x y
  read -r x y _ _ < <(window_geometry "$1")
  xdotool mousemove $((x + 10)) $((y + 10)) click 1
  wait_until 3 popup_menus_exist || return 1
  xdotool key Left
  sleep 0.2
  xdotool key Left
  sleep 0.3
  popup_menus | head -n1 | grep .
}

# Right-clicks the notification icon; prints its menu's "id x y w h" once it
# is up at the pointer (its top-left or, flipped up, its bottom-left corner).
open_tray_menu() {
  local px py menu x y h
  click_middle "$1" 3
  read -r px py < <(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')
  wait_until 3 popup_menus_exist || return 1
  menu=$(popup_menus | head -n1)
  read -r _ x y _ h <<<"$menu"
  if [ "$x" != "$px" ] || { [ "$y" != "$py" ] && [ $((y + h)) != "$py" ]; }; then
    echo "the icon's menu is at $x,$y (height $h), the pointer at $px,$py" >&2
    return 1
  fi
  echo "$menu"
}

popup_menus_exist() {
  [ -n "$(popup_menus)" ]
}
