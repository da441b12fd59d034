# A display for one real-window test: Xvfb with openbox, the program, and
# helpers to press keys and capture the window. Source with the binary path.
set -euo pipefail

PROGRAM="$(readlink -f "$1")"
SNAPSHOT="${2:+$(readlink -f "$2")}"
TEST_SCRIPT="$(readlink -f "$0")"
TEST_DIR="$(dirname "$TEST_SCRIPT")"

if [ -z "${ONDULANE_IN_XVFB:-}" ]; then
  export ONDULANE_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 ${XVFB_SCREEN:-1280x1024x24}" bash "$TEST_SCRIPT" "$@"
fi
WORK="$(mktemp -d)"
cd "$WORK"
export XDG_RUNTIME_DIR="$WORK"
chmod 700 "$WORK"
unset QT_QPA_PLATFORM
# The program starts once the window manager has started and takes requests:
# one still loading its theme would leave the frame unanswered for a while.
openbox --startup "touch $WORK/openbox_started" >/dev/null 2>&1 &
OPENBOX_PID=$!
for _ in $(seq 200); do
  [ -e "$WORK/openbox_started" ] && break
  sleep 0.05
done

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
pass() {
  echo "PASS"
  exit 0
}

start_program() {
  "$PROGRAM" &
  PROGRAM_PID=$!
  WINDOW="$(xdotool search --sync --onlyvisible --name '^Ondulane$' | head -1)"
  sleep 1
}

# left right top bottom of the frame openbox draws, as top-left-right-bottom.
frame_extents() {
  xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g' |
    awk '{print $1, $3, $2, $4}'
}

# x y width height of the client area on the screen.
client_geometry() {
  xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

press() {
  xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
  xdotool key "$@"
}

# The client area of the window as a PNG.
capture() {
  xwd -silent -id "$WINDOW" | convert xwd:- "$1"
}

# Renders states headless at the real window's client size and screen width.
snapshot() {
  read -r _ _ w h < <(client_geometry)
  "$SNAPSHOT" size "${w}x${h}" screen 1280 "$@" 2>/dev/null
}

# Passes when two PNGs are identical, pixel for pixel; on a screen of fewer
# colours, as near as its depth shows them.
same_picture() {
  [ "$(compare -metric AE ${PICTURE_FUZZ:+-fuzz "$PICTURE_FUZZ"} "$1" "$2" null: 2>&1)" = "0" ]
}

expect_same() {
  same_picture "$1" "$2" || fail "$1 differs from $2 in $(compare -metric AE "$1" "$2" null: 2>&1) pixels"
}

# Passes when the PNG equals one of the headless phase_*.png renderings.
matches_some_phase() {
  for f in phase_*.png; do
    same_picture "$1" "$f" && return 0
  done
  return 1
}

# Waits until the animation has stopped: two captures a second apart agree.
wait_until_still() {
  capture still_a.png
  for _ in $(seq 120); do
    sleep 1
    capture still_b.png
    same_picture still_a.png still_b.png && return 0
    mv still_b.png still_a.png
  done
  fail "the picture never settled"
}

# The whole screen, dialogs included.
capture_screen() {
  sleep 1 # a dialog just shown may not be drawn yet
  import -window root -crop 1000x700+0+0 +repage "$1"
}

# Waits until a window with this title is shown and prints its id. Titles
# are compared whole, as UTF-8, whatever locale the program is given.
wait_for_window() {
  local window
  for _ in $(seq 300); do
    for window in $(xdotool search --onlyvisible --class . 2>/dev/null); do
      [ "$(LC_ALL=C.UTF-8 xdotool getwindowname "$window" 2>/dev/null)" = "$1" ] &&
        echo "$window" && return 0
    done
    sleep 0.1
  done
  fail "no window titled $1"
}

# Lets the run end, captures it as $1, and checks it against the whole run
# of the headless program, started with the settings that follow.
expect_finished_run() {
  local name="$1"
  shift
  wait_until_still
  capture "$name"
  snapshot "$@" enter ticks 960 save "expected_$name"
  expect_same "$name" "expected_$name"
}

# Renders a state headless at the real window's scale $2 and logical size,
# cut to the window's device pixels, and compares it with the capture $1.
expect_scaled() {
  local capture="$1" scale="$2" w h
  shift 2
  read -r _ _ w h < <(client_geometry)
  local size
  size="$(awk -v w="$w" -v h="$h" -v s="$scale" 'BEGIN {printf "%dx%d", w / s + 0.5, h / s + 0.5}')"
  "$SNAPSHOT" scale "$scale" size "$size" screen 1280 "$@" save expected.png 2>/dev/null
  convert expected.png -crop "${w}x${h}+0+0" +repage "expected_$capture"
  expect_same "$capture" "expected_$capture"
}

# Keeps a capture for the README when SCREENSHOT_DIR is set.
keep() {
  [ -n "${SCREENSHOT_DIR:-}" ] && cp "$1" "$SCREENSHOT_DIR/$2" || true
}

# wait_for_exit CODE: the program ends within EXIT_WAIT_TENTHS tenths of a
# second (5 s unless set) with CODE.
wait_for_exit() {
  local expected="$1" code=0
  for _ in $(seq "${EXIT_WAIT_TENTHS:-50}"); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    sleep 0.1
  done
  wait "$PROGRAM_PID" || code=$?
  [ "$code" -eq "$expected" ] || fail "exit code $code"
}
