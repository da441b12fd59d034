#!/bin/bash
# The real binary in a real window: it opens at (0, 0) with an outer size of
# 1000 by 700, ENTER starts the animation, and Alt+F4 ends it with code 0.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

start_program
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
pass
