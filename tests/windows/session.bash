# A real-window test of ondulane.exe under Wine: the Linux tests' display
# and helpers, with the program started through Wine. Source with the path
# of the exe and that of the Linux build's snapshot tool.
# Kept through the Linux session's restart inside Xvfb, which passes the wrapper on.
export ONDULANE_EXE="${ONDULANE_EXE:-$(readlink -f "$1")}"
WINDOWS_TESTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$WINDOWS_TESTS/../acceptance/session.bash" "$WINDOWS_TESTS/ondulane_wine.sh" "$2"

# Wine starts with the server and its services: allow for them.
start_program() {
  "$PROGRAM" &
  PROGRAM_PID=$!
  WINDOW="$(xdotool search --sync --onlyvisible --name '^Ondulane$' | head -1)"
  sleep 2
}

pixels_differing() {
  compare -metric AE "$1" "$2" null: 2>&1 || true
}

# Counts the pixels in which a capture differs from the Linux rendering of
# the same state, for the record: Wine's glyphs are not Qt's, so the count
# is kept beside the results rather than judged here.
record_difference() {
  echo "$1: $(pixels_differing "$1" "$2") pixels differ from the Linux rendering" |
    tee -a "${COMPARISON_LOG:-/dev/null}"
}

expect_different() {
  same_picture "$1" "$2" && fail "$1 equals $2" || true
}

wait_for_exit() {
  local expected="$1" code=0
  for _ in $(seq 100); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    sleep 0.1
  done
  wait "$PROGRAM_PID" || code=$?
  [ "$code" -eq "$expected" ] || fail "exit code $code"
}
