#!/bin/bash
# ondulane.exe in Arabic under Wine, against English: the window draws its
# texts in Arabic (the subtitle, in whatever order Wine hands GDI its
# letters) and its readouts with Western digits; F2's dialog is mirrored, as
# Windows mirrors a dialog of a language read from the right: the labels'
# ink lies in its right half and the fields in its left, where English has
# them the other way round. Its labels are drawn with letters, not boxes.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

# where PNG WHAT: the mean x of the dialog's WHAT pixels (ink: dark; field:
# white) in the rows of its labels and fields, in per cent of its width.
where() {
  convert "$1" -crop "100%x55%+0+0" +repage -colorspace Gray -depth 8 pgm:- | python3 -c '
import re, sys
data = sys.stdin.buffer.read()
header = re.match(rb"P5\s+(?:#[^\n]*\n\s*)*(\d+)\s+\d+\s+\d+\s", data)
width, pixels = int(header[1]), data[header.end():]
wanted = (lambda v: v < 96) if sys.argv[1] == "ink" else (lambda v: v == 255)
xs = [i % width for i, v in enumerate(pixels) if wanted(v)]
print(round(100 * sum(xs) / len(xs) / width) if xs else -1)' "$2"
}

# expect_letters TRACE TEXT: some text drawn holds the letters of TEXT.
expect_letters() {
  drawn_texts "$1" 1 | python3 -c '
import sys
wanted = sorted(sys.argv[1])
sys.exit(0 if any(sorted(t) == wanted for t in sys.stdin.read().split("\n")) else 1)' "$2" ||
    fail "$LANG: never drawn: $2"
}

CASES=(
  # LANG     | F2's title | where the labels' ink and the fields lie
  "C.UTF-8    |Load value |left |right"
  "ar_EG.UTF-8|قيمة الحمل |right|left"
)
for case in "${CASES[@]}"; do
  IFS="|" read -r name title ink field <<<"$case"
  read -r name <<<"$name"
  read -r title <<<"$title"
  read -r ink <<<"$ink"
  read -r field <<<"$field"
  use_language "$name"
  language="${LANG%%[_.]*}"
  trace="$WORK/drawn_$language.txt"
  WINEDEBUG=trace+font,trace+bidi start_program 2>"$trace"
  capture "start_$language.png"
  keep "start_$language.png" "windows_start_$language.png"

  press F2
  dialog="$(wait_for_window "$title")"
  sleep 1
  xwd -silent -id "$dialog" | convert xwd:- "values_$language.png"
  capture_screen "screen_values_$language.png"
  keep "screen_values_$language.png" "windows_values_dialog_$language.png"
  for what in ink field; do
    at="$(where "values_$language.png" "$what")"
    echo "$LANG: the dialog's $what lies at $at% of its width"
    if [ "${!what}" = left ]; then
      [ "$at" -ge 0 ] && [ "$at" -lt 45 ] || fail "$LANG: the $what is not on the left"
    else
      [ "$at" -gt 55 ] || fail "$LANG: the $what is not on the right"
    fi
  done
  expect_letters_in "values_$language.png" "$ink"
  press Escape
  sleep 0.5
  press alt+F4
  wait_for_exit 0
done

expect_different start_ar.png start_C.png
expect_letters "$WORK/drawn_ar.txt" "التفاعل بين المصدر والحمل"
# The source's readouts, and no digit of another script anywhere: the texts
# read from the right reach Wine's bidirectional layout as the program wrote
# them (non-ASCII characters as \hhhh), before they are drawn as glyphs.
grep -a -o 'BIDI_Reorder L"[^"]*"' "$WORK/drawn_ar.txt" | cut -d'"' -f2 >"$WORK/read_from_right.txt"
grep -qxF "VSWR = 1.43 " "$WORK/read_from_right.txt" || fail "never read from the right: VSWR = 1.43"
! grep -qiE '\\06(6[0-9]|f[0-9])' "$WORK/read_from_right.txt" || fail "a digit other than 0 to 9 was drawn"
pass
