#!/bin/bash
# What Orca says of the page in Chromium, in a window on a display of its
# own: a run with load 22 and source 120, say all over the picture's texts,
# and F2 and F3 opened and closed (heard.cjs listens and checks).
# orca_test.sh PAGE SNAPSHOT HARNESS: HARNESS holds orca.bash and session.bash.
HARNESS="$(readlink -f "$3")"
source "$HARNESS/orca.bash"
source "$HARNESS/session.bash"
start_orca
export ORCA_HARNESS="$HARNESS/orca.bash" ORCA_LOG
node "$TEST_DIR/heard.cjs" "$PROGRAM" "$SNAPSHOT" && pass
# An Orca started with --replace ends every other Orca of the same user.
kill -0 "$ORCA_PID" 2>/dev/null || fail "Orca was ended by another one started meanwhile"
fail "see above"
