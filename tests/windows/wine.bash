# Wine for the tests of the Windows build: a prefix of our own, made once,
# with Wine's bitmap fonts for the dialogs' "MS Sans Serif". Sourced; the
# caller sets WINEPREFIX.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
# Quiet unless a test asks for a channel.
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Starts a server that outlives each program and boots the prefix, making it
# first if need be. Wine's services would otherwise start with the first
# test and hold its output pipe open, so they get none of ours.
wine_start() {
  local fresh=0
  [ -f "$WINEPREFIX/system.reg" ] || fresh=1
  mkdir -p "$WINEPREFIX"
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" wineboot </dev/null >/dev/null 2>&1
  if [ "$fresh" -eq 1 ]; then
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # Characters a face lacks come from the fonts linked to it: Windows' own
    # CJK and Arabic fonts, here Noto Sans CJK and Noto Sans Arabic, for the
    # dialogs' face and the window's.
    for face in "Microsoft Sans Serif" "Arial" "Liberation Sans"; do
      "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$face" /t REG_MULTI_SZ \
        /d "NotoSansCJK-Regular.ttc,Noto Sans CJK JP\0NotoSansArabic-Regular.ttf,Noto Sans Arabic" /f \
        </dev/null >/dev/null 2>&1
    done
  fi
}

wine_stop() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
}
