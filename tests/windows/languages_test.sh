#!/bin/bash
# ondulane.exe in German and in Japanese under Wine, which takes the user's
# language from LANG: the window hands GDI the texts the Linux build draws in
# that language, numbers with the language's decimal sign; F2's dialog has
# its title and labels in that language, the labels drawn with letters,
# reads "22,5" typed with a comma, shows it the next time it opens, and the
# panel shows the new readouts.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

# The texts of the Linux rendering of a state, without their boxes.
snapshot_texts() {
  snapshot "$@" texts | cut -f2-
}

CASES=(
  # LANG         typed  F2's title
  "de_DE.UTF-8   22,5   Lastwert"
  "ja_JP.UTF-8   22.5   負荷の値"
)
for case in "${CASES[@]}"; do
  read -r name typed title <<<"$case"
  use_language "$name"
  language="${LANG%%_*}"
  trace="$WORK/drawn_$language.txt"

  WINEDEBUG=trace+font start_program 2>"$trace"
  capture "start_$language.png"
  keep "start_$language.png" "windows_start_$language.png"
  expect_drawn "$trace" 1 "$(snapshot_texts)"

  from=$(($(wc -l <"$trace") + 1))
  press F2
  dialog="$(wait_for_window "$title")"
  sleep 1
  capture_screen "values_$language.png"
  keep "values_$language.png" "windows_values_dialog_$language.png"
  xwd -silent -id "$dialog" | convert xwd:- "dialog_$language.png"
  expect_letters_in "dialog_$language.png" left
  press Tab
  xdotool type --delay 50 "$typed"
  press Return
  sleep 1
  expect_drawn "$trace" "$from" "$(LC_ALL=C comm -13 <(snapshot_texts | LC_ALL=C sort -u) \
    <(snapshot_texts source "${typed/,/.}" paint | LC_ALL=C sort -u))"

  from=$(($(wc -l <"$trace") + 1))
  press F2
  wait_for_window "$title" >/dev/null
  sleep 1
  expect_drawn "$trace" "$from" "$typed"
  press Escape
  sleep 0.5
  press alt+F4
  wait_for_exit 0
done
pass
