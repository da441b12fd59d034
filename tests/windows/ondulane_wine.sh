#!/bin/bash
# Runs ONDULANE_EXE under Wine on the current display, in the prefix of the
# real-window tests, and exits with the program's code. Wine's desktop
# process belongs to one display, so the server lives as long as the program.
set -uo pipefail
source "$(dirname "$0")/wine.bash"
wine_start
"$WINE" "$ONDULANE_EXE"
code=$?
wine_stop
exit "$code"
