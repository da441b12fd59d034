#!/bin/bash
# The window's texts on the accessibility bus, as a screen reader gets them:
# at the start, at the end of a run and after F2 has taken other values, each
# a static text named by its characters, lying where the headless program
# draws it, in the logical pixels Qt gives its widgets there, at 100% and at
# 200%; and F2's fields named by the labels before them.
set -euo pipefail
export XVFB_SCREEN=2560x1600x24
source "$(dirname "$0")/session.bash" "$@"

TREE=(/usr/bin/python3 "$TEST_DIR/accessibility_tree.py") # the system's, with pyatspi

# A session bus of the test's own, with the accessibility bus beside it.
eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
BUS_LAUNCHER_PID=$!
trap 'kill "$BUS_LAUNCHER_PID" "$DBUS_SESSION_BUS_PID" 2>/dev/null || true' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# Waits, a bounded number of tries, until the bus shows what `expected` holds.
expect_on_bus() {
  local expected="$1" what="$2"
  shift 2
  for _ in $(seq 50); do
    "${TREE[@]}" "$@" >shown.txt 2>/dev/null || true
    cmp -s shown.txt "$expected" && return 0
    sleep 0.2
  done
  diff "$expected" shown.txt >&2 || true
  fail "the bus does not show $what"
}

# The main window's texts, against the headless program's with the settings
# that follow.
expect_texts() {
  local name="$1"
  shift
  snapshot "$@" texts >"expected_$name.txt"
  [ -s "expected_$name.txt" ] || fail "no texts drawn headless for $name"
  expect_on_bus "expected_$name.txt" "the texts of $name" texts
}

start_program
client_geometry >client.txt
expect_on_bus client.txt "the main window over its client area" window
expect_texts start

press Return
wait_until_still
expect_texts finished enter ticks 960

press F2
wait_for_window "Load value" >/dev/null
printf '%s\n' "Enter a value for the load resistance" "Enter a value for the source resistance" \
  >fields.txt
expect_on_bus fields.txt "F2's fields named by their labels" fields "Load value"
press ctrl+a
xdotool type --delay 50 150
press Tab
xdotool type --delay 50 100
press Return
expect_texts new_values load 150 source 100 paint

press alt+F4
wait_for_exit 0

echo "Xft.dpi: 192" | xrdb -merge
start_program
read -r x y w h < <(client_geometry)
echo "$((x / 2)) $((y / 2)) $((w / 2)) $((h / 2))" >client.txt
expect_on_bus client.txt "the window at 200% in logical pixels" window
"$SNAPSHOT" scale 2 size "$((w / 2))x$((h / 2))" screen 1280 texts >expected_scaled.txt 2>/dev/null
expect_on_bus expected_scaled.txt "the texts at 200%" texts
press alt+F4
wait_for_exit 0
pass
