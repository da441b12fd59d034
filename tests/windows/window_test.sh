#!/bin/bash
# ondulane.exe in a real window under Wine: titled "Ondulane", its 1000 by 700
# window at (0, 0), so the client area sits inside Windows' own frame (4-pixel
# borders, 19-pixel caption); ENTER starts the animation; Alt+F4 exits with 0.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

start_program
[ "$(xdotool getwindowname "$WINDOW")" = "Ondulane" ] || fail "title"
read -r X Y WIDTH HEIGHT < <(client_geometry)
[ "$X $Y $WIDTH $HEIGHT" = "4 23 992 673" ] || fail "client at $X,$Y size ${WIDTH}x$HEIGHT"

capture before.png
press Return
sleep 1.5
capture running.png
[ "$(pixels_differing before.png running.png)" != "0" ] || fail "nothing moved"

press alt+F4
wait_for_exit 0
pass
