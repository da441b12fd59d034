#!/bin/bash
# A whole run with the defaults in the real window, paused and resumed on the
# way, then F1: each capture equals the headless rendering of that state.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

start_program
capture start.png
snapshot save expected_start.png
expect_same start.png expected_start.png
keep start.png start.png

press Return
sleep 2
press Return
sleep 0.5
capture paused.png
capture paused_again.png
expect_same paused.png paused_again.png # nothing moves while paused

# The paused picture is the headless one at some phase of the first 300 ticks.
snapshot enter save-ticks 300 phase_
matches_some_phase paused.png || fail "the paused picture matches no phase"

press Return
expect_finished_run finished.png
keep finished.png finished.png

press F1
sleep 0.5
capture reset.png
expect_same reset.png expected_start.png

press alt+F4
wait_for_exit 0
pass
