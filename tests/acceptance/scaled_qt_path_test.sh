#!/bin/bash
# Where the window cannot take the screen image's pixels as they are (here a
# 16-bit screen), Qt shows it: at 200% the same picture, whole and sharp.
set -euo pipefail
export XVFB_SCREEN=2560x1600x16 PICTURE_FUZZ=3%
source "$(dirname "$0")/session.bash" "$@"

echo "Xft.dpi: 192" | xrdb -merge
start_program
capture start.png
expect_scaled start.png 2
press Return
sleep 1
press Return
sleep 0.5
press F1
sleep 0.5
capture reset.png
expect_scaled reset.png 2
press alt+F4
wait_for_exit 0
pass
