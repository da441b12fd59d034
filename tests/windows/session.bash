# A real-window test of ondulane.exe under Wine: the Linux tests' display
# and helpers, with the program started through Wine. Source with the path
# of the exe and that of the Linux build's snapshot tool.
# Kept through the Linux session's restart inside Xvfb, which passes the wrapper on.
export ONDULANE_EXE="${ONDULANE_EXE:-$(readlink -f "$1")}"
WINDOWS_TESTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$WINDOWS_TESTS/../acceptance/session.bash" "$WINDOWS_TESTS/ondulane_wine.sh" "$2"

# Wine starts and ends with the server and its services: allow for them.
EXIT_WAIT_TENTHS=100
start_program() {
  "$PROGRAM" &
  PROGRAM_PID=$!
  WINDOW="$(xdotool search --sync --onlyvisible --name '^Ondulane$' | head -1)"
  sleep 2
}

# expect_letters_in PNG SIDE: the labels of F2's dialog (PNG, the dialog's
# window), on its SIDE (left or right), are drawn with letters, not the
# boxes of a face that lacks them: boxes alike leave their ink in a handful
# of different columns, letters in many.
expect_letters_in() {
  local columns
  columns="$(convert "$1" -colorspace Gray -depth 8 pgm:- | python3 -c '
import re, sys
data = sys.stdin.buffer.read()
header = re.match(rb"P5\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+\d+\s", data)
width, height, pixels = int(header[1]), int(header[2]), data[header.end():]
xs = range(width * 65 // 100) if sys.argv[1] == "left" else range(width * 35 // 100, width)
ys = range(height * 12 // 100, height * 55 // 100)
print(len({bytes(pixels[y * width + x] < 96 for y in ys) for x in xs}))' "$2")"
  echo "$LANG: the labels' ink lies in $columns different columns"
  [ "$columns" -ge 20 ] || fail "$LANG: the labels of F2's dialog are drawn as boxes"
}

pixels_differing() {
  compare -metric AE "$1" "$2" null: 2>&1 || true
}

# Where the texts of the three compared states stand in the 992 by 673
# client area, with a margin: Wine draws other glyphs there (another face of
# the font), so lines and figures are compared everywhere else.
TEXT_BOXES=(
  "897,0 974,15" "395,6 597,42" "863,18 973,36" "257,53 515,77" "522,53 734,77" "770,118 889,136"
  "770,136 862,151" "770,153 863,169" "763,198 851,213" "654,211 679,226" "770,224 919,242"
  "770,242 863,257" "576,244 600,259" "498,277 522,292" "420,310 445,325" "495,336 687,351"
  "742,336 905,354" "342,343 367,358" "742,354 887,372" "742,371 909,462" "264,376 288,391"
  "47,406 101,423" "186,409 210,424" "139,432 228,451" "139,450 238,468" "140,468 230,485"
  "164,504 288,522" "495,504 838,522" "163,522 328,537" "495,522 693,540" "164,539 268,576"
  "495,539 872,558" "495,556 709,576"
)

without_texts() {
  local args=() box
  for box in "${TEXT_BOXES[@]}"; do args+=(-draw "rectangle $box"); done
  convert "$1" -fill black "${args[@]}" "$2"
}

# Counts the pixels in which a capture differs from the Linux rendering of
# the same state, for the record, and fails when any lies outside the texts.
record_difference() {
  without_texts "$1" "figures_$1"
  without_texts "$2" "figures_$2"
  local outside
  outside="$(pixels_differing "figures_$1" "figures_$2")"
  echo "$1: $(pixels_differing "$1" "$2") pixels differ from the Linux rendering, $outside outside the texts" |
    tee -a "${COMPARISON_LOG:-/dev/null}"
  [ "$outside" = "0" ] || fail "$1: the lines and figures differ from the Linux rendering"
}

expect_different() {
  same_picture "$1" "$2" && fail "$1 equals $2" || true
}

# use_language NAME: the program runs in the language of the locale NAME, as
# LANG gives it, the locale's definition made here: the machine may have
# none built.
use_language() {
  unset LC_ALL LC_MESSAGES LANGUAGE
  export LANG="$1" LOCPATH="$WORK/locale" PYTHONIOENCODING=utf-8
  mkdir -p "$LOCPATH"
  [ "$1" = C.UTF-8 ] || localedef -i "${1%.*}" -f UTF-8 "$LOCPATH/$1" 2>/dev/null ||
    [ -d "$LOCPATH/$1" ] || fail "no locale $1"
}

# drawn_texts TRACE LINE: each text Wine's GDI drew, from line LINE of the
# trace of its font channel on, a line each. An edit control draws its text in
# runs with their advances, one line of it joined here.
drawn_texts() {
  tail -n +"$2" "$1" | python3 -c '
import re, sys
call = re.compile(r"NtGdiExtTextOutW (\w+), (-?\d+), (-?\d+), .*?L\"((?:[^\"\\]|\\.)*)\", \d+, (\S+)\)")
escape = re.compile(r"\\(?:([0-9a-f]{4})|(.))")
texts, last = [], None
for m in call.finditer(sys.stdin.read()):
    text = escape.sub(lambda e: chr(int(e[1], 16)) if e[1] else {"n": "\n", "t": "\t"}.get(e[2], e[2]), m[4])
    hdc, x, y, runs = m[1], int(m[2]), m[3], m[5] != "(nil)"
    if runs and last and last[:2] == (hdc, y) and x > last[2]:
        texts[-1] += text
    else:
        texts.append(text)
    last = (hdc, y, x) if runs else None
print("\n".join(texts))'
}

# expect_drawn TRACE LINE TEXTS: each line of TEXTS was drawn since LINE.
expect_drawn() {
  local missing
  missing="$(LC_ALL=C comm -23 <(LC_ALL=C sort -u <<<"$3") <(drawn_texts "$1" "$2" | LC_ALL=C sort -u))"
  [ -z "$missing" ] || fail "$LANG: never drawn: $missing"
}
