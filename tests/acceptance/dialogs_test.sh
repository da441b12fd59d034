#!/bin/bash
# F3 during a run pauses it; the text scrolls and Escape closes it without a
# repaint, even when the uncovering comes late, but uncovering the window
# later repaints it as anywhere, so the paused run is reset. F2 takes new values typed by the user; the repaint and
# the whole next run show them as the headless program does. Each dialog's
# client area stands at (100, 70) dialog units of the main client area.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

# Both dialog fonts come out as Liberation Sans 10 pt: 8 pixels per 4 units
# across and 15 per 8 down, so 100 by 70 units are 200 by 131 pixels, as
# MulDiv rounds 131.25; the sizes 205 by 116 and 264 by 164 units likewise.
expect_dialog_at() {
  local dialog="$1" expected="$2" x y w h mx my
  read -r x y w h < <(WINDOW="$dialog" client_geometry)
  read -r mx my _ _ < <(client_geometry)
  [ "$((x - mx)) $((y - my)) $w $h" = "$expected" ] ||
    fail "dialog client at $((x - mx)) $((y - my)) $w $h, not $expected"
}

start_program
press Return
sleep 1.5
press F3
sleep 0.5
text_dialog="$(xdotool search --onlyvisible --name '^Ondulane$' | grep -v "^$WINDOW\$")"
expect_dialog_at "$text_dialog" "200 131 528 308"
press Tab Next Next # into the text, then scroll it
sleep 0.3
capture_screen text_dialog.png
keep text_dialog.png text_dialog.png
# Closed while the window manager is slow to take the dialog's frame away.
kill -STOP "$OPENBOX_PID"
xdotool key Escape
sleep 1
kill -CONT "$OPENBOX_PID"
sleep 0.5
capture after_dialog.png
# Closing the dialog repainted nothing: the picture is that of a phase reached.
snapshot save start.png
same_picture after_dialog.png start.png && fail "the run was reset"
snapshot enter save-ticks 300 phase_
matches_some_phase after_dialog.png || fail "the paused picture matches no phase"

# A window over the main window where the dialog stood, then gone.
xlogo -geometry 150x100+350+250 2>/dev/null &
sleep 1
kill $!
sleep 1
capture uncovered.png
snapshot paint save repainted.png
expect_same uncovered.png repainted.png

press Return
expect_finished_run finished.png paint

press F2
values_dialog="$(wait_for_window "Load value")"
sleep 0.5
expect_dialog_at "$values_dialog" "200 131 410 218"
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
