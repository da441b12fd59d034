#!/bin/bash
# Every catalogue in po/ is whole and well formed: each message of the
# template translated, none fuzzy, every format's conversions kept, and in
# their order: the program fills them in turn, as no numbered conversion asks.
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
  if grep -q '^msgstr.*%[0-9][0-9]*\$' "$po"; then echo "FAIL $lang: a numbered conversion" && status=1; fi
  msgcmp "$po" "$PO/ondulane.pot" 2>/dev/null || { echo "FAIL $lang: not the template's messages" && status=1; }
  echo "$lang: $stats"
done
[ "$status" -eq 0 ] && echo "PASS"
exit "$status"
