#!/bin/bash
# wine_prefix.sh start|stop: the fixture around the tests run under Wine.
set -euo pipefail
source "$(dirname "$0")/wine.bash"
case "$1" in
  start) wine_start ;;
  stop) wine_stop ;;
esac
