#!/bin/bash
# A whole run of ondulane.exe under Wine, paused and resumed on the way, then
# F1 back to the start screen; the start and the end are compared with the
# Linux rendering.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

start_program
capture start.png
snapshot save linux_start.png
record_difference start.png linux_start.png
keep start.png windows_start.png

press Return
sleep 2
press Return
sleep 0.5
capture paused.png
sleep 1
capture paused_again.png
expect_same paused.png paused_again.png # nothing moves while paused

press Return
wait_until_still
capture finished.png
expect_different finished.png start.png
snapshot enter ticks 960 save linux_finished.png
record_difference finished.png linux_finished.png
keep finished.png windows_finished.png

press F1
sleep 0.5
capture reset.png
expect_same reset.png start.png

press alt+F4
wait_for_exit 0
pass
