# The Debian packages each script needs, and how to install them and to
# configure and build the project. Sourced by the scripts in this folder.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Building and running the program.
# python3 writes the resources of each language and gettext the desktop
# entry's and the metainfo's translations; Noto Sans CJK draws the Chinese,
# Japanese and Korean characters Liberation Sans lacks, and Noto Sans Arabic
# (in fonts-noto-core) the Arabic and Persian letters.
RUN_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev libxcb1-dev
  fonts-liberation2 fonts-noto-cjk fonts-noto-core python3 gettext)
# Building the Debian package.
PACKAGE_PACKAGES=(dpkg-dev file)
# The tests, the benchmarks and the package checks; FreeType draws the text
# of the driver without a display that the program's tests run on, from
# Liberation Sans, Noto Sans CJK and Noto Sans Arabic, FriBidi orders it and
# HarfBuzz shapes it.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev libfreetype-dev libharfbuzz-dev libfribidi-dev
  fonts-noto-cjk fonts-noto-core locales xvfb xauth xdotool openbox x11-apps imagemagick
  x11-utils x11-xserver-utils valgrind lintian desktop-file-utils appstream at-spi2-core python3-pyatspi dbus-x11
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng)

# The Windows build (scripts/build-windows) and its tests under Wine; its
# resources in each language are written as for Linux; libxml2-utils reads the exe's manifest as Windows would; the tests in other
# languages build their locales and draw Han and kana with Noto Sans CJK, Arabic
# and Persian with Noto Sans Arabic (fonts-noto-core).
WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest librsvg2-bin icoutils wine64
  fonts-wine libxml2-utils python3 gettext locales fonts-noto-cjk fonts-noto-core)

# The browser build (scripts/build-web) and its tests under Node and headless
# Chromium, and in Chromium on a display of its own heard through Orca.
# npm comes as a package of its own with Debian's Node and inside other Node
# builds, so it is installed only when missing (install_npm). The page
# carries Liberation Sans, Noto Sans CJK and Noto Sans Arabic cut down by
# fontTools, the CJK and Arabic faces as WOFF2, which it writes with brotli;
# HarfBuzz's hb-shape tells the tests how wide joined letters are.
WEB_PACKAGES=(cmake make emscripten nodejs googletest python3 gettext python3-fonttools python3-brotli
  fonts-liberation2 fonts-noto-cjk fonts-noto-core libharfbuzz-bin chromium imagemagick orca speech-dispatcher espeak-ng at-spi2-core xvfb xauth xdotool openbox
  dbus-x11)

# install_missing PACKAGE...
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

install_npm() {
  command -v npm >/dev/null || install_missing npm
}

# build_in DIR [cmake options...]
build_in() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}
