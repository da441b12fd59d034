#!/bin/bash
# ondulane.exe in German and in Japanese under Wine, which takes the user's
# language from LANG: the window hands GDI the texts the Linux build draws in
# that language, numbers with the language's decimal sign; F2's dialog has
# its title in that language, reads "22,5" typed with a comma, shows it the
# next time it opens, and the panel shows the new readouts.
set -euo pipefail
source "$(dirname "$0")/session.bash" "$@"

# The languages' definitions, made here: the machine may have none built.
unset LC_ALL LC_MESSAGES LANGUAGE
export LOCPATH="$WORK/locale"
mkdir -p "$LOCPATH"
export PYTHONIOENCODING=utf-8

# drawn_texts TRACE LINE: each text Wine's GDI drew, from line LINE of the
# trace of its font channel on, a line each. An edit control draws its text in
# runs with their advances, one line of it joined here.
drawn_texts() {
  tail -n +"$2" "$1" | python3 -c '
import re, sys
call = re.compile(r"NtGdiExtTextOutW (\w+), (-?\d+), (-?\d+), .*?L\"((?:[^\"\\]|\\.)*)\", \d+, (\S+)\)")
escape = re.compile(r"\\(?:([0-9a-f]{4})|(.))")
texts, last = [], None
for m in call.finditer(sys.stdin.read()):
    text = escape.sub(lambda e: chr(int(e[1], 16)) if e[1] else {"n": "\n", "t": "\t"}.get(e[2], e[2]), m[4])
    hdc, x, y, runs = m[1], int(m[2]), m[3], m[5] != "(nil)"
    if runs and last and last[:2] == (hdc, y) and x > last[2]:
        texts[-1] += text
    else:
        texts.append(text)
    last = (hdc, y, x) if runs else None
print("\n".join(texts))'
}

# expect_drawn TRACE LINE TEXTS: each line of TEXTS was drawn since LINE.
expect_drawn() {
  local missing
  missing="$(LC_ALL=C comm -23 <(LC_ALL=C sort -u <<<"$3") <(drawn_texts "$1" "$2" | LC_ALL=C sort -u))"
  [ -z "$missing" ] || fail "$LANG: never drawn: $missing"
}

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
  read -r LANG typed title <<<"$case"
  export LANG
  language="${LANG%%_*}"
  localedef -i "${LANG%.*}" -f UTF-8 "$LOCPATH/$LANG" 2>/dev/null || [ -d "$LOCPATH/$LANG" ] ||
    fail "no locale $LANG"
  trace="$WORK/drawn_$language.txt"

  WINEDEBUG=trace+font start_program 2>"$trace"
  capture "start_$language.png"
  keep "start_$language.png" "windows_start_$language.png"
  expect_drawn "$trace" 1 "$(snapshot_texts)"

  from=$(($(wc -l <"$trace") + 1))
  press F2
  wait_for_window "$title" >/dev/null
  capture_screen "values_$language.png"
  keep "values_$language.png" "windows_values_dialog_$language.png"
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
