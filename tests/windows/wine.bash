# Wine for the tests of the Windows build: a prefix of our own, made once,
# with Wine's fonts: the bitmap "MS Sans Serif" of the English dialogs, and
# Tahoma, the translated dialogs' "MS Shell Dlg". Sourced; the
# caller sets WINEPREFIX.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
# Quiet unless a test asks for a channel.
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Characters a face lacks come from the fonts linked to it: Windows' own
# CJK and Arabic fonts, here Noto Sans CJK and Noto Sans Arabic, for the
# window's face and the translated dialogs' "MS Shell Dlg" (Tahoma).
LINKED_FACES=("Tahoma" "Microsoft Sans Serif" "Arial" "Liberation Sans")
# In Chinese, Japanese and Korean, "MS Shell Dlg" is the system's own CJK
# face, as on Windows in those languages; Noto Sans CJK in the Han forms of
# each stands in for it.
CJK_SHELL_FACES=("MS UI Gothic=JP" "SimSun=SC" "PMingLiU=TC" "Gulim=KR")

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
  fi
  # Set once in each prefix, and again when they change here.
  local settings="${LINKED_FACES[*]}|${CJK_SHELL_FACES[*]}"
  [ "$(cat "$WINEPREFIX/fonts_set" 2>/dev/null)" = "$settings" ] && return
  for face in "${LINKED_FACES[@]}"; do
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ \
      /d "NotoSansCJK-Regular.ttc,Noto Sans CJK JP\0NotoSansArabic-Regular.ttf,Noto Sans Arabic" /f \
      </dev/null >/dev/null 2>&1
  done
  for pair in "${CJK_SHELL_FACES[@]}"; do
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%=*}" /t REG_SZ \
      /d "Noto Sans CJK ${pair#*=}" /f </dev/null >/dev/null 2>&1
  done
  echo "$settings" >"$WINEPREFIX/fonts_set"
}

wine_stop() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
}
