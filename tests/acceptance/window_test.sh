#!/bin/bash
# The real binary in a real window: it is shown at (0, 0) with an outer size
# of 1000 by 700 from the first, ENTER starts the animation, and Alt+F4 ends
# it with code 0. Without a display it says so in one line and fails.
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

# The client size of every moment the window is shown while it comes up.
for _ in $(seq 200); do
  xwininfo -name Ondulane 2>/dev/null |
    awk '/IsViewable/ {v=1} /Width:/ {w=$2} /Height:/ {h=$2} END {if (v) print w "x" h}' || true
done >shown_sizes.txt &
watcher=$!
start_program
wait "$watcher"
read -r left top right bottom < <(frame_extents)
read -r X Y WIDTH HEIGHT < <(client_geometry)
outer_w=$((WIDTH + left + right))
outer_h=$((HEIGHT + top + bottom))
[ "$outer_w" -eq 1000 ] && [ "$outer_h" -eq 700 ] || fail "outer size ${outer_w}x${outer_h}"
[ "$(sort -u shown_sizes.txt)" = "${WIDTH}x${HEIGHT}" ] || fail "shown at $(sort -u shown_sizes.txt | xargs)"
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
pass
