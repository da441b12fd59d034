# A screen reader for one real-window test: Orca on a session bus of the
# test's own, its speech through speech-dispatcher and espeak-ng to no sound
# device, and what it said read from its debug log. Source it first, before
# session.bash: the test runs again inside its own session bus. Then
# start_orca, once the display and the window manager are up (and `fail`,
# as session.bash has it, is defined), and start any program under test with
# the accessibility settings and the bus this leaves exported.
set -euo pipefail

if [ -z "${ORCA_SESSION_BUS:-}" ]; then
  export ORCA_SESSION_BUS=1
  exec dbus-run-session -- bash "$(readlink -f "$0")" "$@"
fi

ORCA_READY_SECONDS=30 # from starting Orca to its first words

# Orca as /usr/bin/orca starts it, but for its debug log written a line at a
# time, so that what it says can be read as it says it.
ORCA_LAUNCH='import builtins, runpy, sys
log, plain = sys.argv[1], builtins.open
builtins.open = lambda f, *a, **k: plain(f, "w", 1) if f == log else plain(f, *a, **k)
sys.argv = ["orca", "--replace", "-u", sys.argv[2], "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")'

# A home, runtime and configuration of the session's own; speech-dispatcher
# writes its sound to libao's null device.
speech_home() {
  local home="$1"
  export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/"
  echo 'AudioOutputMethod "libao"' >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
  echo "default_driver=null" >"$HOME/.libao"
}

# start_orca: the accessibility bus, then Orca, waiting until it has spoken
# its greeting. ORCA_LOG is its debug log. One Orca runs for each user: a
# new one ends the others, so tests that run at once take turns.
start_orca() {
  exec {ORCA_LOCK}>"/tmp/orca-test-$(id -u).lock"
  flock -w 600 "$ORCA_LOCK" || fail "another test kept Orca for 10 minutes"
  speech_home "$(mktemp -d)"
  ORCA_LOG="$HOME/orca.log"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  ORCA_BUS_PID=$!
  mkdir -p "$HOME/orca"
  /usr/bin/python3 -c "$ORCA_LAUNCH" "$ORCA_LOG" "$HOME/orca" >/dev/null 2>&1 &
  ORCA_PID=$!
  trap 'kill "$ORCA_PID" "$ORCA_BUS_PID" 2>/dev/null || true' EXIT
  for _ in $(seq $((ORCA_READY_SECONDS * 10))); do
    grep -q "SPEECH OUTPUT" "$ORCA_LOG" 2>/dev/null && break
    sleep 0.1
  done
  grep -q "SPEECH OUTPUT" "$ORCA_LOG" || fail "Orca did not start"
  export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# What Orca has said, a line each: the time in milliseconds since midnight, a
# tab, the words.
spoken() {
  sed -n "s/^\([0-9][0-9]\):\([0-9][0-9]\):\([0-9.]*\) - SPEECH OUTPUT: '\(.*\)' *\[\?{.*$/\1 \2 \3\t\4/p" \
    "$ORCA_LOG" | awk -F'\t' '{split($1, t, " "); printf "%d\t%s\n", (t[1] * 3600 + t[2] * 60 + t[3]) * 1000, $2}'
}

# The milliseconds since midnight now, on the clock of Orca's log.
now_ms() {
  date +%H\ %M\ %S.%N | awk '{printf "%d\n", ($1 * 3600 + $2 * 60 + $3) * 1000}'
}

# How long espeak-ng takes to say the words, in milliseconds.
speaking_ms() {
  espeak-ng -w "$HOME/said.wav" "$1" 2>/dev/null
  od -An -tu4 -j28 -N4 "$HOME/said.wav" | awk -v size="$(stat -c %s "$HOME/said.wav")" \
    '{printf "%d\n", (size - 44) * 1000 / $1}'
}
