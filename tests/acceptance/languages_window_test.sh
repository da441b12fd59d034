#!/bin/bash
# The window speaks the language the environment asks for, as every desktop
# program does: under LANG=de_DE.UTF-8 and ja_JP.UTF-8 it shows what the
# headless program shows in that language; F2's dialog has the language's
# caption, and a value typed with the language's decimal sign is taken.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

for case in "de_DE.UTF-8 Lastwert 22,5" "ja_JP.UTF-8 負荷の値 22.5"; do
  read -r lang caption typed <<<"$case"
  export LANG="$lang" LC_ALL="" LANGUAGE=""
  start_program
  capture "start_$lang.png"
  snapshot paint save "expected_start_$lang.png"
  expect_same "start_$lang.png" "expected_start_$lang.png"
  keep "start_$lang.png" "start_$lang.png"
  press F2
  wait_for_window "$caption" >/dev/null
  xdotool type --delay 50 "$typed"
  xdotool key Return
  sleep 1
  capture "load_$lang.png"
  snapshot load 22.5 paint save "expected_load_$lang.png"
  expect_same "load_$lang.png" "expected_load_$lang.png"
  press alt+F4
  wait_for_exit 0
done
pass
