#!/bin/bash
# Every catalogue in po/ is whole and well formed: each message of the
# template translated, none fuzzy, every format's conversions kept.
set -euo pipefail
PO="$(readlink -f "$1")"
status=0
for po in "$PO"/*.po; do
  lang="$(basename "$po" .po)"
  stats="$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)" || {
    echo "FAIL $lang: $stats"
    status=1
    continue
  }
  case "$stats" in
  *untranslated* | *fuzzy*) echo "FAIL $lang: $stats" && status=1 ;;
  esac
  msgcmp "$po" "$PO/ondulane.pot" 2>/dev/null || { echo "FAIL $lang: not the template's messages" && status=1; }
  echo "$lang: $stats"
done
[ "$status" -eq 0 ] && echo "PASS"
exit "$status"
