#!/bin/bash
# What Orca says of the program. Its commands for the window's title, to
# say all and for flat review find the window and its texts. F2's fields
# are spoken with their labels and whole values, and neither a key that
# moves in them nor a question about their ends leaves the program
# unanswering. Over a run with the values typed into F2, Orca speaks each
# thing the headless program gives to say, once, in its order, and nothing
# else by itself; heard one after another as espeak-ng says them, each
# voltage and the power is heard within 5 s of being given, and the last
# within 5 s of the run's end. Closing F2 and F3 says nothing more than a
# field letting go of its selection and the window's name as it takes the
# focus again.
set -euo pipefail
source "$(dirname "$0")/orca.bash"
source "$(dirname "$0")/session.bash" "$@"

HEARD_WITHIN_MS=5000
RUN_MS=48000

# What Orca said from a time on, less the keys it echoed; without the full
# stop it ends a phrase with.
said_since() {
  spoken | awk -F'\t' -v OFS='\t' -v from="$1" '$1 >= from && $2 !~ / $/ {sub(/\.$/, "", $2); print}'
}

# Waits until a dialog with that title has gone, or fails.
expect_closed() {
  for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name "^$1\$" | wc -l)" -le "$2" ] && return 0
    sleep 0.1
  done
  fail "the dialog $1 did not close: the program does not answer"
}

# What is said once a dialog has closed, until things are still.
expect_only_focus_after() {
  sleep 3
  said_since "$1" | cut -f2 | grep -vxE "Ondulane frame|Text unselected" >extra.txt || true
  [ ! -s extra.txt ] || fail "after $2 Orca said: $(tr '\n' '|' <extra.txt)"
}

start_orca
start_program

# A command, and what Orca says to it (its key's name aside), a line each.
COMMANDS=("Insert+KP_Enter|Ondulane" "KP_Add|Ondulane frame"
  "KP_Subtract|Entering flat review|Ondulane" "KP_Subtract|Leaving flat review")
for command in "${COMMANDS[@]}"; do
  IFS='|' read -r key answer <<<"$command"
  from="$(now_ms)"
  xdotool key "$key"
  sleep 2
  said_since "$from" | cut -f2 | diff <(echo "${answer//|/$'\n'}") - >&2 || fail "Orca's $key"
done

# Each field: its label, its value whole, then the keys that move by words
# and to either end, after which the program still answers.
MOVES=(ctrl+Right ctrl+Left Home End ctrl+Right End ctrl+Left)
FIELDS=("Enter a value for the load resistance|75|22" "Enter a value for the source resistance|35|120")
FIELD_SAID=()
from="$(now_ms)"
press F2
wait_for_window "Load value" >/dev/null
# Qt's own search for a word at the end of a field's text never ended.
timeout 20 /usr/bin/python3 "$TEST_DIR/accessibility_tree.py" ends "Load value" >ends.txt ||
  fail "the program does not answer what ends F2's fields"
for i in "${!FIELDS[@]}"; do
  IFS='|' read -r label value typed <<<"${FIELDS[$i]}"
  sleep 1.5
  for key in "${MOVES[@]}"; do
    xdotool key "$key"
    sleep 0.3
  done
  FIELD_SAID+=("$from|$label text|$value selected")
  xdotool key ctrl+a
  xdotool type --delay 80 "$typed"
  sleep 1.5 # Orca is a little behind
  from="$(now_ms)"
  [ "$i" -eq $((${#FIELDS[@]} - 1)) ] || xdotool key Tab
done
xdotool key Return
expect_closed "Load value" 0
closed="$(now_ms)"
expect_only_focus_after "$closed" "F2 closed"

press Return
run="$(now_ms)"
sleep $(((RUN_MS + HEARD_WITHIN_MS) / 1000 + 2))

f3="$(now_ms)"
press F3
for _ in $(seq 50); do
  [ "$(xdotool search --onlyvisible --name '^Ondulane$' | wc -l)" -ge 2 ] && break
  sleep 0.1
done
sleep 1
xdotool key Return
expect_closed Ondulane 1
closed_f3="$(now_ms)"
expect_only_focus_after "$closed_f3" "F3 closed"

for field in "${FIELD_SAID[@]}"; do
  IFS='|' read -r from name value <<<"$field"
  said_since "$from" | cut -f2 | grep -A1 -x "$name" | head -2 >field.txt
  printf '%s\n' "$name" "$value" | diff - field.txt >&2 || fail "the field $name is not spoken whole"
done

# What the headless program gives over the same run, against what Orca
# said: the same, once each; the voltage's new readings among themselves and
# the other lines among themselves in the same order, for a reading may
# come a line sooner or later as the run's ticks fall in real time.
snapshot load 22 source 120 enter hear 960 | cut -f2 >expected.txt
said_since "$run" | awk -F'\t' -v to="$f3" '$1 < to' | grep -vx "[0-9]*.Ondulane frame" >said.txt || true
cut -f2 said.txt >said_lines.txt
diff <(sort expected.txt) <(sort said_lines.txt) >&2 || fail "Orca did not say what the run gives, once each"
for readings in "-x" "-vx"; do
  diff <(grep $readings "[0-9.]*V" expected.txt) <(grep $readings "[0-9.]*V" said_lines.txt) >&2 ||
    fail "Orca did not say what the run gives in its order"
done

# A queue of what Orca was given, each said after the one before it. The run
# ends when it gives the power, at 48 s or later where its ticks come late.
end=0 run_end=$((run + RUN_MS))
while IFS=$'\t' read -r at text; do
  [[ "$text" == Power* ]] && ((at > run_end)) && run_end="$at"
  start=$((at > end ? at : end))
  end=$((start + $(speaking_ms "$text")))
  if [[ "$text" =~ ^[0-9.]+V$ || "$text" == Power* ]] && ((end - at > HEARD_WITHIN_MS)); then
    fail "\"$text\" is heard $((end - at)) ms after it is given"
  fi
done <said.txt
((end - run_end <= HEARD_WITHIN_MS)) || fail "the run is heard $((end - run_end)) ms after its end"
pass
