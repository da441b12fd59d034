#!/bin/bash
# F3 during a run pauses it; the text scrolls and Escape closes it without a
# repaint, so ENTER resumes. F2 takes new values typed by the user; the
# repaint and the whole next run show them as the headless program does.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

start_program
press Return
sleep 1.5
press F3
text_dialog="$(wait_for_window Ondulane | grep -v "^$WINDOW\$" || true)"
sleep 0.5
press Tab Next Next # into the text, then scroll it
sleep 0.3
capture_screen text_dialog.png
keep text_dialog.png text_dialog.png
press Escape
sleep 0.5
capture after_dialog.png
# Closing the dialog repainted nothing: the picture is that of a phase reached.
snapshot save start.png
same_picture after_dialog.png start.png && fail "the run was reset"
snapshot enter save-ticks 300 phase_
matches_some_phase after_dialog.png || fail "the paused picture matches no phase"

press Return
expect_finished_run finished.png

press F2
wait_for_window "Load value" >/dev/null
sleep 0.5
press ctrl+a
xdotool type --delay 50 150
press Tab
xdotool type --delay 50 100
capture_screen values_dialog.png
keep values_dialog.png values_dialog.png
press Return
sleep 0.5
capture new_values.png
snapshot load 150 source 100 paint save expected_new_values.png
expect_same new_values.png expected_new_values.png

press Return
expect_finished_run new_run.png load 150 source 100 paint
keep new_run.png finished_150_100.png

press alt+F4
wait_for_exit 0
pass
