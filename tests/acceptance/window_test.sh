#!/bin/bash
# The real binary in a real window: it is shown at (0, 0) with an outer size
# of 1000 by 700 from the first, ENTER starts the animation, and Alt+F4 ends
# it with code 0; without a window manager likewise. Without a display it
# says so in one line and fails.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

for display in unset :97; do
  code=0
  if [ "$display" = unset ]; then
    env -u DISPLAY "$PROGRAM" 2>no_display.txt || code=$?
  else
    DISPLAY="$display" "$PROGRAM" 2>no_display.txt || code=$?
  fi
  [ "$code" -eq 1 ] || fail "without a display ($display): exit code $code"
  [ "$(wc -l <no_display.txt)" -eq 1 ] || fail "without a display ($display): $(cat no_display.txt)"
done

# What the window manager does with the window from the first, as seen on
# the root: the size of the frame when it is first mapped.
stdbuf -oL xev -root -event substructure >root_events.txt &
sleep 0.3
start_program
first_outer="$(awk -v client="$(printf '0x%x' "$WINDOW")" '
  /^[A-Za-z]+ event/ {
    name = $1
    getline detail
    if (name == "ReparentNotify" && detail ~ "window " client ",") {
      match(detail, /parent 0x[0-9a-f]+/)
      frame = substr(detail, RSTART + 7, RLENGTH - 7)
    }
    if (frame == "" || detail !~ "window " frame ",") next
    if (name == "ConfigureNotify" && match(detail, /width [0-9]+, height [0-9]+/))
      size = substr(detail, RSTART, RLENGTH)
    if (name == "MapNotify") { print size; exit }
  }' root_events.txt)"
[ "$first_outer" = "width 1000, height 700" ] || fail "first shown at $first_outer"
read -r left top right bottom < <(frame_extents)
read -r X Y WIDTH HEIGHT < <(client_geometry)
outer_w=$((WIDTH + left + right))
outer_h=$((HEIGHT + top + bottom))
[ "$outer_w" -eq 1000 ] && [ "$outer_h" -eq 700 ] || fail "outer size ${outer_w}x${outer_h}"
frame_x=$((X - left))
frame_y=$((Y - top))
[ "$frame_x" -eq 0 ] && [ "$frame_y" -eq 0 ] || fail "frame at ${frame_x},${frame_y}"
[ "$(xdotool getwindowname "$WINDOW")" = "Ondulane" ] || fail "title"

capture before.png
press Return
sleep 1.5
capture running.png
[ "$(compare -metric AE before.png running.png null: 2>&1 || true)" != "0" ] || fail "nothing moved"

press alt+F4
wait_for_exit 0

# With a window manager killed, its root properties left behind, then with
# none ever (the xev above keeps the server from resetting in between): the
# window comes at once, unframed and whole, without spinning a core.
{ kill -KILL "$OPENBOX_PID" && wait "$OPENBOX_PID"; } 2>/dev/null || true
for wm in killed none; do
  [ "$wm" = none ] && xprop -root -remove _NET_SUPPORTING_WM_CHECK -remove _NET_SUPPORTED
  start_program
  cpu="$(awk -v hz="$(getconf CLK_TCK)" '{print int(100 * ($14 + $15) / hz)}' /proc/$PROGRAM_PID/stat)"
  [ "$cpu" -lt 50 ] || fail "$wm: start-up took $cpu hundredths of a second of processor time"
  [ "$(client_geometry)" = "0 0 1000 700" ] || fail "$wm: client at $(client_geometry)"
  capture "no_wm_$wm.png"
  snapshot paint save "expected_no_wm_$wm.png"
  expect_same "no_wm_$wm.png" "expected_no_wm_$wm.png"
  xdotool key alt+F4
  wait_for_exit 0
done
pass
