#!/bin/bash
# Checks the Debian package and the installed layout: the desktop entry and
# the metainfo validate and carry the translations, the package stays under
# 1 MB, the names they give lead to the files, the changelog
# names this version, lintian finds no error or warning, and the program
# installed from the build directory starts from the entry's command, shows
# its window and quits on Alt+F4.
# Usage: package_test.sh DEB BUILD_DIR
set -euo pipefail
DEB="$(readlink -f "$1")"
BUILD="$(readlink -f "$2")"

if [ -z "${ONDULANE_IN_XVFB:-}" ]; then
  export ONDULANE_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

dpkg-deb -x "$DEB" "$WORK/deb"
cd "$WORK/deb/usr/share"
entry=(applications/*.desktop)
id="$(basename "${entry[0]}" .desktop)"
desktop-file-validate "${entry[0]}"
appstreamcli validate --no-net "metainfo/$id.metainfo.xml"
grep -qx "Icon=$id" "${entry[0]}" || fail "the entry's icon is not $id"
[ -f "icons/hicolor/scalable/apps/$id.svg" ] || fail "no icon $id.svg"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch $id.desktop"
# Every language the program speaks, in the entry and the metainfo.
for key in 'GenericName[de]=' 'Comment[ja]=' 'Keywords[zh_TW]='; do
  grep -qF "$key" "${entry[0]}" || fail "the entry has no $key"
done
grep -q '<summary xml:lang="pt_BR">' "metainfo/$id.metainfo.xml" || fail "the metainfo has no pt_BR"
for font in fonts-noto-cjk fonts-noto-core; do
  dpkg-deb -f "$DEB" Recommends | grep -qw "$font" || fail "$font is not recommended"
done
size="$(stat -c %s "$DEB")"
[ "$size" -lt 1000000 ] || fail "the package takes $size bytes, not under 1 MB"
version="$(dpkg-deb -f "$DEB" Version)"
zcat doc/ondulane/changelog.Debian.gz | head -1 | grep -qF "($version)" ||
  fail "the changelog's last entry is not $version"
lintian --fail-on error,warning "$DEB" 2>/dev/null || fail "lintian: $(lintian "$DEB" 2>/dev/null)"

cmake --install "$BUILD" --prefix "$WORK/prefix" >/dev/null
cd "$WORK"
export PATH="$WORK/prefix/bin:$PATH" XDG_RUNTIME_DIR="$WORK"
chmod 700 "$WORK"
unset QT_QPA_PLATFORM
openbox >/dev/null 2>&1 &
# A window mapped while openbox is still starting is never shown.
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && break
  sleep 0.1
done
command="$(sed -n 's/^Exec=//p' "prefix/share/applications/$id.desktop")"
$command &
program=$!
# Polled with a bound: a window that never shows fails the test, not hangs it.
window=""
for _ in $(seq 150); do
  window="$(xdotool search --onlyvisible --name '^Ondulane$' 2>/dev/null | head -1)" && break
  sleep 0.2
done
[ -n "$window" ] || fail "no window titled Ondulane"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key alt+F4
for _ in $(seq 50); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "still running after Alt+F4"
wait "$program" || fail "exit status $?"
echo PASS
