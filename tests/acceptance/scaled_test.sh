#!/bin/bash
# On a desktop scaled to 150% or 200% the window fills its device pixels with
# the picture the headless program draws at that scale, pixel for pixel: the
# same layout as at 100%, sharp.
set -euo pipefail
export XVFB_SCREEN=2560x1600x24
source "$(dirname "$0")/session.bash" "$@"

for dpi in 144 192; do
  scale="$(awk -v d="$dpi" 'BEGIN {print d / 96}')"
  echo "Xft.dpi: $dpi" | xrdb -merge
  start_program
  read -r _ _ w h < <(client_geometry)
  [ "$w" -gt 1400 ] || fail "at ${dpi} dpi the client is only ${w}x${h} device pixels"
  capture "start_$dpi.png"
  expect_scaled "start_$dpi.png" "$scale"
  keep "start_$dpi.png" "start_$dpi.png"
  if [ "$dpi" = 144 ]; then
    press F2
    wait_for_window "Load value" >/dev/null
    xdotool type 150
    xdotool key Return
    sleep 1
    capture "load_150_$dpi.png"
    expect_scaled "load_150_$dpi.png" "$scale" load 150 paint
  else
    press Return
    wait_until_still
    capture "finished_$dpi.png"
    expect_scaled "finished_$dpi.png" "$scale" enter ticks 960
    keep "finished_$dpi.png" "finished_$dpi.png"
  fi
  press alt+F4
  wait_for_exit 0
done
pass
