#!/bin/bash
# Keys typed while the program is busy (stopped here for a moment) go where
# the keyboard is when the program takes them: after F2 or F3 into the
# dialog, never to the main window behind it; after the key that closes the
# dialog, to the main window, never to the closing dialog.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

# Types the keys into a window while the program is stopped, so they all
# wait for it and reach it in one batch.
type_stopped() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  kill -STOP "$PROGRAM_PID"
  xdotool key "${@:2}"
  kill -CONT "$PROGRAM_PID"
  sleep 1.5
}
type_ahead() { type_stopped "$WINDOW" "$@"; }

expect_no_dialog() {
  local windows
  windows="$(xdotool search --onlyvisible --name '^(Ondulane|Load value)$' | wc -l)"
  [ "$windows" -eq 1 ] || fail "$1: $((windows - 1)) dialogs still open"
}

# ENTER starts or pauses: is the picture still moving?
expect_moving() {
  capture moving_a.png
  sleep 0.5
  capture moving_b.png
  if same_picture moving_a.png moving_b.png; then
    [ "$2" = no ] || fail "$1: the run is not moving"
  else
    [ "$2" = yes ] || fail "$1: the run is moving"
  fi
}

# The open dialog's window, once shown.
dialog_window() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^(Ondulane|Load value)$' | grep -vx "$WINDOW" && return 0
    sleep 0.1
  done
  fail "no dialog is open"
}

# Types the keys into the open dialog, as a quick typist does.
type_into() {
  local dialog
  dialog="$(dialog_window | head -1)"
  sleep 0.3
  type_stopped "$dialog" "$@"
}

shows_load_75() {
  expect_no_dialog "$1"
  capture load_75.png
  snapshot paint save expected_load_75.png
  expect_same load_75.png expected_load_75.png
}
dialog_open() { dialog_window >/dev/null; }
runs() {
  expect_no_dialog "$1"
  expect_moving "$1" yes
}

start_program
# The keys after the one that closes the dialog go to the main window: what
# opens the dialog (- for the one still open), the keys, what follows.
while IFS='|' read -r -u 3 open keys check; do
  [ "$open" = - ] || press "$open"
  read -ra typed <<<"$keys"
  type_into "${typed[@]}"
  "$check" "$open into the dialog: $keys"
done 3<<'EOF'
F2|Return 5|shows_load_75
F2|Escape F3|dialog_open
-|Return Return|runs
F2|Return Return|runs
EOF

type_ahead F2 1 5 0 Return
expect_no_dialog "F2 1 5 0 ENTER"
capture load_150.png
snapshot load 150 paint save expected_load_150.png
expect_same load_150.png expected_load_150.png

type_ahead F2 F2 Escape
expect_no_dialog "F2 F2 Escape"

press --delay 1 F2 1 0 0 Return
sleep 1.5
expect_no_dialog "F2 1 0 0 ENTER, 1 ms apart"
capture load_100.png
snapshot load 100 paint save expected_load_100.png
expect_same load_100.png expected_load_100.png

type_ahead F2 Return
expect_no_dialog "F2 ENTER"
expect_moving "F2 ENTER" no

press Return
sleep 1
type_ahead F3 Return
expect_no_dialog "F3 ENTER during a run"
expect_moving "F3 ENTER during a run" no
capture paused.png
same_picture paused.png expected_load_100.png && fail "F3 ENTER during a run: the run was reset"

type_ahead F2 Return Return
expect_no_dialog "F2 ENTER ENTER"
expect_moving "F2 ENTER ENTER" yes

# A close request typed after F2 waits for it, and then finds the dialog open.
type_ahead F2 alt+F4
dialog_open
type_into Escape
expect_no_dialog "F2 Alt+F4 Escape"

press alt+F4
wait_for_exit 0
pass
