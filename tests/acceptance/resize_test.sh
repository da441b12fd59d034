#!/bin/bash
# Resizing during a run restarts it on the repainted window; the run then
# ends on the picture the headless program draws at the new size.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

start_program
press Return
sleep 1
xdotool windowsize --sync "$WINDOW" 820 560
sleep 0.5
read -r _ _ w h < <(client_geometry)
[ "$w" -eq 820 ] && [ "$h" -eq 560 ] || fail "client ${w}x${h}"
expect_finished_run finished.png

press alt+F4
wait_for_exit 0
pass
